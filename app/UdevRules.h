#pragma once

#include <cstdint>
#include <string>

#include "app/Model.h"

namespace pelmar {

// File name of the udev rule; a copy in /etc/udev/rules.d replaces the
// installed one.
inline constexpr std::string_view kUdevRulesFileName = "70-pelmar.rules";

// A USB identifier as sysfs and lsusb spell it: four lowercase hex digits.
std::string UsbIdentifierText(std::int32_t value);

// Name of the systemd user service that runs the model's driver.
std::string UserServiceName(const Model& model);

// The udev rule for the mouse's hidraw nodes: the user of the local session
// may open them, and plugging the mouse in starts the model's user service.
std::string UdevRules(const Model& model);

}  // namespace pelmar
