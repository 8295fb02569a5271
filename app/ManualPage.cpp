#include "app/ManualPage.h"

#include <array>
#include <cctype>

#include "app/SharedState.h"
#include "app/UdevRules.h"

namespace pelmar {

namespace {

// The header line's fields after the title and section.
constexpr std::string_view kDate = "2026-12-11";
constexpr std::string_view kSource = "Pelmar 1.0";
constexpr std::string_view kManual = "User Commands";

// Manual pages of the programs the page refers to.
struct PageReference {
    std::string_view name;
    std::string_view section;
};
constexpr std::array<PageReference, 2> kSeeAlso{{
    {"systemctl", "1"},
    {"udev", "7"},
}};

enum class Hyphens { Keep, AsMinus };

// Text as roff prints it: a backslash prints as itself, a line beginning with
// a dot or an apostrophe is not taken as a request, and the hyphens of names
// become minus signs, so that an option or path is copied and searched as
// typed.
std::string Roff(std::string_view text, Hyphens hyphens) {
    std::string escaped;
    bool lineStart = true;
    for (const char c : text) {
        if (lineStart && (c == '.' || c == '\'')) {
            escaped += "\\&";
        }
        if (c == '\\') {
            escaped += "\\e";
        } else if (c == '-' && hyphens == Hyphens::AsMinus) {
            escaped += "\\-";
        } else {
            escaped += c;
        }
        lineStart = c == '\n';
    }
    return escaped;
}

std::string Prose(std::string_view text) {
    return Roff(text, Hyphens::Keep);
}
std::string Name(std::string_view text) {
    return Roff(text, Hyphens::AsMinus);
}
std::string Bold(std::string_view name) {
    return "\\fB" + Name(name) + "\\fR";
}
std::string Italic(std::string_view name) {
    return "\\fI" + Name(name) + "\\fR";
}

std::string Uppercase(std::string_view text) {
    std::string upper;
    for (const char c : text) {
        upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return upper;
}

std::string Description(const Model& model) {
    const std::string mouse = Prose(model.englishTitle);
    std::string text = ".SH DESCRIPTION\n";
    text += Bold(model.executableName) + " is the configuration and macro driver of the " + mouse +
            ",\n";
    text += "a six-button USB mouse (USB ID " + UsbIdentifierText(SharedState::vendorId) + ":" +
            UsbIdentifierText(SharedState::productId) + ").\n";
    text +=
        "From one window it assigns each button a function\n"
        "(a mouse function, a multimedia key, a macro or a program start),\n"
        "sets the DPI levels, the wheel, the lighting, rapid fire,\n"
        "the pointer speed and the wheel scroll lines,\n"
        "keeps five profiles of these settings and records keyboard macros with their timing.\n"
        "Its interface is in English or Chinese.\n"
        ".PP\n"
        "The driver stays resident in the system tray while the mouse is plugged in:\n"
        "closing the window only hides it, and when a button whose function the driver\n"
        "performs is pressed, it plays the macro or sends the multimedia key through the mouse.\n"
        "It ends when Exit Driver is chosen from the tray menu or when the mouse is unplugged.\n"
        "One instance runs per user and program folder;\n"
        "starting it again shows the running window.\n";
    text += "Without the mouse, " + Bold("--virtual-mouse") + " runs it with an emulated one.\n";
    return text;
}

std::string Options(std::span<const OptionDescription> options) {
    std::string text = ".SH OPTIONS\n";
    for (const OptionDescription& option : options) {
        text += ".TP\n" + Bold(option.name);
        if (!option.argument.empty()) {
            text += " " + Italic(option.argument);
        }
        text += "\n" + Prose(option.help) + "\n";
    }
    return text;
}

std::string Files(const Model& model) {
    const std::string name(model.executableName);
    const std::string service = UserServiceName(model);
    std::string text = ".SH FILES\n";
    text += "The program folder holds the settings file " + Italic("config.ini") +
            " with the five profiles,\n";
    text += "the macro files " + Italic("Macro_EN.dat") + ", " + Italic("Macro_CN.dat") + " and " +
            Italic("constMacro.dat") + ", and the skins in " + Italic("skins/") + ".\n";
    text += "It is the folder given with " + Bold("--folder") + " if there is one;\n";
    text += "else the executable's own folder when that holds a " + Italic("config.ini") +
            "\n(a build tree, or a folder copied whole), used as it is;\n";
    text += "else, for an installed program, the user's folder below.\n";

    text += ".TP\n" + Italic("$XDG_DATA_HOME/" + name) + "\n";
    text += "The user's program folder, by default " + Italic("~/.local/share/" + name) + ".\n";
    text += "At start-up it receives every shipped file it lacks, copied from the installed\n";
    text += "data folder " + Italic("share/" + name) + " of the installation (" +
            Italic("/usr/share/" + name) + " for a program installed in " + Italic("/usr") + ");\n";
    text += "a file it already holds is never overwritten.\n";

    text += ".TP\n" + Italic(kUdevRulesFileName) + "\n";
    text += "The udev rule that lets the user of the local session open the mouse\n";
    text += "and starts " + Italic(service) + " when it is plugged in.\n";
    text += "It is installed in udev's rules folder; a file of the same name in " +
            Italic("/etc/udev/rules.d") + " takes its place.\n";
    text += Bold("--print-udev-rules") + " prints it.\n";

    text += ".TP\n" + Italic(service) + "\n";
    text +=
        "The systemd user service that runs the driver in the session of the user at the "
        "mouse.\n";

    text += ".TP\n" +
            Italic("$XDG_CONFIG_HOME/autostart/" + std::string(model.applicationId) + ".desktop") +
            "\n";
    text += "The autostart entry, by default in " + Italic("~/.config/autostart") +
            ", written by " + Bold("--autostart") + " " + Italic("on") + " and removed by " +
            Bold("--autostart") + " " + Italic("off") + ";\n";
    text += "it starts the driver hidden in the tray at login.\n";
    return text;
}

std::string SeeAlso() {
    std::string text = ".SH SEE ALSO\n";
    for (std::size_t i = 0; i < kSeeAlso.size(); ++i) {
        text += ".BR " + Name(kSeeAlso[i].name) + " (" + std::string(kSeeAlso[i].section) + ")" +
                (i + 1 < kSeeAlso.size() ? "," : "") + "\n";
    }
    return text;
}

}  // namespace

std::string ManualPage(const Model& model, std::span<const OptionDescription> options) {
    const std::string name(model.executableName);
    std::string page = ".TH " + Name(Uppercase(name)) + " 1 " + std::string(kDate) + " \"" +
                       std::string(kSource) + "\" \"" + std::string(kManual) + "\"\n";
    // No hyphenation: the page is full of names that must be copied as typed.
    page += ".nh\n";
    page += ".SH NAME\n" + Name(name) + " \\- driver of the " + Prose(model.englishTitle) + "\n";
    page += ".SH SYNOPSIS\n" + Bold(name) + " [\\fIoption\\fR]...\n";
    page += Description(model) + Options(options) + Files(model) + SeeAlso();
    return page;
}

std::string ManualPage(const Model& model) {
    return ManualPage(model, CommandLineOptions());
}

}  // namespace pelmar
