#pragma once

#include <filesystem>
#include <string_view>

namespace pelmar {

// A user's base folder after the XDG rules: the value of variable when it is
// an absolute path, else defaultUnderHome under $HOME. Empty when neither
// gives an absolute path.
std::filesystem::path XdgBaseFolder(std::string_view variable, std::string_view defaultUnderHome);

// $XDG_DATA_HOME, by default ~/.local/share.
std::filesystem::path XdgDataHome();

// $XDG_CONFIG_HOME, by default ~/.config.
std::filesystem::path XdgConfigHome();

}  // namespace pelmar
