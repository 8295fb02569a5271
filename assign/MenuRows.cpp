#include "assign/MenuRows.h"

#include <array>

namespace pelmar {

namespace {

// First-level rows 7 to 10: mouse functions 11 to 16, multimedia keys 21 to
// 30, the user macros 41 onward, the built-in macros 31 to 38.
constexpr int kFirstGroupRow = 7;
constexpr int kUserMacroRow = 9;
constexpr std::array<SubMenuGroup, 4> kGroups{{
    {6, 10, 1, false},
    {10, 20, -2, false},
    {0, 40, 0, true},
    {8, 30, 2, false},
}};

}  // namespace

std::optional<SubMenuGroup> SubMenuFor(int row, int macroCount) {
    if (row < kFirstGroupRow || row > kFirstGroupRow + static_cast<int>(kGroups.size()) - 1) {
        return std::nullopt;
    }
    SubMenuGroup group = kGroups[static_cast<std::size_t>(row - kFirstGroupRow)];
    if (group.userMacros) {
        // The macro list ends level with row 9.
        group.rows = macroCount;
        group.offsetRows = kUserMacroRow - macroCount;
    }
    return group;
}

int HitTestRows(int x, int y, int rowWidth, int rowHeight, int rows) {
    if (x < 0 || x >= rowWidth || y < 0 || rowHeight <= 0) {
        return kNoRow;
    }
    const int row = y / rowHeight + 1;
    return row <= rows ? row : kNoRow;
}

}  // namespace pelmar
