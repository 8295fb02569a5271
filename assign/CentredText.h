#pragma once

#include <QColor>
#include <QString>

#include "skin/SkinRect.h"

class QPainter;

namespace pelmar {

// Draws `text` in the painter's font, centred in `area` with the offsets
// truncated toward zero, unclipped, on a transparent background.
void DrawCentredText(QPainter& painter, const SkinRect& area, const QString& text,
                     const QColor& colour);

}  // namespace pelmar
