#include "app/ProgramFolder.h"

#include <unistd.h>

#include <system_error>

#include "platform/system/XdgFolders.h"

namespace pelmar {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kOwnSettingsFile = "config.ini";
std::string Describe(const fs::path& path, const std::error_code& error) {
    return path.string() + ": " + error.message();
}

// Copies one file next to its target under a name of this process, then
// renames it into place.
std::string CopyWhole(const fs::path& source, const fs::path& target) {
    std::error_code error;
    const fs::path temporary = target.parent_path() / ("." + target.filename().string() + ".seed-" +
                                                       std::to_string(::getpid()));
    if (!fs::copy_file(source, temporary, fs::copy_options::overwrite_existing, error)) {
        fs::remove(temporary, error);
        return Describe(target, error ? error : std::make_error_code(std::errc::io_error));
    }
    fs::rename(temporary, target, error);
    if (error) {
        const std::string text = Describe(target, error);
        fs::remove(temporary, error);
        return text;
    }
    return {};
}

}  // namespace

fs::path InstalledDataFolder(const fs::path& executableFolder, const fs::path& dataFromExecutable,
                             const std::string& name) {
    return (executableFolder / dataFromExecutable / name).lexically_normal();
}

fs::path UserDataFolder(const std::string& name) {
    const fs::path dataHome = XdgDataHome();
    return dataHome.empty() ? fs::path() : dataHome / name;
}

std::string SeedFolder(const fs::path& from, const fs::path& to) {
    std::error_code error;
    fs::create_directories(to, error);
    if (error) {
        return Describe(to, error);
    }
    fs::recursive_directory_iterator entries(from, error);
    if (error) {
        return Describe(from, error);
    }
    for (; entries != fs::recursive_directory_iterator(); entries.increment(error)) {
        if (error) {
            return Describe(from, error);
        }
        const fs::path target = to / fs::relative(entries->path(), from);
        if (entries->is_directory()) {
            fs::create_directories(target, error);
            if (error) {
                return Describe(target, error);
            }
            continue;
        }
        if (!entries->is_regular_file() || fs::exists(fs::symlink_status(target))) {
            continue;
        }
        if (std::string failure = CopyWhole(entries->path(), target); !failure.empty()) {
            return failure;
        }
    }
    return error ? Describe(from, error) : std::string();
}

ProgramFolderChoice ChooseProgramFolder(const ProgramFolderSources& sources) {
    if (!sources.folderOption.empty()) {
        return {fs::absolute(sources.folderOption), {}};
    }
    std::error_code error;
    const bool ownSettings = fs::exists(sources.executableFolder / kOwnSettingsFile, error);
    const bool installed = fs::is_directory(sources.installedData, error);
    if (ownSettings || !installed) {
        return {sources.executableFolder, {}};
    }
    if (sources.userFolder.empty()) {
        return {{}, "no folder for the user's settings: neither XDG_DATA_HOME nor HOME is set"};
    }
    std::string failure = SeedFolder(sources.installedData, sources.userFolder);
    if (!failure.empty()) {
        return {{}, "cannot prepare the user's folder " + failure};
    }
    return {sources.userFolder, {}};
}

}  // namespace pelmar
