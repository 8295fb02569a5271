#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Notifier.h"
#include "macro/MacroStore.h"

namespace pelmar {
namespace {

// Events as (code, delay) pairs; every action is a press so the code identifies the event.
using Timeline = std::vector<std::pair<int, int>>;

MacroRecord RecordOf(const Timeline& events) {
    MacroRecord record;
    for (const auto& [code, delay] : events) {
        record.events[record.eventCount] = {static_cast<std::uint8_t>(code), kEventPress};
        record.delays[record.eventCount] = static_cast<std::uint16_t>(delay);
        ++record.eventCount;
    }
    return record;
}

Timeline TimelineOf(const MacroRecord& record) {
    Timeline events;
    for (int k = 0; k < record.eventCount; ++k) {
        events.emplace_back(record.events[k].code, record.delays[k]);
    }
    return events;
}

class MacroStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        notifier.showMessage = [this](const std::string& text) { messages_.push_back(text); };
    }
    void TearDown() override { notifier.showMessage = nullptr; }

    MacroStore store_;
    std::vector<std::string> messages_;
};

TEST_F(MacroStoreTest, InsertMovesLaterEventsWithTheirDelays) {
    const Timeline five = {{10, 1}, {11, 2}, {12, 3}, {13, 4}, {14, 5}};
    struct Case {
        const char* what;
        Timeline before;
        int index;
        Timeline after;
    };
    const Case cases[] = {
        {"empty macro", {}, 0, {{99, 30}}},
        {"middle", five, 2, {{10, 1}, {11, 2}, {99, 30}, {12, 3}, {13, 4}, {14, 5}}},
        {"front", five, 0, {{99, 30}, {10, 1}, {11, 2}, {12, 3}, {13, 4}, {14, 5}}},
        {"end", five, 5, {{10, 1}, {11, 2}, {12, 3}, {13, 4}, {14, 5}, {99, 30}}},
        {"past the end appends", {{10, 1}}, 7, {{10, 1}, {99, 30}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        store_.user.records[3] = RecordOf(c.before);
        EXPECT_TRUE(InsertMacroEvent(store_, 3, c.index, 99, kEventPress));
        EXPECT_EQ(TimelineOf(store_.user.records[3]), c.after);
    }
    EXPECT_TRUE(messages_.empty());
}

TEST_F(MacroStoreTest, The254thEventFitsAndThe255thOverflows) {
    MacroRecord& record = store_.user.records[0];
    record = RecordOf(Timeline(253, {4, 50}));
    EXPECT_TRUE(InsertMacroEvent(store_, 0, 253, 5, kEventRelease));
    EXPECT_EQ(record.eventCount, 254);
    EXPECT_EQ(record.events[253], (MacroEvent{5, kEventRelease}));
    EXPECT_TRUE(messages_.empty());

    const MacroRecord full = record;
    EXPECT_FALSE(InsertMacroEvent(store_, 0, 0, 6, kEventPress));
    EXPECT_EQ(record, full);
    EXPECT_EQ(messages_, std::vector<std::string>{"Overflow!!!"});
}

TEST_F(MacroStoreTest, InsertOutsideTheTableTouchesNothing) {
    store_.user.records[0] = RecordOf({{10, 1}});
    const UserMacroTable before = store_.user;
    EXPECT_FALSE(InsertMacroEvent(store_, -1, 0, 4, kEventPress));
    EXPECT_FALSE(InsertMacroEvent(store_, 12, 0, 4, kEventPress));
    EXPECT_FALSE(InsertMacroEvent(store_, 0, -1, 4, kEventPress));
    DeleteMacroEvent(store_, -1, 0);
    DeleteMacroEvent(store_, 12, 0);
    EXPECT_TRUE(store_.user == before);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(MacroStoreTest, DeleteMovesLaterEventsDownOrOnlyShortens) {
    const Timeline three = {{10, 1}, {11, 2}, {12, 3}};
    struct Case {
        const char* what;
        Timeline before;
        int index;
        Timeline after;
    };
    const Case cases[] = {
        {"index 1 of three", three, 1, {{10, 1}, {12, 3}}},
        {"first", three, 0, {{11, 2}, {12, 3}}},
        {"last", three, 2, {{10, 1}, {11, 2}}},
        {"beyond the last only shortens", three, 9, {{10, 1}, {11, 2}}},
        {"empty macro", {}, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        store_.user.records[11] = RecordOf(c.before);
        DeleteMacroEvent(store_, 11, c.index);
        EXPECT_EQ(TimelineOf(store_.user.records[11]), c.after);
    }
}

TEST_F(MacroStoreTest, FindByNameIsExactAmongMacrosInUse) {
    SetMacroName(store_.user.records[0], u"ABC");
    SetMacroName(store_.user.records[1], u"abc");
    SetMacroName(store_.user.records[2], u"abc");
    SetMacroName(store_.user.records[3], u"late");
    store_.user.count = 3;
    EXPECT_EQ(FindMacroByName(store_, u"abc"), 1);
    EXPECT_EQ(FindMacroByName(store_, u"ABC"), 0);
    EXPECT_EQ(FindMacroByName(store_, u"ab"), 3);
    EXPECT_EQ(FindMacroByName(store_, u"late"), 3);  // beyond the count: not in use
}

}  // namespace
}  // namespace pelmar
