#pragma once

#include <QColor>
#include <QImage>

#include "skin/SkinLayout.h"
#include "tools/skingen/SkinDesign.h"

namespace skingen {

// Full-window pictures of the main window's three pages in one state. The
// colour page also shows its lighting preview in `preview`.
QImage PaintMainPage(const pelmar::SkinLayout& layout, const SkinDesign& design, State state);
QImage PaintAdvancedPage(const pelmar::SkinLayout& layout, const SkinDesign& design, State state);
QImage PaintColourPage(const pelmar::SkinLayout& layout, const SkinDesign& design, State state,
                       const QColor& preview);

// The window's shape: dark inside, light where the window is cut away.
QImage PaintWindowMask(const SkinDesign& design);
// Whether a decoded mask still cuts exactly the pixels the shape cuts.
bool MaskKeepsShape(const QImage& decoded, const SkinDesign& design);

// The knob of the DPI sliders: the selected look of one stop.
QImage PaintSliderKnob(const pelmar::SkinLayout& layout, const SkinDesign& design);

}  // namespace skingen
