#include "skin/SkinLoaders.h"

#include <array>
#include <string>
#include <system_error>

#include "app/Notifier.h"
#include "platform/ini/IniFile.h"
#include "skin/SkinEntry.h"
#include "skin/SkinFiles.h"

namespace pelmar {

namespace {

constexpr std::string_view kAreaSection = "BUTTONPOS";
constexpr std::string_view kFunctionSection = "FUN_STRING";
constexpr std::string_view kEditSection = "EDIT";
constexpr std::string_view kListSection = "MACRODISPLAY";

// Fields of an entry: the function name, then the area and its label.
constexpr std::size_t kNameField = 0;
constexpr std::size_t kXField = 1;
constexpr std::size_t kYField = 2;
constexpr std::size_t kWidthField = 3;
constexpr std::size_t kHeightField = 4;
constexpr std::size_t kLabelField = 5;

// Positions in Model::labelCounts.
constexpr std::size_t kMainCount = 0;
constexpr std::size_t kColourCount = 1;
constexpr std::size_t kAdvancedCount = 2;

// The advanced page's controls: where each placement is read from.
struct ControlKey {
    std::string_view section;
    int key;
    SkinRect SkinLayout::*rect;
};
constexpr std::array<ControlKey, 4> kControlKeys{{
    {kEditSection, 3, &SkinLayout::repeatEditRect},
    {kEditSection, 4, &SkinLayout::nameEditRect},
    {kListSection, 1, &SkinLayout::macroListRect},
    {kListSection, 2, &SkinLayout::eventListRect},
}};

SkinRect AreaOf(const SkinEntry& entry) {
    return {ini::ToInt(entry[kXField]), ini::ToInt(entry[kYField]), ini::ToInt(entry[kWidthField]),
            ini::ToInt(entry[kHeightField])};
}

// Checks once per file, so a missing file is reported once and not for
// every key read from it.
SkinLoad CheckFile(const std::filesystem::path& file) {
    std::error_code error;
    if (std::filesystem::is_regular_file(file, error)) {
        return SkinLoad::Loaded;
    }
    notifier.ShowMessage(std::string(kMissingFileMessage));
    return SkinLoad::MissingFile;
}

void ReadPage(SkinPage& page, const std::filesystem::path& file, int count) {
    page.Reset(count);
    for (int key = 0; key < page.Count(); ++key) {
        const SkinEntry entry = ReadSkinEntry(file, kAreaSection, key);
        const auto index = static_cast<std::size_t>(key);
        page.areas[index] = AreaOf(entry);
        page.labels[index] = entry[kLabelField];
    }
}

std::filesystem::path FileOf(const SkinFolder& folder, LayoutFile file) {
    return LayoutFilePath(folder.path, file, folder.languageEnglish);
}

}  // namespace

SkinLoad LoadMainSkin(SkinLayout& layout, const SkinFolder& folder, const Model& model) {
    const std::filesystem::path file = FileOf(folder, LayoutFile::Main);
    const SkinLoad result = CheckFile(file);
    ReadPage(layout.mainPage, file, model.labelCounts[kMainCount]);
    for (int code = 1; code <= kFunctionNameCount; ++code) {
        layout.functionNames[static_cast<std::size_t>(code)] =
            ReadSkinEntry(file, kFunctionSection, code)[kNameField];
    }
    return result;
}

SkinLoad LoadColourSkin(SkinLayout& layout, const SkinFolder& folder, const Model& model) {
    const std::filesystem::path file = FileOf(folder, LayoutFile::Colour);
    const SkinLoad result = CheckFile(file);
    ReadPage(layout.colourPage, file, model.labelCounts[kColourCount]);
    return result;
}

SkinLoad LoadAdvancedSkin(SkinLayout& layout, const SkinFolder& folder, const Model& model) {
    const std::filesystem::path file = FileOf(folder, LayoutFile::Advanced);
    const SkinLoad result = CheckFile(file);
    ReadPage(layout.advancedPage, file, model.labelCounts[kAdvancedCount]);
    for (const ControlKey& control : kControlKeys) {
        layout.*control.rect = AreaOf(ReadSkinEntry(file, control.section, control.key));
    }
    return result;
}

SkinLoad LoadWarningSkin(SkinLayout& layout, const SkinFolder& folder) {
    const std::filesystem::path file = FileOf(folder, LayoutFile::Warning);
    const SkinLoad result = CheckFile(file);
    ReadPage(layout.warning, file, kWarningEntryCount);
    return result;
}

}  // namespace pelmar
