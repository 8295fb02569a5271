#include "profile/ProfileActions.h"

#include <array>
#include <cstddef>
#include <mutex>
#include <string_view>

#include "device/FeatureReports.h"
#include "platform/ini/IniFile.h"
#include "profile/MacroFile.h"
#include "profile/ProfileStore.h"

namespace pelmar {

namespace {

// The default user macros, in the skin folder, by interface language.
constexpr std::string_view kDefaultMacrosEnglish = "INI_EN/defMacro.dat";
constexpr std::string_view kDefaultMacrosChinese = "INI_CN/defMacro.dat";

// Profile 1 always restores from the built-in table, the others from their templates.
constexpr std::int32_t kBuiltInProfileNumber = 1;

void Load(SharedState& state, Profile& profile, std::int32_t number, Section section) {
    LoadProfile(profile, state.configPath, number, section, state.languageEnglish, *state.model);
}

}  // namespace

void SaveCurrentProfile(SharedState& state) {
    const std::lock_guard lock(state.profileMutex);
    static_cast<void>(SaveProfile(state.profile, state.configPath, state.currentProfileNumber));
}

void SelectProfile(SharedState& state, std::int32_t number) {
    const std::lock_guard lock(state.profileMutex);
    state.currentProfileNumber = number;
    if (ini::HasSection(state.configPath, ProfileSectionName(number))) {
        Load(state, state.profile, number, Section::Profile);
    } else {
        state.profile = BuiltInProfile(*state.model, state.profile.macroMode2);
    }
}

void RevertToApplied(SharedState& state) {
    const std::lock_guard lock(state.profileMutex);
    if (!ini::HasSection(state.configPath, ProfileSectionName(kAppliedSection))) {
        return;
    }
    static_cast<void>(SaveDpiLevel(state.profile, state.configPath, kAppliedSection));
    Load(state, state.profile, kAppliedSection, Section::Profile);
}

void RestoreDefaults(SharedState& state, PointerSettings& pointer) {
    const Model& model = *state.model;
    const Profile defaults = BuiltInProfile(model, state.profile.macroMode2);
    std::unique_lock lock(state.profileMutex);

    // Entry n - 1 is profile n as restored.
    std::array<Profile, kProfileCount> restored{};
    restored[kBuiltInProfileNumber - 1] = defaults;
    ini::IniBatch batch(state.configPath);
    AddProfileKeys(batch, defaults, kBuiltInProfileNumber);
    // Written from the last profile down, so that a file without these
    // sections lists them in the order 1, 5, 4, 3, 2.
    for (std::int32_t n = kProfileCount; n > kBuiltInProfileNumber; --n) {
        Profile& profile = restored[static_cast<std::size_t>(n - 1)];
        if (ini::HasSection(state.configPath, TemplateSectionName(n, state.languageEnglish))) {
            Load(state, profile, n, Section::Template);
        } else {
            profile = defaults;
        }
        AddProfileKeys(batch, profile, n);
    }
    static_cast<void>(batch.Commit());

    // Taken from memory rather than read back, so that a file that could not
    // be written still leaves the restored profile in the buffer.
    const std::int32_t current = state.currentProfileNumber;
    if (current >= 1 && current <= kProfileCount) {
        state.profile = restored[static_cast<std::size_t>(current - 1)];
    }
    lock.unlock();

    ReadMacroFile(state.skinFolder /
                      (state.languageEnglish != 0 ? kDefaultMacrosEnglish : kDefaultMacrosChinese),
                  state.macros);
    static_cast<void>(WriteMacroFile(state.macroFilePath, state.macros.user));

    ApplyProfile(state, pointer);
}

}  // namespace pelmar
