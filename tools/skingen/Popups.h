#pragma once

#include <QImage>

#include "skin/SkinLayout.h"
#include "tools/skingen/SkinDesign.h"

namespace skingen {

// The function-choice menus: `rows` rows of one width, plus the one-pixel
// line below the last row that the menus show as their bottom edge.
// `branchFirst` to `branchLast` (1-based, 0 for none) open a second level and
// carry an arrow.
// Row size of both menus: wide enough for twenty characters of the label font.
inline constexpr int kMenuRowWidth = 184;
inline constexpr int kMenuRowHeight = 28;

struct MenuShape {
    int rows;
    int branchFirst;
    int branchLast;
};
inline constexpr MenuShape kFirstLevelMenu{10, 7, 10};
inline constexpr MenuShape kSecondLevelMenu{12, 0, 0};

QImage PaintMenu(const MenuShape& shape, State state);
// Only its size is used.
QImage PaintMenuMask(const MenuShape& shape);

// The left-button warning dialog, sized to hold its three areas.
QImage PaintWarning(const pelmar::SkinLayout& layout, const SkinDesign& design, State state);
QImage PaintWarningMask(const pelmar::SkinLayout& layout);
bool WarningMaskKeepsShape(const QImage& decoded, const pelmar::SkinLayout& layout);

}  // namespace skingen
