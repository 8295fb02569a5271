#pragma once

#include <cstdint>

namespace pelmar {

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
