#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "macro/MacroRecord.h"

namespace pelmar {

// The event list shows a macro's events one per line, with a line between two
// events that shows the delay of the first: event 0, delay 0, event 1, ...
// Line k belongs to event k / 2; odd lines are delay lines.

inline constexpr std::string_view kPressMark = "[\u2193]";
inline constexpr std::string_view kReleaseMark = "[\u2191]";
inline constexpr std::string_view kDelayIndent = "    ";
inline constexpr std::string_view kDelayUnit = "ms";

// "[↓]" or "[↑]" before the key's name for a press or release; other actions
// show the bare name.
std::string EventLineText(const MacroEvent& event);
// The delay with four spaces before it and "ms" after it.
std::string DelayLineText(std::uint16_t delay);

// The lines event `event` of `record` adds to the list: the delay line of the
// event before it (for every event but the first), then its own line.
std::vector<std::string> EventLinesOf(const MacroRecord& record, int event);

constexpr int EventOfLine(int line) {
    return line / 2;
}
constexpr bool IsDelayLine(int line) {
    return line % 2 != 0;
}

// The delay an edited delay line stands for: the number before the first "ms"
// (or of the whole text), kept to its low 16 bits the way a byte pair holds
// it: the low byte of the value, and the low byte of the value / 256.
std::uint16_t EditedDelayValue(std::string_view text);

// The line under the cursor when the event list is right-clicked: the list's
// line height, its top line (the scroll position), the cursor's and the
// list's top edge in screen coordinates. 0 when the line height is 0.
int EventMenuLine(int lineHeight, int topLine, int cursorY, int listTop);

// Whether the right-click opens the event menu: inside the list, on a line
// that exists, or anywhere in an empty list.
constexpr bool EventMenuOpens(bool insideList, int line, int lineCount) {
    return insideList && (line < lineCount || lineCount == 0);
}

}  // namespace pelmar
