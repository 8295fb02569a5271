#pragma once

#include <cstdint>

#include "profile/Profile.h"
#include "skin/SkinPage.h"

namespace pelmar {

// Advanced-page areas that set profile values.
namespace advanced_area {
inline constexpr int kFirstPointerSpeed = 8;  // pointer speed steps 0 to 9
inline constexpr int kLastPointerSpeed = 17;
inline constexpr int kFirstWheelSpeed = 18;  // wheel speed steps 0 to 9
inline constexpr int kLastWheelSpeed = 27;
inline constexpr int kFireTimeBar = 30;  // rapid-fire interval, set by position
inline constexpr int kFireTimePlus = 31;
inline constexpr int kFireTimeMinus = 32;
}  // namespace advanced_area

inline constexpr std::int32_t kMaxFireTime = 300;  // ms

// A press on advanced area `area` at window x coordinate `x`: sets the
// pointer speed, the wheel speed or the rapid-fire interval. True when the
// area is one of these.
bool PressAdvancedSettingArea(Profile& profile, const SkinPage& advancedPage, int area, int x);

}  // namespace pelmar
