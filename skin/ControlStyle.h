#pragma once

#include <cstdint>

class QWidget;

namespace pelmar {

// Gives one of the advanced page's controls (edit boxes, list boxes) the
// window's look: white text in the label font of the interface language on
// black. Call it when the control is created and after a language switch.
void StyleAdvancedControl(QWidget& control, std::int32_t languageEnglish);

}  // namespace pelmar
