#pragma once

#include <cstdint>

#include "app/SharedState.h"
#include "skin/PageAreas.h"

namespace pelmar {

// Whether none of the buttons other than `buttonIndex` has the left click,
// so that reassigning it could leave the mouse without one.
bool NeedsLeftButtonWarning(const Profile& profile, int buttonIndex);

// Gives the button whose label is area state.assignTarget the function
// `code` in the edited profile. When afterwards no button has the left
// click, the next button gets it, or for the last button the choice is
// replaced by the left click. A target that names no button changes nothing.
void AssignButtonFunction(SharedState& state, std::int32_t code);

}  // namespace pelmar
