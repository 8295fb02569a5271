#include "app/CommandLine.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace pelmar {

namespace {

enum class Option { Help, Version, Folder, VirtualMouse, VirtualMouseLog, VirtualMouseControl };

struct OptionEntry {
    std::string_view name;
    Option option;
    std::string_view argument;  // name of the value it takes; empty: a switch
    std::string_view help;
};

constexpr std::array kOptions{
    OptionEntry{"--help", Option::Help, "", "show this help and exit"},
    OptionEntry{"--version", Option::Version, "", "show the version and exit"},
    OptionEntry{"--folder", Option::Folder, "DIR",
               "use DIR as the program folder (config.ini, macro files, skins)"},
    OptionEntry{"--virtual-mouse", Option::VirtualMouse, "",
               "add an emulated mouse beside any real one"},
    OptionEntry{"--virtual-mouse-log", Option::VirtualMouseLog, "FILE",
               "append every report of the emulated mouse to FILE"},
    OptionEntry{"--virtual-mouse-control", Option::VirtualMouseControl, "PATH",
               "take press/release/click N, report HEX..., unplug from the named pipe PATH"},
};

const OptionEntry* FindOption(std::string_view name) {
    for (const OptionEntry& entry : kOptions) {
        if (entry.name == name) {
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
        if (entry->argument.empty() && hasInlineValue) {
            line.error = std::string(entry->name) + " takes no value";
            return line;
        }
        if (!entry->argument.empty() && !hasInlineValue) {
            if (i + 1 >= arguments.size()) {
                line.error = std::string(entry->name) + " needs " + std::string(entry->argument);
                return line;
            }
            value = arguments[++i];
        }
        Apply(line, entry->option, std::move(value));
    }
    return line;
}

std::string UsageText(const std::string& executableName) {
    std::string text = "Usage: " + executableName + " [options]\n\nOptions:\n";
    for (const OptionEntry& entry : kOptions) {
        std::string left = "  " + std::string(entry.name);
        if (!entry.argument.empty()) {
            left += " " + std::string(entry.argument);
        }
        left.resize(std::max<std::size_t>(left.size() + 2, 34), ' ');
        text += left + std::string(entry.help) + "\n";
    }
    return text;
}

}  // namespace pelmar
