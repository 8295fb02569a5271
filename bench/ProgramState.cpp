#include "bench/ProgramState.h"

#include "profile/LanguageSwitch.h"
#include "profile/MacroFile.h"
#include "profile/ProfileStore.h"

namespace pelmar::bench {

std::unique_ptr<SharedState> LoadProgramState(const std::filesystem::path& programFolder) {
    auto state = std::make_unique<SharedState>();
    state->model = &ModelA();
    state->programFolder = programFolder;
    state->configPath = programFolder / "config.ini";
    state->skinFolder = programFolder / "skins";
    std::int32_t number = ReadCurrentProfileNumber(state->configPath);
    if (number < 1 || number > kProfileCount) {
        number = 1;
    }
    state->currentProfileNumber = number;
    state->languageEnglish = ReadLanguage(state->configPath);
    LoadProfile(state->profile, state->configPath, number, Section::Profile, state->languageEnglish,
                *state->model);
    if (LoadSkinLayouts(*state) != SkinLoad::Loaded) {
        return nullptr;
    }
    state->macroFilePath = UserMacroFilePath(programFolder, state->languageEnglish);
    ReadMacroFile(state->macroFilePath, state->macros);
    ReadBuiltInMacroFile(programFolder / "constMacro.dat", state->macros);
    return state;
}

}  // namespace pelmar::bench
