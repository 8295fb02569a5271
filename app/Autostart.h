#pragma once

#include <filesystem>
#include <string>

#include "app/Model.h"

namespace pelmar {

// The user's autostart entry for the model: <applicationId>.desktop in
// $XDG_CONFIG_HOME/autostart, or ~/.config/autostart when XDG_CONFIG_HOME is
// unset or not absolute. Empty when neither variable gives a place.
std::filesystem::path AutostartEntryPath(const Model& model);

// The entry's text: starts executable hidden in the tray at login.
std::string AutostartEntry(const Model& model, const std::filesystem::path& executable);

// Writes the entry (on) or removes it (off). Gives an error text, empty on
// success.
std::string SetAutostart(const Model& model, bool on, const std::filesystem::path& executable);

}  // namespace pelmar
