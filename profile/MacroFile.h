#pragma once

#include <filesystem>

#include "macro/MacroStore.h"
#include "platform/ini/IniFile.h"

namespace pelmar {

// Macro files are settings files with one section, "Macros": "macroNum" holds the number of
// macros and keys "0", "1", ... one macro value each (profile/MacroValue.h).
//
// A missing file shows "找不到配置文件" and reads as an empty table. A count above the table's
// capacity reads only as many records as fit, a negative count reads as 0. Records at or beyond
// the count keep what they held.

// Replaces the user macros by the file's; currentMacro becomes the last macro, 0 when none.
void ReadMacroFile(const std::filesystem::path& path, MacroStore& store);

// Replaces the built-in macros by the file's.
void ReadBuiltInMacroFile(const std::filesystem::path& path, MacroStore& store);

// Writes macroNum and one value per user macro in use as a single file replacement. Keys of
// records at or beyond the count that an earlier write left stay in the file; readers ignore
// them.
ini::WriteResult WriteMacroFile(const std::filesystem::path& path, const UserMacroTable& table);

}  // namespace pelmar
