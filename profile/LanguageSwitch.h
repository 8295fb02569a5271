#pragma once

#include <cstdint>
#include <filesystem>

#include "app/SharedState.h"
#include "skin/SkinLoaders.h"

namespace pelmar {

// The values of languageEnglish the program stores.
inline constexpr std::int32_t kLanguageChinese = 0;
inline constexpr std::int32_t kLanguageEnglish = 1;

// The user macro file of a language, in the program folder.
std::filesystem::path UserMacroFilePath(const std::filesystem::path& programFolder,
                                        std::int32_t languageEnglish);

// Reads the four layout files of state.languageEnglish into state.skin, all
// of them even after a missing one, so that each missing file is reported.
SkinLoad LoadSkinLayouts(SharedState& state);

// The steps of a language switch that need no window: languageEnglish
// becomes 0 (Chinese) or 1 (English), VER_SEL is written at once so the next
// start keeps it, the four layout files of the language are read again, and
// the user macros are replaced by the language's macro file without saving
// the previous language's table first. Returns MissingFile when a layout file
// is missing (its message has been shown; the caller ends the program). The
// profile in memory is not touched.
SkinLoad SwitchLanguage(SharedState& state, std::int32_t languageEnglish);

}  // namespace pelmar
