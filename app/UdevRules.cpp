#include "app/UdevRules.h"

#include <cstdio>

#include "app/SharedState.h"

namespace pelmar {

std::string UsbIdentifierText(std::int32_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04x", static_cast<unsigned>(value) & 0xFFFFu);
    return text;
}

std::string UserServiceName(const Model& model) {
    return std::string(model.executableName) + ".service";
}

std::string UdevRules(const Model& model) {
    const std::string name(model.executableName);
    const std::string service = UserServiceName(model);
    std::string text;
    text += "# " + std::string(kUdevRulesFileName) + ": the " + std::string(model.englishTitle) +
            " for " + name + ".\n";
    text += "# uaccess lets the user of the local session open the mouse's hidraw nodes;\n";
    text += "# SYSTEMD_USER_WANTS starts " + service +
            " in that user's session when the mouse is plugged in.\n";
    text += "# Print it with: " + name + " --print-udev-rules\n";
    text += "SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"" +
            UsbIdentifierText(SharedState::vendorId) + "\", ATTRS{idProduct}==\"" +
            UsbIdentifierText(SharedState::productId) + "\", ";
    text += "TAG+=\"uaccess\", TAG+=\"systemd\", ENV{SYSTEMD_USER_WANTS}+=\"" + service + "\"\n";
    return text;
}

}  // namespace pelmar
