#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QTransform>
#include <array>
#include <cstdint>

class QPainter;

namespace skingen {

// The mouse's six buttons, in the order of the profile's button indices.
enum class MousePart : std::uint8_t { Left, Right, Middle, Forward, Back, Dpi };
inline constexpr int kMousePartCount = 6;

// The mouse seen from above, front up, drawn to fill a box. Its shapes are
// designed on a unit square and scaled to the box.
class MousePicture {
  public:
    explicit MousePicture(const QRectF& box);

    QPainterPath Body() const;
    QPainterPath Part(MousePart part) const;
    // Where the line from the part's label meets the part.
    QPointF Anchor(MousePart part) const;

    // The mouse with its lights in `light`; a transparent colour draws them
    // unlit.
    void Draw(QPainter& painter, const QColor& light) const;
    // A part lit in the accent colour, as when its label is under the pointer.
    void DrawHighlight(QPainter& painter, MousePart part) const;

  private:
    QPainterPath Map(const QPainterPath& unit) const;
    void DrawLights(QPainter& painter, const QColor& light) const;

    QRectF box_;
    QTransform toBox_;
};

}  // namespace skingen
