#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace pelmar {

// What --autostart asks for.
enum class AutostartRequest { Unchanged, On, Off };

// What the command line asks for.
struct CommandLine {
    bool showHelp = false;
    bool showVersion = false;
    bool printUdevRules = false;
    bool hidden = false;  // start in the tray without showing the window
    AutostartRequest autostart = AutostartRequest::Unchanged;
    std::string folder;  // program folder given with --folder; empty: chosen at start-up
    // An emulated mouse beside the real devices; a log file or control pipe
    // asks for it too.
    bool virtualMouse = false;
    std::string virtualMouseLog;      // empty: no log
    std::string virtualMouseControl;  // empty: no control pipe
    std::string error;                // set when the command line cannot be understood
};

// One option as --help and the manual page describe it.
struct OptionDescription {
    std::string_view name;
    std::string_view argument;  // name of the value it takes; empty: a switch
    std::string_view help;
};

CommandLine ParseCommandLine(std::span<const char* const> arguments);

// Every option, in the order --help lists them.
std::span<const OptionDescription> CommandLineOptions();

// The usage text printed by --help, for the executable name given.
std::string UsageText(const std::string& executableName);

}  // namespace pelmar
