#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>

#include "app/SharedState.h"
#include "assign/CMenuDlg.h"

namespace pelmar {

// Runs the left-button warning and gives its result.
using WarningRunner = std::function<int(SharedState& state, QWidget& parent)>;

// Shows WarningDlg modally over `parent`.
int RunWarningDialog(SharedState& state, QWidget& parent);

// Opens the function-choice popup for the button whose label is main-page
// area `area` of `window`: assignTarget becomes the area and popupPosition
// the area's bottom-left corner on the screen. When no other button has the
// left click the warning runs first, and its cancel result opens nothing.
// The popup is shown there and popupOpen set; the caller owns it. Nothing
// opens when the skin has no usable menu mask.
CMenuDlg* OpenFunctionPopup(SharedState& state, QWidget& window, std::int32_t area,
                            const WarningRunner& runWarning = RunWarningDialog);

}  // namespace pelmar
