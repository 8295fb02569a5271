#pragma once

#include <cstdint>

namespace pelmar {

class CPelmarDlg;

// Switches the running program to Chinese (0) or English (1) at once: the
// stored language, the layout files, the user macros (SwitchLanguage), then
// the advanced page's lists and controls when it is shown, the event-list
// and tray menus, and the window title. The tray icon keeps the tip it was
// added with. A missing layout file ends the program.
void SwitchWindowLanguage(CPelmarDlg& window, std::int32_t languageEnglish);

}  // namespace pelmar
