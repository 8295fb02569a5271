#include "tools/skingen/Canvas.h"

#include <QPainter>
#include <QPen>

namespace skingen {

QRectF ToRectF(const pelmar::SkinRect& area) {
    return {static_cast<qreal>(area.x), static_cast<qreal>(area.y), static_cast<qreal>(area.width),
            static_cast<qreal>(area.height)};
}

QPainterPath ChamferedRect(const QRectF& rect, qreal cut) {
    QPainterPath path;
    path.moveTo(rect.left() + cut, rect.top());
    path.lineTo(rect.right() - cut, rect.top());
    path.lineTo(rect.right(), rect.top() + cut);
    path.lineTo(rect.right(), rect.bottom() - cut);
    path.lineTo(rect.right() - cut, rect.bottom());
    path.lineTo(rect.left() + cut, rect.bottom());
    path.lineTo(rect.left(), rect.bottom() - cut);
    path.lineTo(rect.left(), rect.top() + cut);
    path.closeSubpath();
    return path;
}

QPainterPath RoundedRect(const QRectF& rect, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

void Glow(QPainter& painter, const QPainterPath& shape, const QColor& colour, qreal reach) {
    constexpr int kSteps = 6;
    painter.save();
    painter.setBrush(Qt::NoBrush);
    for (int step = kSteps; step >= 1; --step) {
        QColor halo = colour;
        halo.setAlphaF(colour.alphaF() * 0.10 * (kSteps - step + 1) / kSteps);
        painter.setPen(
            QPen(halo, reach * 2 * step / kSteps, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(shape);
    }
    painter.restore();
}

QFont PictureFont(qreal pixelSize, QFont::Weight weight) {
    QFont font("DejaVu Sans");
    font.setPixelSize(static_cast<int>(pixelSize));
    font.setWeight(weight);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

void DrawText(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font,
              const QColor& colour, int flags) {
    painter.save();
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(rect, flags, text);
    painter.restore();
}

}  // namespace skingen
