#pragma once

#include <filesystem>
#include <vector>

#include "app/Model.h"
#include "tools/datagen/MacroSource.h"

namespace pelmar::datagen {

// Writes the shipped config.ini from its readable source into a new file `output`. The source
// has an [Init] block with CurConfig and VER_SEL, then profile blocks whose header lists the
// sections that get the profile ("[Config2 CfgReset2]"). A profile block holds only the keys
// that differ from profile 1's built-in defaults of `model`, as "KEY = number", "KEY = macro
// ID", binding the default user macro ID in the language the section is used in, or "KEY =
// N dpi", the model's DPI value that selects N DPI. Every profile and template section must
// be defined exactly once. `scratch` is a folder for intermediate files.
void WriteConfig(const std::filesystem::path& source, const std::vector<SourceMacro>& macros,
                 const std::filesystem::path& output, const std::filesystem::path& scratch,
                 const Model& model);

}  // namespace pelmar::datagen
