#pragma once

#include <array>
#include <cstdint>

#include "profile/SharedField.h"

namespace pelmar {

inline constexpr int kButtonCount = 6;
inline constexpr int kDpiLevelCount = 4;
inline constexpr int kProfileCount = 5;
// Section numbers beyond the five profiles.
inline constexpr int kAppliedSection = 6;   // settings last sent to the mouse
inline constexpr int kExchangeSection = 7;  // the profile inside an exported file

// The profile being edited: one field per key of a Config section. The
// listener and the player read the button functions and the trigger mode, and
// the player follows the mouse's own DPI level and report-rate changes, while
// the user-interface thread edits the profile: those fields are shared.
struct Profile {
    SharedArray<std::int32_t, kButtonCount> buttonFunction{};
    SharedField<std::int32_t> dpiLevel = 0;
    std::int32_t wheelStatus = 0;
    SharedField<std::int32_t> macroMode2 = 0;
    std::array<std::uint8_t, kDpiLevelCount> dpiSet{};
    std::array<std::uint8_t, kDpiLevelCount> dpiSetEnabled{};
    std::uint8_t ledStatus = 0;
    std::uint8_t dpiSpeed = 0;
    std::uint8_t wheelSpeed = 0;
    SharedField<std::uint8_t> usbSpeed = 0;
    std::int32_t fireTime = 0;
    // Main-page area showing the chosen DPI value of each level (60 + 5 * level
    // + dpiSet); derived, never stored, and kept only by models that have it.
    std::array<std::int32_t, kDpiLevelCount> dpiSetButton{};

    bool operator==(const Profile&) const = default;
};

}  // namespace pelmar
