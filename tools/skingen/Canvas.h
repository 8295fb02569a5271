#pragma once

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QRectF>
#include <QString>

#include "skin/SkinRect.h"

class QPainter;

namespace skingen {

// Drawing helpers shared by every picture the skin is made of.

QRectF ToRectF(const pelmar::SkinRect& area);

// A rectangle with its corners cut at 45 degrees.
QPainterPath ChamferedRect(const QRectF& rect, qreal cut);
QPainterPath RoundedRect(const QRectF& rect, qreal radius);

// A soft halo around a shape: strokes of growing width and falling opacity.
void Glow(QPainter& painter, const QPainterPath& shape, const QColor& colour, qreal reach);

// The face used for text painted into the pictures (numbers and the brand);
// the program draws every translated label itself.
QFont PictureFont(qreal pixelSize, QFont::Weight weight = QFont::Normal);

void DrawText(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font,
              const QColor& colour, int flags = Qt::AlignCenter);

}  // namespace skingen
