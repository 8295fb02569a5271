#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Notifier.h"
#include "macro/EventCommands.h"
#include "res/Menus.h"

namespace pelmar {
namespace {

using Events = std::vector<std::vector<int>>;  // code, action, delay

constexpr int kA = 4;
constexpr int kL = kEventLeftButton;
constexpr int kR = kEventRightButton;
constexpr int kM = kEventMiddleButton;

Events EventsOf(const MacroRecord& record) {
    Events events;
    for (int k = 0; k < record.eventCount; ++k) {
        events.push_back({record.events[k].code, record.events[k].action, record.delays[k]});
    }
    return events;
}

// Two macros: "Tap" holds (A press, 15 ms), (A release, 30 ms); "Empty" none.
UserMacroTable TwoMacros() {
    UserMacroTable table;
    table.count = 2;
    MacroRecord& tap = table.records[0];
    tap.eventCount = 2;
    tap.events[0] = {kA, kEventPress};
    tap.events[1] = {kA, kEventRelease};
    tap.delays[0] = 15;
    tap.delays[1] = 30;
    return table;
}

TEST(EventCommandsTest, CommandsChangeTheMacroAndMoveTheSelectionWithItsEvent) {
    using enum EventCommandEffect;
    const struct {
        const char* what;
        MenuCommand command;
        EventMenuTarget target;
        bool recording;
        int selectedBefore;
        Events events;  // of the target's macro afterwards
        int selectedAfter;
        EventCommandEffect effect;
    } cases[] = {
        {"insert before line 2",
         MenuCommand::InsertBeforeRightDown,
         {0, 1, 3},
         false,
         2,
         {{kA, 1, 15}, {kR, 1, 30}, {kA, 2, 30}},
         4,
         RefreshList},
        {"the Chinese identifier",
         MenuCommand::ChineseInsertBeforeRightDown,
         {0, 1, 3},
         false,
         2,
         {{kA, 1, 15}, {kR, 1, 30}, {kA, 2, 30}},
         4,
         RefreshList},
        {"insert after line 0",
         MenuCommand::InsertAfterLeftUp,
         {0, 0, 3},
         false,
         0,
         {{kA, 1, 15}, {kL, 2, 30}, {kA, 2, 30}},
         2,
         RefreshList},
        {"insert after on an empty list",
         MenuCommand::InsertAfterMiddleDown,
         {1, 0, 0},
         false,
         5,
         {{kM, 1, 30}},
         0,
         RefreshList},
        {"delete a delay line deletes the event above",
         MenuCommand::Delete,
         {0, 0, 3},
         false,
         1,
         {{kA, 2, 30}},
         0,
         RefreshList},
        {"delete moves the selection up one event",
         MenuCommand::ChineseDelete,
         {0, 1, 3},
         false,
         4,
         {{kA, 1, 15}},
         2,
         RefreshList},
        {"modify delay on a delay line",
         MenuCommand::ModifyDelay,
         {0, 0, 3},
         false,
         1,
         {{kA, 1, 15}, {kA, 2, 30}},
         1,
         BeginDelayEdit},
        {"modify delay on an event line",
         MenuCommand::ModifyDelay,
         {0, 1, 3},
         false,
         2,
         {{kA, 1, 15}, {kA, 2, 30}},
         2,
         None},
        {"modify delay on an empty list",
         MenuCommand::ChineseModifyDelay,
         {1, 0, 0},
         false,
         1,
         {},
         1,
         None},
        {"nothing while recording",
         MenuCommand::InsertBeforeLeftDown,
         {0, 0, 3},
         true,
         0,
         {{kA, 1, 15}, {kA, 2, 30}},
         0,
         None},
        {"nothing without a macro",
         MenuCommand::InsertAfterLeftDown,
         {-1, 0, 0},
         false,
         3,
         {},
         3,
         None},
        {"nothing for a slot not in use", MenuCommand::Delete, {2, 0, 0}, false, 3, {}, 3, None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MacroStore store;
        store.user = TwoMacros();
        const std::optional<EventCommand> command =
            FindEventCommand(static_cast<std::int32_t>(c.command));
        ASSERT_TRUE(command);
        std::int32_t selected = c.selectedBefore;
        EXPECT_EQ(RunEventCommand(store, c.target, *command, selected, c.recording), c.effect);
        if (c.target.macro >= 0 && c.target.macro < store.user.count) {
            EXPECT_EQ(EventsOf(store.user.records[static_cast<std::size_t>(c.target.macro)]),
                      c.events);
        } else {
            EXPECT_EQ(store.user, TwoMacros());
        }
        EXPECT_EQ(selected, c.selectedAfter);
    }
}

TEST(EventCommandsTest, ARefusedInsertLeavesTheSelection) {
    std::vector<std::string> messages;
    notifier.showMessage = [&messages](const std::string& text) { messages.push_back(text); };
    MacroStore store;
    store.user = TwoMacros();
    store.user.records[0].eventCount = kMaxMacroEvents;
    std::int32_t selected = 6;
    const auto command =
        FindEventCommand(static_cast<std::int32_t>(MenuCommand::InsertBeforeLeftDown));
    ASSERT_TRUE(command);
    EXPECT_EQ(RunEventCommand(store, {0, 3, 507}, *command, selected, false),
              EventCommandEffect::RefreshList);
    EXPECT_EQ(selected, 6);
    EXPECT_EQ(store.user.records[0].eventCount, kMaxMacroEvents);
    EXPECT_EQ(messages, std::vector<std::string>{"Overflow!!!"});
    notifier.showMessage = nullptr;
}

TEST(EventCommandsTest, OtherMenuCommandsAreNotEventCommands) {
    for (const MenuCommand other :
         {MenuCommand::ExitDriver, MenuCommand::ShowWindow, MenuCommand::ChineseExitDriver}) {
        EXPECT_FALSE(FindEventCommand(static_cast<std::int32_t>(other)));
    }
}

}  // namespace
}  // namespace pelmar
