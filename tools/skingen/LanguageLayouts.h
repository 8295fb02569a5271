#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "app/Model.h"
#include "skin/SkinLayout.h"

namespace skingen {

// The layout files of both languages. The pictures are shared by the two
// languages, so their areas must agree; only labels and names may differ.
struct LanguageLayouts {
    pelmar::SkinLayout english;
    pelmar::SkinLayout chinese;
};

// Reads both languages' layout files from `folder` (which holds INI_EN and
// INI_CN). Gives nothing, and says why in `error`, when a file is missing,
// an entry is malformed or the two languages place an area differently.
std::optional<LanguageLayouts> LoadLanguageLayouts(const std::filesystem::path& folder,
                                                   const pelmar::Model& model, std::string& error);

}  // namespace skingen
