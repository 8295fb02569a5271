#pragma once

#include <cstdint>
#include <optional>

namespace pelmar {

// The rows of the function-choice popups. The first level has ten rows:
// rows 1 to 6 choose function codes 1 to 6 directly, rows 7 to 10 open a
// second level beside it with the functions of a group.

inline constexpr int kFirstLevelRows = 10;
// The first level hit-tests two rows more than it shows; only the one-pixel
// line below its last row lies inside its shape.
inline constexpr int kFirstLevelHitRows = 12;
inline constexpr int kLastDirectRow = 6;
// Row values that name no row.
inline constexpr int kNoRow = 255;

// The second level opened by a first-level row.
struct SubMenuGroup {
    int rows = 0;             // rows shown
    std::int32_t base = 0;    // row r chooses function code base + r
    int offsetRows = 0;       // rows below the first level's top edge (may be negative)
    bool userMacros = false;  // labels are the user macros' names
};

// The group of first-level row `row` with `macroCount` user macros; nothing
// for rows that open no second level.
std::optional<SubMenuGroup> SubMenuFor(int row, int macroCount);

// The row r (1 to rows) whose band 0 <= x < rowWidth,
// (r - 1) * rowHeight <= y < r * rowHeight holds the point; kNoRow for none.
int HitTestRows(int x, int y, int rowWidth, int rowHeight, int rows);

}  // namespace pelmar
