#pragma once

#include <cstdint>

#include "skin/SkinPage.h"

namespace pelmar {

// The index of the first area of `page`, from 0 to `last` inclusive, whose
// half-open rectangle contains the point (x, y), or kNoArea (255) when none
// does. Areas beyond the table contain nothing.
std::int32_t HitTestPage(std::int64_t x, std::int64_t y, const SkinPage& page, int last);

}  // namespace pelmar
