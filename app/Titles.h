#pragma once

#include <cstdint>
#include <string>

#include "app/Model.h"

namespace pelmar {

// The window title, also the tray tip, for the interface language.
std::string WindowTitle(const Model& model, std::int32_t languageEnglish);
// The message shown when the mouse is not plugged in.
std::string PlugInPrompt(const Model& model, std::int32_t languageEnglish);
// The message shown when the mouse is plugged in but this user may not open
// it, with the commands that install the device rule.
std::string AccessDeniedMessage(const Model& model, std::int32_t languageEnglish);

}  // namespace pelmar
