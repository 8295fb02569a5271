#include "macro/EventCommands.h"

#include <array>

#include "macro/EventLines.h"
#include "res/Menus.h"

namespace pelmar {

namespace {

struct CommandRow {
    MenuCommand english;
    MenuCommand chinese;
    EventCommand command;
};

using enum EventCommandKind;

// Both languages' identifiers of each command of the event menu.
constexpr auto kCommands = std::to_array<CommandRow>({
    {MenuCommand::InsertBeforeLeftDown,
     MenuCommand::ChineseInsertBeforeLeftDown,
     {InsertBefore, kEventLeftButton, kEventPress}},
    {MenuCommand::InsertBeforeLeftUp,
     MenuCommand::ChineseInsertBeforeLeftUp,
     {InsertBefore, kEventLeftButton, kEventRelease}},
    {MenuCommand::InsertBeforeRightDown,
     MenuCommand::ChineseInsertBeforeRightDown,
     {InsertBefore, kEventRightButton, kEventPress}},
    {MenuCommand::InsertBeforeRightUp,
     MenuCommand::ChineseInsertBeforeRightUp,
     {InsertBefore, kEventRightButton, kEventRelease}},
    {MenuCommand::InsertBeforeMiddleDown,
     MenuCommand::ChineseInsertBeforeMiddleDown,
     {InsertBefore, kEventMiddleButton, kEventPress}},
    {MenuCommand::InsertBeforeMiddleUp,
     MenuCommand::ChineseInsertBeforeMiddleUp,
     {InsertBefore, kEventMiddleButton, kEventRelease}},
    {MenuCommand::InsertAfterLeftDown,
     MenuCommand::ChineseInsertAfterLeftDown,
     {InsertAfter, kEventLeftButton, kEventPress}},
    {MenuCommand::InsertAfterLeftUp,
     MenuCommand::ChineseInsertAfterLeftUp,
     {InsertAfter, kEventLeftButton, kEventRelease}},
    {MenuCommand::InsertAfterRightDown,
     MenuCommand::ChineseInsertAfterRightDown,
     {InsertAfter, kEventRightButton, kEventPress}},
    {MenuCommand::InsertAfterRightUp,
     MenuCommand::ChineseInsertAfterRightUp,
     {InsertAfter, kEventRightButton, kEventRelease}},
    {MenuCommand::InsertAfterMiddleDown,
     MenuCommand::ChineseInsertAfterMiddleDown,
     {InsertAfter, kEventMiddleButton, kEventPress}},
    {MenuCommand::InsertAfterMiddleUp,
     MenuCommand::ChineseInsertAfterMiddleUp,
     {InsertAfter, kEventMiddleButton, kEventRelease}},
    {MenuCommand::ModifyDelay, MenuCommand::ChineseModifyDelay, {ModifyDelay}},
    {MenuCommand::Delete, MenuCommand::ChineseDelete, {Delete}},
});

// A selected line two lines on follows its event past an inserted one.
constexpr std::int32_t kLinesPerEvent = 2;

bool NamesMacroInUse(const MacroStore& store, int macro) {
    return macro >= 0 && macro < store.user.count &&
           static_cast<std::size_t>(macro) < store.user.capacity;
}

}  // namespace

std::optional<EventCommand> FindEventCommand(std::int32_t id) {
    for (const CommandRow& row : kCommands) {
        if (id == static_cast<std::int32_t>(row.english) ||
            id == static_cast<std::int32_t>(row.chinese)) {
            return row.command;
        }
    }
    return std::nullopt;
}

EventCommandEffect RunEventCommand(MacroStore& store, const EventMenuTarget& target,
                                   const EventCommand& command, std::int32_t& selectedEventLine,
                                   bool recording) {
    if (recording || !NamesMacroInUse(store, target.macro)) {
        return EventCommandEffect::None;
    }
    switch (command.kind) {
        case InsertBefore:
            if (InsertMacroEvent(store, target.macro, target.event, command.code, command.action)) {
                selectedEventLine += kLinesPerEvent;
            }
            return EventCommandEffect::RefreshList;
        case InsertAfter:
            if (target.lineCount == 0) {
                InsertMacroEvent(store, target.macro, 0, command.code, command.action);
                selectedEventLine = 0;
            } else if (InsertMacroEvent(store, target.macro, target.event + 1, command.code,
                                        command.action)) {
                selectedEventLine += kLinesPerEvent;
            }
            return EventCommandEffect::RefreshList;
        case Delete:
            // A delay line deletes the event above it: both belong to one event.
            DeleteMacroEvent(store, target.macro, target.event);
            selectedEventLine =
                selectedEventLine > kLinesPerEvent ? selectedEventLine - kLinesPerEvent : 0;
            return EventCommandEffect::RefreshList;
        case ModifyDelay:
            if (target.lineCount == 0 || !IsDelayLine(selectedEventLine)) {
                return EventCommandEffect::None;
            }
            return EventCommandEffect::BeginDelayEdit;
    }
    return EventCommandEffect::None;
}

}  // namespace pelmar
