#include "app/Autostart.h"

#include <fstream>
#include <system_error>

#include "platform/system/XdgFolders.h"

namespace pelmar {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kAutostartFolder = "autostart";
constexpr std::string_view kHiddenOption = " --hidden";
// Characters that make an Exec argument need quotes, and those that must be
// escaped with a backslash inside the quotes.
constexpr std::string_view kNeedsQuotes = " \t\n\"'\\><~|&;$*?#()`";
constexpr std::string_view kEscapedInQuotes = "\"`$\\";

// One argument of an Exec line: quoted when it holds reserved characters,
// and every % doubled.
std::string ExecArgument(const std::string& argument) {
    std::string quoted;
    const bool quote = argument.find_first_of(kNeedsQuotes) != std::string::npos;
    for (const char c : argument) {
        if (quote && kEscapedInQuotes.find(c) != std::string_view::npos) {
            quoted += '\\';
        }
        quoted += c;
        if (c == '%') {
            quoted += '%';
        }
    }
    return quote ? "\"" + quoted + "\"" : quoted;
}

}  // namespace

fs::path AutostartEntryPath(const Model& model) {
    const fs::path configHome = XdgConfigHome();
    if (configHome.empty()) {
        return {};
    }
    return configHome / kAutostartFolder / (std::string(model.applicationId) + ".desktop");
}

std::string AutostartEntry(const Model& model, const fs::path& executable) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=" +
           std::string(model.englishTitle) + "\nName[zh_CN]=" + std::string(model.chineseTitle) +
           "\nComment=Mouse driver, resident in the tray\n"
           "Exec=" +
           ExecArgument(executable.string()) + std::string(kHiddenOption) +
           "\nIcon=" + std::string(model.applicationId) +
           "\nTerminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

std::string SetAutostart(const Model& model, bool on, const fs::path& executable) {
    const fs::path entry = AutostartEntryPath(model);
    if (entry.empty()) {
        return "no autostart folder: neither XDG_CONFIG_HOME nor HOME is set";
    }
    std::error_code error;
    if (!on) {
        fs::remove(entry, error);
        return error ? entry.string() + ": " + error.message() : std::string();
    }
    fs::create_directories(entry.parent_path(), error);
    if (error) {
        return entry.parent_path().string() + ": " + error.message();
    }
    const fs::path temporary = entry.string() + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << AutostartEntry(model, executable);
        if (!out.flush()) {
            fs::remove(temporary, error);
            return temporary.string() + ": cannot be written";
        }
    }
    fs::rename(temporary, entry, error);
    return error ? entry.string() + ": " + error.message() : std::string();
}

}  // namespace pelmar
