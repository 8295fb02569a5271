#include "platform/system/ProgramLauncher.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace pelmar {

namespace {

// Calculators and terminals of the common desktops; x-terminal-emulator is the system's
// chosen terminal where the distribution provides that alternative.
constexpr std::array<std::string_view, 6> kCalculators{
    "gnome-calculator", "kcalc", "mate-calc", "galculator", "qalculate-gtk", "xcalc",
};
constexpr std::array<std::string_view, 7> kTerminals{
    "x-terminal-emulator", "gnome-terminal", "konsole", "xfce4-terminal",
    "mate-terminal",       "lxterminal",     "xterm",
};

bool IsExecutableFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) && access(path.c_str(), X_OK) == 0;
}

// Runs the program in a grandchild: the child ends at once and is reaped here, so the
// program is adopted by init and nobody has to wait for it. Between fork and exec only
// async-signal-safe calls are made.
void SpawnDetached(const std::filesystem::path& program) {
    const std::string file = program.string();
    char* const argv[] = {const_cast<char*>(file.c_str()), nullptr};
    const pid_t child = fork();
    if (child == 0) {
        if (fork() == 0) {
            setsid();
            sigset_t none;
            sigemptyset(&none);
            sigprocmask(SIG_SETMASK, &none, nullptr);
            close_range(3, ~0U, 0);  // the driver's devices and sockets stay with the driver
            execv(argv[0], argv);
        }
        _exit(0);
    }
    if (child > 0) {
        waitpid(child, nullptr, 0);
    }
}

}  // namespace

PathProgramLauncher::PathProgramLauncher(std::string searchPath)
    : searchPath_(std::move(searchPath)) {}

void PathProgramLauncher::Start(DesktopProgram program) {
    if (const auto found = FindProgram(ProgramCandidates(program), searchPath_)) {
        SpawnDetached(*found);
    }
}

std::span<const std::string_view> ProgramCandidates(DesktopProgram program) {
    if (program == DesktopProgram::Calculator) {
        return kCalculators;
    }
    return kTerminals;
}

std::optional<std::filesystem::path> FindProgram(std::span<const std::string_view> names,
                                                 std::string_view searchPath) {
    for (const std::string_view name : names) {
        std::size_t start = 0;
        while (start <= searchPath.size()) {
            const std::size_t end = std::min(searchPath.find(':', start), searchPath.size());
            const std::string_view folder = searchPath.substr(start, end - start);
            start = end + 1;
            if (folder.empty()) {
                continue;
            }
            const std::filesystem::path candidate = std::filesystem::path(folder) / name;
            if (IsExecutableFile(candidate)) {
                return candidate;
            }
        }
    }
    return std::nullopt;
}

ProgramLauncher& SystemProgramLauncher() {
    static PathProgramLauncher launcher([] {
        const char* path = std::getenv("PATH");
        return std::string(path != nullptr ? path : "");
    }());
    return launcher;
}

}  // namespace pelmar
