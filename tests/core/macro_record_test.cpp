#include <gtest/gtest.h>

#include <random>

#include "macro/MacroRecord.h"
#include "macro/Utf16.h"

namespace pelmar {
namespace {

TEST(MacroRecordTest, EveryByteSurvivesDecodeAndEncode) {
    std::mt19937 random(7);
    MacroBytes bytes{};
    for (std::uint8_t& byte : bytes) {
        byte = static_cast<std::uint8_t>(random());
    }
    EXPECT_EQ(EncodeMacroRecord(DecodeMacroRecord(bytes)), bytes);
}

TEST(MacroRecordTest, FieldsSitAtTheirOffsetsLittleEndian) {
    MacroRecord record;
    SetMacroName(record, u"A");
    record.repeatOn = 1;
    record.repeatCount = 0x1234;
    record.eventCount = 255;
    record.events[0] = {4, kEventPress};
    record.delays[0] = 300;
    record.events[254] = {kEventMiddleButton, kEventRelease};
    record.delays[254] = 0xBEEF;

    const MacroBytes bytes = EncodeMacroRecord(record);
    const std::pair<std::size_t, std::uint8_t> expected[] = {
        {0, 65},    {1, 0},    {2, 0},       {3, 0},       {40, 1},     {41, 0x34},
        {42, 0x12}, {43, 255}, {44, 4},      {45, 1},      {554, 0x2C}, {555, 0x01},
        {552, 242}, {553, 2},  {1062, 0xEF}, {1063, 0xBE},
    };
    for (const auto& [offset, value] : expected) {
        SCOPED_TRACE("byte " + std::to_string(offset));
        EXPECT_EQ(bytes[offset], value);
    }
    EXPECT_EQ(DecodeMacroRecord(bytes), record);
}

TEST(MacroRecordTest, NamesAreCutToNineteenUnitsWithoutSplittingAPair) {
    MacroRecord record;
    record.name.fill(u'x');
    SetMacroName(record, u"abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(MacroName(record), u"abcdefghijklmnopqrs");
    EXPECT_EQ(record.name[19], 0);

    // 18 units, then a character outside the Basic Multilingual Plane (two units).
    SetMacroName(record, u"abcdefghijklmnopqr\U0001F600");
    EXPECT_EQ(MacroName(record), u"abcdefghijklmnopqr");

    SetMacroName(record, u"短名");
    EXPECT_EQ(MacroName(record), u"短名");
    EXPECT_EQ(record.name[2], 0);

    // A file may fill all 20 units without a terminator.
    record.name.fill(u'z');
    EXPECT_EQ(MacroName(record).size(), kMacroNameUnits);
}

TEST(MacroRecordTest, Utf8AndUtf16ConvertBothWaysAndRepairBadInput) {
    const std::string text = "切换输入法 Tab \xF0\x9F\x98\x80";
    EXPECT_EQ(Utf8FromUtf16(Utf16FromUtf8(text)), text);
    EXPECT_EQ(Utf16FromUtf8("a\xFF"
                            "b"),
              u"a\uFFFDb");
    EXPECT_EQ(Utf16FromUtf8("\xE4\xB8"), u"\uFFFD\uFFFD");
    EXPECT_EQ(Utf16FromUtf8("\xC0\x80"), u"\uFFFD");  // overlong encoding of NUL
    EXPECT_EQ(Utf8FromUtf16(u"x\xD800y"), "x\xEF\xBF\xBDy");
}

}  // namespace
}  // namespace pelmar
