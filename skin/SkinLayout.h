#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "skin/SkinPage.h"
#include "skin/SkinRect.h"

namespace pelmar {

// Display names exist for the button function codes 1 to 54.
inline constexpr int kFunctionNameCount = 54;
// The left-button warning dialog: confirm, cancel, message.
inline constexpr int kWarningEntryCount = 3;
inline constexpr int kWarningConfirm = 0;
inline constexpr int kWarningCancel = 1;
inline constexpr int kWarningMessage = 2;

// Everything the layout files of one language describe: the three page
// tables of the main window, the function names, the placements of the
// advanced page's four controls and the warning dialog's table.
struct SkinLayout {
    SkinPage mainPage;
    SkinPage colourPage;
    SkinPage advancedPage;

    // Entry n is the display name of function code n; entry 0 stays empty.
    std::array<std::string, kFunctionNameCount + 1> functionNames;

    SkinRect repeatEditRect;
    SkinRect nameEditRect;
    SkinRect macroListRect;
    SkinRect eventListRect;

    SkinPage warning;

    // The name of a function code; empty for codes without one.
    std::string_view FunctionName(std::int32_t code) const;
};

}  // namespace pelmar
