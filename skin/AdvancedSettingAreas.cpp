#include "skin/AdvancedSettingAreas.h"

#include <algorithm>

namespace pelmar {

namespace {

using namespace advanced_area;

// The interval the bar stands for at x: 0 at its left edge, in proportion
// across its width.
std::int32_t FireTimeAt(const SkinRect& bar, int x) {
    if (bar.width <= 0) {
        return 0;
    }
    const std::int64_t time = (std::int64_t{x} - bar.x) * kMaxFireTime / bar.width;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(time, 0, kMaxFireTime));
}

}  // namespace

bool PressAdvancedSettingArea(Profile& profile, const SkinPage& advancedPage, int area, int x) {
    if (area >= kFirstPointerSpeed && area <= kLastPointerSpeed) {
        profile.dpiSpeed = static_cast<std::uint8_t>(area - kFirstPointerSpeed);
    } else if (area >= kFirstWheelSpeed && area <= kLastWheelSpeed) {
        profile.wheelSpeed = static_cast<std::uint8_t>(area - kFirstWheelSpeed);
    } else if (area == kFireTimeBar) {
        profile.fireTime = FireTimeAt(advancedPage.Area(kFireTimeBar), x);
    } else if (area == kFireTimePlus) {
        profile.fireTime = std::min(profile.fireTime + 1, kMaxFireTime);
    } else if (area == kFireTimeMinus) {
        profile.fireTime = std::max(profile.fireTime - 1, 0);
    } else {
        return false;
    }
    return true;
}

}  // namespace pelmar
