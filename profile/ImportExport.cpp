#include "profile/ImportExport.h"

#include <mutex>

#include "profile/MacroFile.h"
#include "profile/ProfileStore.h"

namespace pelmar {

ProfileImport ImportProfile(SharedState& state, const std::filesystem::path& path) {
    if (!ini::HasSection(path, ProfileSectionName(kExchangeSection))) {
        return ProfileImport::NoProfile;
    }
    const std::lock_guard lock(state.profileMutex);
    LoadProfile(state.profile, path, kExchangeSection, Section::Profile, state.languageEnglish,
                *state.model);
    return ProfileImport::Imported;
}

ini::WriteResult ExportProfile(const SharedState& state, const std::filesystem::path& path) {
    return SaveProfile(state.profile, path, kExchangeSection);
}

void ImportMacros(SharedState& state, const std::filesystem::path& path) {
    ReadMacroFile(path, state.macros);
}

ini::WriteResult ExportMacros(const SharedState& state, const std::filesystem::path& path) {
    return WriteMacroFile(path, state.macros.user);
}

}  // namespace pelmar
