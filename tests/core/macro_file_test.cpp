#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "app/Notifier.h"
#include "macro/KeyTable.h"
#include "platform/ini/IniFile.h"
#include "profile/MacroFile.h"
#include "profile/MacroValue.h"
#include "tests/support/TempFolder.h"

namespace pelmar {
namespace {

using test::TempFolder;
using test::WriteFile;

// A record with every byte chosen at random, event codes drawn from those a recording can
// produce (a virtual key converted to its code).
MacroRecord RandomRecord(std::mt19937& random) {
    MacroRecord record;
    for (char16_t& unit : record.name) {
        unit = static_cast<char16_t>(random());
    }
    record.repeatOn = static_cast<std::uint8_t>(random());
    record.repeatCount = static_cast<std::uint16_t>(random());
    record.eventCount = static_cast<std::uint8_t>(random());
    for (std::size_t k = 0; k < kMacroEventSlots; ++k) {
        const auto virtualKey = static_cast<std::uint8_t>(random());
        record.events[k] = {KeyCodeFromVirtualKey(virtualKey), static_cast<std::uint8_t>(random())};
        record.delays[k] = static_cast<std::uint16_t>(random());
    }
    return record;
}

std::string Field(const std::string& value, std::size_t index) {
    return value.substr(3 * index, 3);
}

class MacroFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        notifier.showMessage = [this](const std::string& text) { messages_.push_back(text); };
    }
    void TearDown() override { notifier.showMessage = nullptr; }

    std::string Value(int key) const {
        return ini::ReadString(file_, "Macros", std::to_string(key), 4000);
    }

    TempFolder folder_;
    std::filesystem::path file_ = folder_ / "Macro_EN.dat";
    MacroStore store_;
    std::vector<std::string> messages_;
};

TEST_F(MacroFileTest, EveryByteOfEveryRecordSurvivesAWriteAndARead) {
    std::mt19937 random(11);
    UserMacroTable table;
    table.count = 12;
    for (MacroRecord& record : table.records) {
        record = RandomRecord(random);
    }
    ASSERT_TRUE(WriteMacroFile(file_, table).Ok());
    EXPECT_EQ(Value(0).size(), 3192u);

    ReadMacroFile(file_, store_);
    EXPECT_TRUE(store_.user == table);
    EXPECT_EQ(store_.currentMacro, 11);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(MacroFileTest, FieldsAreThreeDigitsInFileOrder) {
    MacroRecord record;
    SetMacroName(record, u"A");
    record.eventCount = 4;
    record.events[0] = {4, kEventPress};
    record.delays[0] = 300;
    record.events[1] = {kEventLeftButton, kEventPress};
    record.events[2] = {kEventRightButton, kEventRelease};
    record.events[3] = {kEventMiddleButton, kEventPress};
    const std::string value = EncodeMacroValue(record);
    ASSERT_EQ(value.size(), 3192u);

    EXPECT_EQ(value.substr(0, 12), "065000000000");
    const std::pair<std::size_t, const char*> fields[] = {
        {43, "004"}, {44, "065"}, {45, "001"}, {46, "044"}, {47, "001"},
        {48, "240"}, {52, "241"}, {53, "002"}, {56, "242"},
    };
    for (const auto& [index, text] : fields) {
        SCOPED_TRACE("field " + std::to_string(index));
        EXPECT_EQ(Field(value, index), text);
    }
    EXPECT_EQ(DecodeMacroValue(value), record);
}

TEST_F(MacroFileTest, ShortAndDamagedValuesReadWhatTheyHold) {
    const MacroRecord empty;
    EXPECT_EQ(DecodeMacroValue(""), empty);

    // Fields "065", "0x9" (digits up to the 'x'), "300" (low byte 44), "  7", "-01" (-1, low
    // byte 255); the value ends there.
    const MacroBytes bytes = EncodeMacroRecord(DecodeMacroValue("0650x9300  7-01"));
    const std::uint8_t expected[] = {65, 0, 44, 7, 255, 0};
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(bytes[i], expected[i]) << "byte " << i;
    }
}

TEST_F(MacroFileTest, AShorterTableLeavesOldKeysThatReadersIgnore) {
    std::mt19937 random(3);
    UserMacroTable table;
    table.count = 5;
    for (MacroRecord& record : table.records) {
        record = RandomRecord(random);
    }
    ASSERT_TRUE(WriteMacroFile(file_, table).Ok());
    table.count = 3;
    ASSERT_TRUE(WriteMacroFile(file_, table).Ok());

    EXPECT_EQ(Value(3).size(), 3192u);
    EXPECT_EQ(Value(4).size(), 3192u);
    ReadMacroFile(file_, store_);
    EXPECT_EQ(store_.user.count, 3);
    EXPECT_EQ(store_.currentMacro, 2);
}

TEST_F(MacroFileTest, CountDecidesHowManyRecordsAreRead) {
    MacroRecord named;
    SetMacroName(named, u"M");
    const std::string value = EncodeMacroValue(named);
    const std::string three = "0=" + value + "\n1=" + value + "\n2=" + value + "\n";
    struct Case {
        const char* count;
        std::int16_t user;     // records read into the user table
        std::int16_t builtIn;  // and into the built-in table
    };
    // Counts beyond a table's room read only as many records as fit; negative counts read
    // none. macroNum is read with room for two characters.
    const Case cases[] = {
        {"5", 5, 5},  {"0", 0, 0},     {"99", 12, 13}, {"13", 12, 13},
        {"-5", 0, 0}, {"123", 12, 12}, {"", 0, 0},     {"x", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("macroNum=") + c.count);
        WriteFile(file_, std::string("[Macros]\nmacroNum=") + c.count + "\n" + three);
        MacroStore store;
        SetMacroName(store.user.records[11], u"kept");
        SetMacroName(store.builtIn.records[12], u"kept");
        ReadMacroFile(file_, store);
        ReadBuiltInMacroFile(file_, store);
        EXPECT_EQ(store.user.count, c.user);
        EXPECT_EQ(store.builtIn.count, c.builtIn);
        EXPECT_EQ(store.currentMacro, std::max(c.user - 1, 0));
        for (int i = 0; i < 3 && i < c.user; ++i) {
            EXPECT_EQ(MacroName(store.user.records[i]), u"M");
        }
        // Records named in the count but missing from the file read as empty.
        for (int i = 3; i < c.user && i < 11; ++i) {
            EXPECT_EQ(store.user.records[i], MacroRecord{});
        }
        EXPECT_EQ(MacroName(store.user.records[11]), c.user == 12 ? u"" : u"kept");
        EXPECT_EQ(MacroName(store.builtIn.records[12]), c.builtIn == 13 ? u"" : u"kept");
    }
    EXPECT_TRUE(messages_.empty());
}

TEST_F(MacroFileTest, MissingFileShowsTheMessageAndEmptiesTheTable) {
    store_.user.count = 4;
    store_.currentMacro = 3;
    store_.builtIn.count = 8;
    ReadMacroFile(folder_ / "absent.dat", store_);
    ReadBuiltInMacroFile(folder_ / "absent.dat", store_);
    EXPECT_EQ(store_.user.count, 0);
    EXPECT_EQ(store_.currentMacro, 0);
    EXPECT_EQ(store_.builtIn.count, 0);
    EXPECT_EQ(messages_, (std::vector<std::string>{"找不到配置文件", "找不到配置文件"}));

    ASSERT_TRUE(WriteMacroFile(file_, store_.user).Ok());
    EXPECT_EQ(ini::ReadString(file_, "Macros", "macroNum", 3), "0");
}

}  // namespace
}  // namespace pelmar
