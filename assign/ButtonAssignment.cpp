#include "assign/ButtonAssignment.h"

#include <algorithm>
#include <cstddef>

#include "profile/FunctionCodes.h"

namespace pelmar {

bool NeedsLeftButtonWarning(const Profile& profile, int buttonIndex) {
    for (int i = 0; i < kButtonCount; ++i) {
        if (i != buttonIndex &&
            profile.buttonFunction[static_cast<std::size_t>(i)] == kLeftClickCode) {
            return false;
        }
    }
    return true;
}

void AssignButtonFunction(SharedState& state, std::int32_t code) {
    const std::int32_t index = state.assignTarget - kFirstButtonArea;
    if (index < 0 || index >= kButtonCount) {
        return;
    }
    auto& functions = state.profile.buttonFunction;
    functions[static_cast<std::size_t>(index)] = code;
    if (std::find(functions.begin(), functions.end(), kLeftClickCode) != functions.end()) {
        return;
    }
    const bool lastButton = index == kButtonCount - 1;
    functions[static_cast<std::size_t>(lastButton ? index : index + 1)] = kLeftClickCode;
}

}  // namespace pelmar
