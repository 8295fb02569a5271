#pragma once

#include "app/Model.h"
#include "profile/Profile.h"

namespace pelmar {

// Edits of the four DPI levels of a profile, as the main page makes them.
// Levels outside 0 to 3 change nothing.

// Enables a disabled level and disables an enabled one. At least one level
// stays enabled and the current level is always an enabled one: when the
// current level is not enabled afterwards, the first enabled level after
// `level` (level + 1, level + 2, ... wrapping from 3 to 0) becomes current;
// disabling the only enabled level leaves it enabled.
void ToggleDpiLevel(Profile& profile, int level);

// Makes an enabled level the current one; a disabled level changes nothing.
void SelectDpiLevel(Profile& profile, int level);

// Gives a level the DPI value `step` (0 to the model's dpiValueCount - 1),
// and on models that show it, the main-page area of that value.
void SetDpiValue(Profile& profile, const Model& model, int level, int step);

}  // namespace pelmar
