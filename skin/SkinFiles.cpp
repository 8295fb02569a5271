#include "skin/SkinFiles.h"

namespace pelmar {

std::filesystem::path LayoutFilePath(const std::filesystem::path& skinFolder, LayoutFile file,
                                     std::int32_t languageEnglish) {
    const LayoutFileName& name = kLayoutFileNames[static_cast<std::size_t>(file)];
    return skinFolder / (languageEnglish != 0 ? name.english : name.chinese);
}

}  // namespace pelmar
