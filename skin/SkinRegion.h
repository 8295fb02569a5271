#pragma once

#include <QImage>
#include <QRegion>
#include <QSize>
#include <filesystem>
#include <optional>

#include "skin/SkinLayout.h"

namespace pelmar {

// A mask pixel is cut away when its red, green and blue are all above this.
inline constexpr int kMaskCutLevel = 100;

// The window shape a mask draws: every pixel with a component of 100 or less
// belongs to it; lighter pixels are cut away. Built from the runs of each
// scan line.
QRegion CreateRegionFromMask(const QImage& mask);

// The region repainted while the advanced page is shown: the window shape
// without the name edit box, the event list and the macro list, which paint
// themselves.
QRegion AdvancedInvalidRegion(const QRegion& windowShape, const SkinLayout& layout);

// The main window's size and shape, built once at start-up.
struct WindowShape {
    QSize size;                  // the mask's size, the size of every paint
    QRegion region;              // handed to the window
    QRegion advancedInvalidRgn;  // see AdvancedInvalidRegion
};

// Decodes the mask image and builds the window's shape from it and from the
// advanced page's control placements. A missing or undecodable mask shows
// "找不到配置文件" and gives nothing; the caller ends the program.
std::optional<WindowShape> BuildWindowShape(const std::filesystem::path& maskPath,
                                            const SkinLayout& layout);

}  // namespace pelmar
