#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "macro/EventLines.h"

namespace pelmar {
namespace {

using Lines = std::vector<std::string>;

TEST(EventLinesTest, EachEventAddsTheDelayLineBeforeItAndItsOwnLine) {
    MacroRecord record;
    record.eventCount = 4;
    record.events[0] = {4, kEventPress};
    record.events[1] = {4, kEventRelease};
    record.events[2] = {kEventRightButton, kEventPress};
    record.events[3] = {52, 0};
    record.delays[0] = 15;
    record.delays[1] = 30;
    record.delays[2] = 65535;

    EXPECT_EQ(EventLinesOf(record, 0), (Lines{"[↓]A"}));
    EXPECT_EQ(EventLinesOf(record, 1), (Lines{"    15ms", "[↑]A"}));
    EXPECT_EQ(EventLinesOf(record, 2), (Lines{"    30ms", "[↓]R-KEY"}));
    // An action that is neither press nor release shows the bare name.
    EXPECT_EQ(EventLinesOf(record, 3), (Lines{"    65535ms", " ' "}));
    EXPECT_EQ(EventLinesOf(record, 255), Lines{});
}

TEST(EventLinesTest, AnEditedDelayLineIsReadAsTheStoredBytesHoldIt) {
    const struct {
        const char* text;
        int delay;
    } cases[] = {
        {"    250ms", 250},
        {"    15ms", 15},
        {"250", 250},
        {"  7 ms", 7},
        {"12ms34ms", 12},
        {"ms", 0},
        {"abc", 0},
        {"", 0},
        {"-5", 251},
        {"70000", 4464},
        {"65535", 65535},
        {"65536", 0},
        {"-300", 0xFF00 | 212},
        {"99999999999", 0xFFFF},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EditedDelayValue(c.text), c.delay) << '"' << c.text << '"';
    }
}

TEST(EventLinesTest, TheRightClickedLineCountsFromTheTopLineShown) {
    const struct {
        int height, top, cursorY, listTop, line;
    } cases[] = {
        {16, 0, 100, 100, 0}, {16, 0, 115, 100, 0}, {16, 0, 116, 100, 1}, {16, 3, 120, 100, 4},
        {16, 0, 95, 100, 0},  {16, 0, 60, 100, -2}, {0, 5, 300, 100, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EventMenuLine(c.height, c.top, c.cursorY, c.listTop), c.line)
            << c.height << " " << c.top << " " << c.cursorY;
    }
    EXPECT_TRUE(EventMenuOpens(true, 2, 3));
    EXPECT_FALSE(EventMenuOpens(true, 3, 3));
    EXPECT_TRUE(EventMenuOpens(true, 7, 0));
    EXPECT_FALSE(EventMenuOpens(false, 0, 3));
}

}  // namespace
}  // namespace pelmar
