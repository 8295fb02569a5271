// The left-click rule of a button assignment and the rows of the popups.
#include "assign/ButtonAssignment.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "assign/MenuRows.h"

namespace pelmar {
namespace {

using Functions = std::array<std::int32_t, kButtonCount>;

TEST(ButtonAssignmentTest, KeepsALeftClickOnSomeButton) {
    const struct {
        const char* what;
        Functions before;
        int button;  // index
        std::int32_t code;
        Functions after;
    } cases[] = {
        {"another button keeps it", {1, 1, 3, 5, 4, 6}, 0, 2, {2, 1, 3, 5, 4, 6}},
        {"the next button takes it", {1, 2, 3, 5, 4, 6}, 0, 2, {2, 1, 3, 5, 4, 6}},
        {"the last button keeps it", {2, 2, 3, 5, 4, 1}, 5, 23, {2, 2, 3, 5, 4, 1}},
        {"choosing the left click itself", {2, 2, 3, 5, 4, 6}, 3, 1, {2, 2, 3, 1, 4, 6}},
        {"a left click further on stays", {2, 3, 1, 5, 4, 6}, 4, 43, {2, 3, 1, 5, 43, 6}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SharedState state;
        state.profile.buttonFunction = c.before;
        state.assignTarget = kFirstButtonArea + c.button;
        AssignButtonFunction(state, c.code);
        EXPECT_EQ(state.profile.buttonFunction, c.after);
    }
}

TEST(ButtonAssignmentTest, ATargetThatNamesNoButtonChangesNothing) {
    for (const std::int32_t target : {0, kFirstButtonArea - 1, kLastButtonArea + 1, 255}) {
        SharedState state;
        state.profile.buttonFunction = {1, 2, 3, 5, 4, 6};
        state.assignTarget = target;
        AssignButtonFunction(state, 7);
        EXPECT_EQ(state.profile.buttonFunction, (Functions{1, 2, 3, 5, 4, 6})) << target;
    }
}

TEST(ButtonAssignmentTest, WarnsOnlyWhenNoOtherButtonHasTheLeftClick) {
    Profile profile;
    profile.buttonFunction = {1, 2, 3, 5, 4, 6};
    EXPECT_TRUE(NeedsLeftButtonWarning(profile, 0));
    EXPECT_FALSE(NeedsLeftButtonWarning(profile, 3));
    profile.buttonFunction = {2, 2, 1, 5, 4, 6};
    EXPECT_FALSE(NeedsLeftButtonWarning(profile, 0));
    EXPECT_TRUE(NeedsLeftButtonWarning(profile, 2));
}

TEST(MenuRowsTest, GroupsOfTheSecondLevel) {
    const struct {
        int row;
        int macros;
        std::optional<SubMenuGroup> group;
    } cases[] = {
        {6, 5, std::nullopt},
        {7, 5, SubMenuGroup{6, 10, 1, false}},
        {8, 5, SubMenuGroup{10, 20, -2, false}},
        {9, 5, SubMenuGroup{5, 40, 4, true}},
        {9, 12, SubMenuGroup{12, 40, -3, true}},
        {9, 0, SubMenuGroup{0, 40, 9, true}},
        {10, 5, SubMenuGroup{8, 30, 2, false}},
        {11, 5, std::nullopt},
        {kNoRow, 5, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.row) + " with " + std::to_string(c.macros));
        const std::optional<SubMenuGroup> group = SubMenuFor(c.row, c.macros);
        ASSERT_EQ(group.has_value(), c.group.has_value());
        if (group) {
            EXPECT_EQ(group->rows, c.group->rows);
            EXPECT_EQ(group->base, c.group->base);
            EXPECT_EQ(group->offsetRows, c.group->offsetRows);
            EXPECT_EQ(group->userMacros, c.group->userMacros);
        }
    }
}

TEST(MenuRowsTest, HitTestsHalfOpenBands) {
    const struct {
        int x;
        int y;
        int rows;
        int row;
    } cases[] = {
        {0, 0, 12, 1},         {99, 19, 12, 1},      {0, 20, 12, 2},      {50, 239, 12, 12},
        {50, 240, 12, kNoRow}, {100, 0, 12, kNoRow}, {-1, 0, 12, kNoRow}, {0, -1, 12, kNoRow},
        {50, 100, 5, kNoRow},  {50, 99, 5, 5},       {0, 0, 0, kNoRow},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        EXPECT_EQ(HitTestRows(c.x, c.y, 100, 20, c.rows), c.row);
    }
    EXPECT_EQ(HitTestRows(0, 0, 100, 0, 12), kNoRow) << "a mask shorter than its rows";
}

}  // namespace
}  // namespace pelmar
