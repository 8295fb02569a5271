#include "app/CommandLine.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

namespace pelmar {

namespace {

enum class Option {
    Help,
    Version,
    Folder,
    Hidden,
    Autostart,
    PrintUdevRules,
    VirtualMouse,
    VirtualMouseLog,
    VirtualMouseControl
};

struct OptionEntry {
    Option option;
    OptionDescription description;
};

constexpr std::array kOptions{
    OptionEntry{Option::Help, {"--help", "", "show this help and exit"}},
    OptionEntry{Option::Version, {"--version", "", "show the version and exit"}},
    OptionEntry{
        Option::Folder,
        {"--folder", "DIR", "use DIR as the program folder (config.ini, macro files, skins)"}},
    OptionEntry{Option::Hidden, {"--hidden", "", "start in the tray without showing the window"}},
    OptionEntry{Option::Autostart,
                {"--autostart", "on|off",
                 "start hidden in the tray at every login (on) or no longer (off), and exit"}},
    OptionEntry{Option::PrintUdevRules,
                {"--print-udev-rules", "",
                 "print the udev rule that gives the logged-in user the mouse, and exit"}},
    OptionEntry{Option::VirtualMouse,
                {"--virtual-mouse", "", "add an emulated mouse beside any real one"}},
    OptionEntry{
        Option::VirtualMouseLog,
        {"--virtual-mouse-log", "FILE", "append every report of the emulated mouse to FILE"}},
    OptionEntry{Option::VirtualMouseControl,
                {"--virtual-mouse-control", "PATH",
                 "take press/release/click N, report HEX..., unplug from the named pipe PATH"}},
};

constexpr std::array<OptionDescription, kOptions.size()> kDescriptions = [] {
    std::array<OptionDescription, kOptions.size()> descriptions{};
    for (std::size_t i = 0; i < kOptions.size(); ++i) {
        descriptions[i] = kOptions[i].description;
    }
    return descriptions;
}();

// The values --autostart takes.
constexpr std::array<std::pair<std::string_view, AutostartRequest>, 2> kAutostartValues{{
    {"on", AutostartRequest::On},
    {"off", AutostartRequest::Off},
}};

const OptionEntry* FindOption(std::string_view name) {
    for (const OptionEntry& entry : kOptions) {
        if (entry.description.name == name) {
            return &entry;
        }
    }
    return nullptr;
}

void Apply(CommandLine& line, Option option, std::string value) {
    switch (option) {
        case Option::Help:
            line.showHelp = true;
            break;
        case Option::Version:
            line.showVersion = true;
            break;
        case Option::Folder:
            line.folder = std::move(value);
            break;
        case Option::Hidden:
            line.hidden = true;
            break;
        case Option::Autostart:
            line.autostart = AutostartRequest::Unchanged;
            for (const auto& [text, request] : kAutostartValues) {
                if (value == text) {
                    line.autostart = request;
                }
            }
            if (line.autostart == AutostartRequest::Unchanged) {
                line.error = "--autostart takes on or off, not " + value;
            }
            break;
        case Option::PrintUdevRules:
            line.printUdevRules = true;
            break;
        case Option::VirtualMouse:
            line.virtualMouse = true;
            break;
        case Option::VirtualMouseLog:
            line.virtualMouse = true;
            line.virtualMouseLog = std::move(value);
            break;
        case Option::VirtualMouseControl:
            line.virtualMouse = true;
            line.virtualMouseControl = std::move(value);
            break;
    }
}

}  // namespace

CommandLine ParseCommandLine(std::span<const char* const> arguments) {
    CommandLine line;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        std::string_view argument = arguments[i];
        std::string value;
        bool hasInlineValue = false;
        if (const std::size_t equals = argument.find('='); equals != std::string_view::npos) {
            value = std::string(argument.substr(equals + 1));
            argument = argument.substr(0, equals);
            hasInlineValue = true;
        }
        const OptionEntry* entry = FindOption(argument);
        if (entry == nullptr) {
            line.error = "unknown option: " + std::string(arguments[i]);
            return line;
        }
        const OptionDescription& description = entry->description;
        if (description.argument.empty() && hasInlineValue) {
            line.error = std::string(description.name) + " takes no value";
            return line;
        }
        if (!description.argument.empty() && !hasInlineValue) {
            if (i + 1 >= arguments.size()) {
                line.error =
                    std::string(description.name) + " needs " + std::string(description.argument);
                return line;
            }
            value = arguments[++i];
        }
        Apply(line, entry->option, std::move(value));
        if (!line.error.empty()) {
            return line;
        }
    }
    return line;
}

std::span<const OptionDescription> CommandLineOptions() {
    return kDescriptions;
}

std::string UsageText(const std::string& executableName) {
    std::string text = "Usage: " + executableName + " [options]\n\nOptions:\n";
    for (const OptionDescription& option : kDescriptions) {
        std::string left = "  " + std::string(option.name);
        if (!option.argument.empty()) {
            left += " " + std::string(option.argument);
        }
        left.resize(std::max<std::size_t>(left.size() + 2, 34), ' ');
        text += left + std::string(option.help) + "\n";
    }
    return text;
}

}  // namespace pelmar
