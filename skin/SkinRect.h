#pragma once

#include <algorithm>
#include <cstdint>

namespace pelmar {

// Pixel positions and sizes computed from layout values are kept within this
// reach of the window's origin: far outside any window, and small enough that
// Qt's int arithmetic on them cannot overflow.
inline constexpr std::int64_t kPixelReach = std::int64_t{1} << 24;

// A position or size computed in 64 bits from layout values, as Qt takes it.
inline int ToPixels(std::int64_t value) {
    return static_cast<int>(std::clamp(value, -kPixelReach, kPixelReach));
}

// One area of a skin layout, in window client pixels. It covers the half-open
// rectangle from (x, y) to (x + width, y + height): the right and bottom edges
// lie outside. Values are stored as written; an area with a width or height of
// 0 or less contains no point.
struct SkinRect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    // Computed in 64 bits so that no stored value can overflow.
    std::int64_t Right() const { return std::int64_t{x} + width; }
    std::int64_t Bottom() const { return std::int64_t{y} + height; }

    bool Contains(std::int64_t px, std::int64_t py) const {
        return px >= x && px < Right() && py >= y && py < Bottom();
    }

    bool operator==(const SkinRect&) const = default;
};

}  // namespace pelmar
