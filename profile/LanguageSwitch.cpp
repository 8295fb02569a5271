#include "profile/LanguageSwitch.h"

#include <string_view>

#include "profile/MacroFile.h"
#include "profile/ProfileStore.h"

namespace pelmar {

namespace {

// The user macro files, by interface language.
constexpr std::string_view kUserMacrosEnglish = "Macro_EN.dat";
constexpr std::string_view kUserMacrosChinese = "Macro_CN.dat";

}  // namespace

SkinLoad LoadSkinLayouts(SharedState& state) {
    const SkinFolder folder{state.skinFolder, state.languageEnglish};
    const Model& model = *state.model;
    bool complete = LoadMainSkin(state.skin, folder, model) == SkinLoad::Loaded;
    complete = LoadColourSkin(state.skin, folder, model) == SkinLoad::Loaded && complete;
    complete = LoadAdvancedSkin(state.skin, folder, model) == SkinLoad::Loaded && complete;
    complete = LoadWarningSkin(state.skin, folder) == SkinLoad::Loaded && complete;
    return complete ? SkinLoad::Loaded : SkinLoad::MissingFile;
}

std::filesystem::path UserMacroFilePath(const std::filesystem::path& programFolder,
                                        std::int32_t languageEnglish) {
    return programFolder / (languageEnglish != 0 ? kUserMacrosEnglish : kUserMacrosChinese);
}

SkinLoad SwitchLanguage(SharedState& state, std::int32_t languageEnglish) {
    state.languageEnglish = languageEnglish != 0 ? kLanguageEnglish : kLanguageChinese;
    static_cast<void>(WriteLanguage(state.configPath, state.languageEnglish));
    const SkinLoad layouts = LoadSkinLayouts(state);
    state.macroFilePath = UserMacroFilePath(state.programFolder, state.languageEnglish);
    ReadMacroFile(state.macroFilePath, state.macros);
    return layouts;
}

}  // namespace pelmar
