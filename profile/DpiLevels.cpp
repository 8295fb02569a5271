#include "profile/DpiLevels.h"

#include <cstddef>

#include "profile/ProfileStore.h"

namespace pelmar {

namespace {

bool IsLevel(int level) {
    return level >= 0 && level < kDpiLevelCount;
}

bool IsEnabled(const Profile& profile, int level) {
    return IsLevel(level) && profile.dpiSetEnabled[static_cast<std::size_t>(level)] != 0;
}

}  // namespace

void ToggleDpiLevel(Profile& profile, int level) {
    if (!IsLevel(level)) {
        return;
    }
    auto& enabled = profile.dpiSetEnabled[static_cast<std::size_t>(level)];
    enabled = enabled != 0 ? 0 : 1;
    // The current level is checked whatever was toggled, so that a profile
    // read from an edited file whose current level is disabled (or not a
    // level at all) is set right too.
    if (IsEnabled(profile, profile.dpiLevel)) {
        return;
    }
    for (int step = 1; step < kDpiLevelCount; ++step) {
        const int next = (level + step) % kDpiLevelCount;
        if (IsEnabled(profile, next)) {
            profile.dpiLevel = next;
            return;
        }
    }
    enabled = 1;
    profile.dpiLevel = level;
}

void SelectDpiLevel(Profile& profile, int level) {
    if (IsEnabled(profile, level)) {
        profile.dpiLevel = level;
    }
}

void SetDpiValue(Profile& profile, const Model& model, int level, int step) {
    if (!IsLevel(level) || step < 0 || step >= model.dpiValueCount) {
        return;
    }
    const auto index = static_cast<std::size_t>(level);
    profile.dpiSet[index] = static_cast<std::uint8_t>(step);
    if (model.hasDpiSetButton) {
        profile.dpiSetButton[index] = DpiSetButton(level, profile.dpiSet[index]);
    }
}

}  // namespace pelmar
