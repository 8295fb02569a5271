#include "assign/CentredText.h"

#include <QFontMetrics>
#include <QPainter>

namespace pelmar {

void DrawCentredText(QPainter& painter, const SkinRect& area, const QString& text,
                     const QColor& colour) {
    const QFontMetrics metrics(painter.font(), painter.device());
    const int x =
        ToPixels(area.x + (std::int64_t{area.width} - metrics.horizontalAdvance(text)) / 2);
    const int y = ToPixels(area.y + (std::int64_t{area.height} - metrics.height()) / 2);
    painter.setPen(colour);
    painter.drawText(x, y + metrics.ascent(), text);
}

}  // namespace pelmar
