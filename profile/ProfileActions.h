#pragma once

#include <cstdint>

#include "app/SharedState.h"

namespace pelmar {

class PointerSettings;

// The user's actions on profiles. state.profile is an editing buffer for
// profile state.currentProfileNumber; these actions move it to and from
// state.configPath. Apply is ApplyProfile (device/FeatureReports.h). None of
// them reports an error.

// Writes the buffer into its profile's section. Nothing is sent to the mouse
// and CurConfig is not written.
void SaveCurrentProfile(SharedState& state);

// Makes profile `number` (1 to 5) the one edited and loads it, dropping
// unsaved edits. A profile without a section in the file gets profile 1's
// built-in defaults, so that applying it never leaves the mouse without a
// left click. Nothing is sent to the mouse and CurConfig is not written.
void SelectProfile(SharedState& state, std::int32_t number);

// Returns the buffer to the settings last applied, dropping edits that were
// never applied: the applied-settings section first takes the current DPI
// level, which the mouse may have changed on its own, then the buffer is
// loaded from it. currentProfileNumber is kept. When nothing was ever applied
// (no applied-settings section) the buffer is kept as it is.
void RevertToApplied(SharedState& state);

// Without asking: profile 1 becomes the built-in defaults (keeping the
// current macroMode2), profiles 2 to 5 copies of their templates for the
// interface language, all written in one file replacement; the buffer
// becomes the restored current profile; the user macros are replaced by the
// skin's default macros of the language and written to state.macroFilePath;
// then the profile is applied. A template missing from the file gives that
// profile the built-in defaults instead of an empty profile.
void RestoreDefaults(SharedState& state, PointerSettings& pointer);

}  // namespace pelmar
