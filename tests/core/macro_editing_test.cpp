#include <gtest/gtest.h>

#include <string>

#include "macro/MacroEditing.h"

namespace pelmar {
namespace {

// Fills the store with macros of these names, one pass each.
void Name(MacroStore& store, std::initializer_list<std::u16string_view> names) {
    for (const std::u16string_view name : names) {
        MacroRecord& record = store.user.records[static_cast<std::size_t>(store.user.count++)];
        SetMacroName(record, name);
        record.repeatCount = 1;
    }
}

std::u16string NameAt(const MacroStore& store, int index) {
    return MacroName(store.user.records[static_cast<std::size_t>(index)]);
}

TEST(MacroEditingTest, AddingANameAppendsItOrFindsTheMacroThatHasIt) {
    MacroStore store;
    Name(store, {u"Jump", u"Reload"});
    store.user.records[2].eventCount = 9;  // what the free slot held stays

    const auto added = AddMacroRecord(store, u"Dash");
    ASSERT_TRUE(added);
    EXPECT_EQ(added->index, 2);
    EXPECT_TRUE(added->created);
    EXPECT_EQ(store.user.count, 3);
    EXPECT_EQ(NameAt(store, 2), u"Dash");
    EXPECT_EQ(store.user.records[2].eventCount, 9);
    EXPECT_EQ(store.currentMacro, 2);

    const auto existing = AddMacroRecord(store, u"Jump");
    ASSERT_TRUE(existing);
    EXPECT_EQ(existing->index, 0);
    EXPECT_FALSE(existing->created);
    EXPECT_EQ(store.user.count, 3);
    EXPECT_EQ(store.currentMacro, 0);

    // Names are compared exactly.
    EXPECT_TRUE(AddMacroRecord(store, u"jump")->created);
}

TEST(MacroEditingTest, AddingRefusesAnEmptyNameAndAFullTableAndCutsALongName) {
    MacroStore store;
    EXPECT_FALSE(AddMacroRecord(store, u""));
    EXPECT_EQ(store.user.count, 0);

    const std::u16string longName = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    ASSERT_TRUE(AddMacroRecord(store, longName));
    EXPECT_EQ(NameAt(store, 0), longName.substr(0, kMacroNameLength));
    EXPECT_EQ(store.user.records[0].name.back(), u'\0');

    for (char16_t c = u'a'; store.user.count < 12; ++c) {
        ASSERT_TRUE(AddMacroRecord(store, std::u16string(1, c)));
    }
    EXPECT_FALSE(AddMacroRecord(store, u"one more"));
    EXPECT_EQ(store.user.count, 12);
}

TEST(MacroEditingTest, DeletingMovesLaterMacrosDownAndResetsTheFreedSlot) {
    MacroStore store;
    Name(store, {u"Jump", u"Reload", u"Dash"});
    store.user.records[2].repeatOn = 1;
    store.user.records[2].repeatCount = 40;
    store.user.records[2].eventCount = 6;

    EXPECT_EQ(DeleteMacroRecord(store, 0), 0);
    EXPECT_EQ(store.user.count, 2);
    EXPECT_EQ(NameAt(store, 0), u"Reload");
    EXPECT_EQ(NameAt(store, 1), u"Dash");
    EXPECT_EQ(store.user.records[1].repeatCount, 40);
    const MacroRecord& freed = store.user.records[2];
    EXPECT_EQ(freed.repeatOn, 0);
    EXPECT_EQ(freed.repeatCount, 1);
    EXPECT_EQ(freed.eventCount, 0);

    EXPECT_EQ(DeleteMacroRecord(store, 1), 0);
    EXPECT_EQ(store.currentMacro, 0);
    EXPECT_EQ(DeleteMacroRecord(store, 0), 0);
    EXPECT_EQ(store.user.count, 0);
    EXPECT_FALSE(DeleteMacroRecord(store, 0));
    EXPECT_FALSE(DeleteMacroRecord(store, -1));
}

TEST(MacroEditingTest, ARepeatCountIsHeldTo1To65535) {
    const struct {
        const char* text;
        int value;
        bool rewritten;
    } cases[] = {
        {"5", 5, false}, {" 42x", 42, false},    {"65535", 65535, false},
        {"0", 1, true},  {"-3", 1, true},        {"letters", 1, true},
        {"", 1, true},   {"70000", 65535, true}, {"99999999999", 65535, true},
    };
    for (const auto& c : cases) {
        const RepeatCountEntry entry = ParseRepeatCount(c.text);
        EXPECT_EQ(entry.value, c.value) << c.text;
        EXPECT_EQ(entry.rewritten, c.rewritten) << c.text;
    }
}

TEST(MacroEditingTest, RepeatSettingsChangeOnlyMacrosInUse) {
    MacroStore store;
    Name(store, {u"Jump"});
    store.user.records[0].repeatOn = 2;  // a file may hold any value
    EXPECT_EQ(ToggleRepeatOn(store, 0), false);
    EXPECT_EQ(ToggleRepeatOn(store, 0), true);
    EXPECT_EQ(store.user.records[0].repeatOn, 1);
    StoreRepeatCount(store, 0, 12);
    EXPECT_EQ(store.user.records[0].repeatCount, 12);

    EXPECT_FALSE(ToggleRepeatOn(store, 1));
    StoreRepeatCount(store, 1, 12);
    EXPECT_EQ(store.user.records[1], MacroRecord{});
}

TEST(MacroEditingTest, LoopModeSwitchesBetween0And1) {
    Profile profile;
    ToggleLoopMode(profile);
    EXPECT_EQ(profile.macroMode2, 1);
    ToggleLoopMode(profile);
    EXPECT_EQ(profile.macroMode2, 0);
    profile.macroMode2 = 5;
    ToggleLoopMode(profile);
    EXPECT_EQ(profile.macroMode2, 0);
}

}  // namespace
}  // namespace pelmar
