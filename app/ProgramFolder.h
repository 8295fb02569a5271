#pragma once

#include <filesystem>
#include <string>

namespace pelmar {

// Where the program folder can come from, as found at start-up.
struct ProgramFolderSources {
    std::filesystem::path folderOption;      // --folder; empty when not given
    std::filesystem::path executableFolder;  // folder of the running executable
    std::filesystem::path installedData;     // read-only data of an installed program
    std::filesystem::path userFolder;        // the user's own folder for an installed program
};

struct ProgramFolderChoice {
    std::filesystem::path folder;
    std::string error;  // set when the user's folder could not be made ready
};

// The folder an executable's installed data lives in: name under the data
// directory, reached from the executable's folder by dataFromExecutable
// (for example ../share).
std::filesystem::path InstalledDataFolder(const std::filesystem::path& executableFolder,
                                          const std::filesystem::path& dataFromExecutable,
                                          const std::string& name);

// The user's own folder for name: $XDG_DATA_HOME/name, or
// ~/.local/share/name when XDG_DATA_HOME is unset or not absolute. Empty
// when neither variable gives a place.
std::filesystem::path UserDataFolder(const std::string& name);

// Chooses the program folder: --folder first; then the executable's folder
// when it holds its own config.ini (a build tree or a folder copied whole);
// then, when installed data exists, the user's folder, seeded from it; else
// the executable's folder as it is.
ProgramFolderChoice ChooseProgramFolder(const ProgramFolderSources& sources);

// Copies into to every file of from that to does not have yet, each through
// a temporary file renamed into place, so a copy is whole or absent. Files
// already in to are never touched. Gives an error text, empty on success.
std::string SeedFolder(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace pelmar
