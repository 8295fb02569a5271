#pragma once

#include <filesystem>
#include <memory>

#include "app/SharedState.h"

namespace pelmar::bench {

// A state block filled from a program folder the way model A's start-up fills it before the
// window shows: paths, the current profile and language, the skin layouts and the macro
// files. Nothing when a layout file is missing.
std::unique_ptr<SharedState> LoadProgramState(const std::filesystem::path& programFolder);

}  // namespace pelmar::bench
