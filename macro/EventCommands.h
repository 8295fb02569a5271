#pragma once

#include <cstdint>
#include <optional>

#include "macro/MacroStore.h"

namespace pelmar {

// The commands of the event list's context menu.
enum class EventCommandKind : std::uint8_t { InsertBefore, InsertAfter, ModifyDelay, Delete };

struct EventCommand {
    EventCommandKind kind;
    std::uint8_t code = 0;    // the mouse button an insert adds
    std::uint8_t action = 0;  // press or release
};

// The command of a menu identifier of either language; nothing for others.
std::optional<EventCommand> FindEventCommand(std::int32_t id);

// What the list showed when it was right-clicked: the macro selected in the
// macro list (-1 for none), the event of the selected line and the number of
// lines.
struct EventMenuTarget {
    int macro = -1;
    int event = 0;
    int lineCount = 0;
};

enum class EventCommandEffect : std::uint8_t {
    None,            // nothing changed
    RefreshList,     // the macro changed; rebuild its event list
    BeginDelayEdit,  // edit the selected delay line in place
};

// Carries out a command on the target's macro and moves the selected line
// (`selectedEventLine`) with the event it belongs to. Nothing happens while
// recording or when the target names no macro in use.
EventCommandEffect RunEventCommand(MacroStore& store, const EventMenuTarget& target,
                                   const EventCommand& command, std::int32_t& selectedEventLine,
                                   bool recording);

}  // namespace pelmar
