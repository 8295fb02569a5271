#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "app/Model.h"
#include "skin/SkinLayout.h"

namespace pelmar {

// Shown once for every layout file that does not exist.
inline constexpr std::string_view kMissingFileMessage = "找不到配置文件";

// Where the layout files lie and which language's variant to read.
struct SkinFolder {
    std::filesystem::path path;        // the skin folder
    std::int32_t languageEnglish = 0;  // nonzero reads the English files
};

// Whether a loader found its layout file. With MissingFile the message has
// been shown and the loader's tables are empty; the caller ends the program.
enum class [[nodiscard]] SkinLoad : std::uint8_t{Loaded, MissingFile};

// Each loader overwrites its tables in place from one layout file; missing
// keys give empty areas (0, 0, 0, 0) and empty labels.
//
// Main page: "BUTTONPOS" keys 0 to the model's main count - 1, and
// functionNames from "FUN_STRING" keys 1 to 54 (the text before the first
// comma).
SkinLoad LoadMainSkin(SkinLayout& layout, const SkinFolder& folder, const Model& model);
// Colour page: "BUTTONPOS" keys 0 to the model's colour count - 1.
SkinLoad LoadColourSkin(SkinLayout& layout, const SkinFolder& folder, const Model& model);
// Advanced page: "BUTTONPOS" keys 0 to the model's advanced count - 1, and
// the four control placements: "EDIT" 3 (repeat count) and 4 (macro name),
// "MACRODISPLAY" 1 (macro list) and 2 (event list).
SkinLoad LoadAdvancedSkin(SkinLayout& layout, const SkinFolder& folder, const Model& model);
// Warning dialog: "BUTTONPOS" keys 0 to 2.
SkinLoad LoadWarningSkin(SkinLayout& layout, const SkinFolder& folder);

}  // namespace pelmar
