#pragma once

#include <optional>
#include <span>
#include <string>

namespace pelmar {

// What the command line asks for.
struct CommandLine {
    bool showHelp = false;
    bool showVersion = false;
    std::string folder;  // program folder given with --folder; empty: the executable's
    // An emulated mouse beside the real devices; a log file or control pipe
    // asks for it too.
    bool virtualMouse = false;
    std::string virtualMouseLog;      // empty: no log
    std::string virtualMouseControl;  // empty: no control pipe
    std::string error;                // set when the command line cannot be understood
};

CommandLine ParseCommandLine(std::span<const char* const> arguments);

// The usage text printed by --help, for the executable name given.
std::string UsageText(const std::string& executableName);

}  // namespace pelmar
