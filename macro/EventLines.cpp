#include "macro/EventLines.h"

#include "macro/KeyTable.h"
#include "platform/ini/IniFile.h"

namespace pelmar {

std::string EventLineText(const MacroEvent& event) {
    std::string text;
    if (event.action == kEventPress) {
        text = kPressMark;
    } else if (event.action == kEventRelease) {
        text = kReleaseMark;
    }
    text += KeyCodeName(event.code);
    return text;
}

std::string DelayLineText(std::uint16_t delay) {
    std::string text(kDelayIndent);
    text += std::to_string(delay);
    text += kDelayUnit;
    return text;
}

std::vector<std::string> EventLinesOf(const MacroRecord& record, int event) {
    std::vector<std::string> lines;
    if (event < 0 || static_cast<std::size_t>(event) >= kMacroEventSlots) {
        return lines;
    }
    const auto slot = static_cast<std::size_t>(event);
    if (slot > 0) {
        lines.push_back(DelayLineText(record.delays[slot - 1]));
    }
    lines.push_back(EventLineText(record.events[slot]));
    return lines;
}

std::uint16_t EditedDelayValue(std::string_view text) {
    const std::size_t unit = text.find(kDelayUnit);
    const std::int32_t value = ini::ToInt(text.substr(0, unit));
    const std::int32_t low = value & 0xFF;
    const std::int32_t high = (value / 256) & 0xFF;
    return static_cast<std::uint16_t>(high << 8 | low);
}

int EventMenuLine(int lineHeight, int topLine, int cursorY, int listTop) {
    if (lineHeight == 0) {
        return 0;
    }
    return (lineHeight * topLine + cursorY - listTop) / lineHeight;
}

}  // namespace pelmar
