#pragma once

#include <cstdint>

namespace pelmar {

// Areas of the page tables that answer the left button, beside the frame
// areas of skin/PageAreas.h.

// Main-page table: areas 0 to 19 frame every page and act on release (save
// on press); the others are the main page's own and act on press.
namespace main_area {
inline constexpr int kSave = 0;
inline constexpr int kHide = 2;  // cancel the edits and hide
inline constexpr int kApply = 3;
inline constexpr int kLastProfile = 8;  // profiles 1 to 5 are areas 4 to 8
inline constexpr int kImportProfile = 14;
inline constexpr int kExportProfile = 15;
inline constexpr int kMinimize = 12;
inline constexpr int kClose = 13;
inline constexpr int kRestoreDefaults = 16;
inline constexpr int kWebPage = 19;
inline constexpr int kLightingOn = 36;
inline constexpr int kLightingOff = 37;
inline constexpr int kWheelNormal = 41;
inline constexpr int kWheelReverse = 42;
inline constexpr int kFirstDpiSwitch = 46;  // enable switches of DPI levels 0 to 3
inline constexpr int kFirstDpiSelect = 54;  // current-level choice of DPI levels 0 to 3
}  // namespace main_area

// Colour-page table: the four lighting modes, then the last area hit-tested.
namespace colour_area {
inline constexpr int kFirstMode = 0;
inline constexpr int kLastMode = 3;
inline constexpr int kLastHitArea = 4;
}  // namespace colour_area

namespace advanced_area {
inline constexpr int kImportMacros = 0;
inline constexpr int kExportMacros = 1;
inline constexpr int kLastHitArea = 37;
}  // namespace advanced_area

// Values of the profile's ledStatus and wheelStatus that the main page's switches set.
inline constexpr std::uint8_t kLightingOnStatus = 0;
inline constexpr std::uint8_t kLightingOffStatus = 3;
inline constexpr std::int32_t kWheelNormalStatus = 0;
inline constexpr std::int32_t kWheelReverseStatus = 1;

}  // namespace pelmar
