#pragma once

#include <filesystem>

namespace pelmar {

// The running executable; empty when it cannot be determined.
std::filesystem::path ExecutablePath();

// Folder of the running executable; empty when it cannot be determined.
std::filesystem::path ExecutableFolder();

}  // namespace pelmar
