#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "macro/MacroRecord.h"
#include "macro/MacroStore.h"

namespace pelmar::datagen {

// Languages of the shipped files, with the suffix of their names ("name.en", "Macro_EN.dat").
enum class Language { English, Chinese };
inline constexpr std::array kLanguages{Language::English, Language::Chinese};
std::string LanguageSuffix(Language language);  // "en" or "cn"

// One macro of a readable macro source:
//   [id]                     how profiles refer to the macro
//   name = Copy              its name in every language, or per language:
//   name.en = Burst Fire
//   name.cn = 三连发
//   repeat = off             one pass per press; "repeat = N" makes N passes (1 to 65535)
//   LCONTROL down 20         events: a key name of the event list (or code:N), down or up,
//   C        down 20         and the delay after the event in milliseconds
struct SourceMacro {
    std::string id;
    std::array<std::optional<std::string>, kLanguages.size()> names;  // by language
    MacroRecord record;                                               // everything but the name
};

std::vector<SourceMacro> ReadMacroSource(const std::filesystem::path& file);

// The macros that have a name in the language, in source order, as a user macro table.
UserMacroTable MacroTableFor(const std::vector<SourceMacro>& macros, Language language);

// The position of a macro among those of the language, or nothing when it has no name there.
std::optional<int> MacroIndex(const std::vector<SourceMacro>& macros, const std::string& id,
                              Language language);

}  // namespace pelmar::datagen
