#include "tools/skingen/MousePicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include "tools/skingen/Canvas.h"
#include "tools/skingen/Palette.h"

namespace skingen {

namespace {

// The design, on a unit square: x across, y from the front (0) to the back (1).
constexpr qreal kSpineLeft = 0.415;  // the wheel's spine between the two main buttons
constexpr qreal kSpineRight = 0.585;
constexpr qreal kButtonsEnd = 0.452;  // rear edge of the main buttons at the spine

constexpr QColor kBodyLight{36, 45, 57};
constexpr QColor kBodyDark{13, 17, 22};
constexpr QColor kButtonLight{41, 51, 64};
constexpr QColor kButtonDark{19, 24, 31};
constexpr QColor kGap{5, 7, 9};
constexpr QColor kRim{70, 86, 104};
constexpr QColor kUnlit{44, 52, 62};

QPainterPath UnitBody() {
    QPainterPath path;
    path.moveTo(0.5, 0.0);
    path.cubicTo(0.80, 0.00, 0.93, 0.09, 0.945, 0.26);
    path.cubicTo(0.96, 0.40, 0.885, 0.50, 0.895, 0.64);
    path.cubicTo(0.91, 0.82, 0.84, 1.00, 0.5, 1.00);
    path.cubicTo(0.16, 1.00, 0.09, 0.82, 0.105, 0.64);
    path.cubicTo(0.115, 0.50, 0.04, 0.40, 0.055, 0.26);
    path.cubicTo(0.07, 0.09, 0.20, 0.00, 0.5, 0.0);
    path.closeSubpath();
    return path;
}

// The region of one main button before it is cut to the body; `side` is -1
// for the left button and 1 for the right one.
QPainterPath UnitButtonRegion(qreal side) {
    const auto x = [side](qreal fromCentre) { return 0.5 + side * fromCentre; };
    QPainterPath path;
    path.moveTo(x(0.6), -0.1);
    path.lineTo(x(kSpineRight - 0.5), -0.1);
    path.lineTo(x(kSpineRight - 0.5), kButtonsEnd);
    path.quadTo(x(0.3), 0.45, x(0.6), 0.41);
    path.closeSubpath();
    return path;
}

QPainterPath UnitRoundedRect(qreal x, qreal y, qreal width, qreal height, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(QRectF(x, y, width, height), radius, radius);
    return path;
}

QPainterPath UnitWheelSlot() {
    return UnitRoundedRect(0.445, 0.055, 0.11, 0.2, 0.05);
}
QPainterPath UnitWheel() {
    return UnitRoundedRect(0.463, 0.072, 0.074, 0.166, 0.035);
}
QPainterPath UnitDpiButton() {
    return UnitRoundedRect(0.455, 0.295, 0.09, 0.075, 0.025);
}
QPainterPath UnitForward() {
    return UnitRoundedRect(0.0, 0.515, 0.12, 0.095, 0.03);
}
QPainterPath UnitBack() {
    return UnitRoundedRect(0.0, 0.65, 0.12, 0.095, 0.03);
}

// The lit emblem on the palm: an upward chevron.
QPainterPath UnitEmblem() {
    QPainterPath path;
    path.moveTo(0.5, 0.66);
    path.lineTo(0.62, 0.76);
    path.lineTo(0.58, 0.79);
    path.lineTo(0.5, 0.722);
    path.lineTo(0.42, 0.79);
    path.lineTo(0.38, 0.76);
    path.closeSubpath();
    return path;
}

// Light strips along the rear flanks.
QPainterPath UnitFlank(qreal side) {
    const auto x = [side](qreal fromCentre) { return 0.5 + side * fromCentre; };
    QPainterPath path;
    path.moveTo(x(0.372), 0.66);
    path.cubicTo(x(0.385), 0.80, x(0.33), 0.93, x(0.18), 0.965);
    return path;
}

}  // namespace

MousePicture::MousePicture(const QRectF& box) : box_(box) {
    toBox_.translate(box.x(), box.y());
    toBox_.scale(box.width(), box.height());
}

QPainterPath MousePicture::Map(const QPainterPath& unit) const {
    return toBox_.map(unit);
}

QPainterPath MousePicture::Body() const {
    return Map(UnitBody());
}

QPainterPath MousePicture::Part(MousePart part) const {
    switch (part) {
        case MousePart::Left:
            return Map(UnitBody().intersected(UnitButtonRegion(-1)));
        case MousePart::Right:
            return Map(UnitBody().intersected(UnitButtonRegion(1)));
        case MousePart::Middle:
            return Map(UnitWheelSlot());
        case MousePart::Forward:
            return Map(UnitForward());
        case MousePart::Back:
            return Map(UnitBack());
        case MousePart::Dpi:
            return Map(UnitDpiButton());
    }
    return {};
}

QPointF MousePicture::Anchor(MousePart part) const {
    constexpr std::array<QPointF, kMousePartCount> kAnchors{{
        {0.25, 0.22},    // left button
        {0.75, 0.22},    // right button
        {0.5, 0.155},    // wheel
        {0.04, 0.5625},  // forward, on the left flank
        {0.04, 0.6975},  // back
        {0.5, 0.3325},   // DPI button
    }};
    return toBox_.map(kAnchors[static_cast<std::size_t>(part)]);
}

void MousePicture::Draw(QPainter& painter, const QColor& light) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = box_.width();

    // Side buttons sit under the body's edge.
    for (const MousePart side : {MousePart::Forward, MousePart::Back}) {
        QLinearGradient fill(box_.topLeft(), box_.topLeft() + QPointF(unit * 0.12, 0));
        fill.setColorAt(0, kButtonLight);
        fill.setColorAt(1, kButtonDark);
        painter.setPen(QPen(kGap, 1.2));
        painter.setBrush(fill);
        painter.drawPath(Part(side));
    }

    const QPainterPath body = Body();
    QLinearGradient bodyFill(box_.topLeft(), box_.bottomRight());
    bodyFill.setColorAt(0, kBodyLight);
    bodyFill.setColorAt(0.55, kBodyDark);
    bodyFill.setColorAt(1, kBodyDark.darker(130));
    painter.setPen(Qt::NoPen);
    painter.setBrush(bodyFill);
    painter.drawPath(body);

    for (const MousePart button : {MousePart::Left, MousePart::Right}) {
        QLinearGradient fill(box_.topLeft(), QPointF(box_.right(), box_.top() + box_.height() / 2));
        fill.setColorAt(0, kButtonLight);
        fill.setColorAt(1, kButtonDark);
        painter.setBrush(fill);
        painter.setPen(QPen(kGap, unit * 0.018));
        painter.drawPath(Part(button));
    }

    // Wheel in its slot, with ridges.
    painter.setPen(Qt::NoPen);
    painter.setBrush(kGap);
    painter.drawPath(Map(UnitWheelSlot()));
    const QRectF wheel = toBox_.mapRect(QRectF(0.463, 0.072, 0.074, 0.166));
    QLinearGradient wheelFill(wheel.topLeft(), wheel.topRight());
    wheelFill.setColorAt(0, QColor(24, 30, 38));
    wheelFill.setColorAt(0.5, QColor(62, 74, 88));
    wheelFill.setColorAt(1, QColor(24, 30, 38));
    painter.setBrush(wheelFill);
    painter.drawPath(Map(UnitWheel()));
    painter.setPen(QPen(QColor(14, 18, 23), 1));
    for (qreal y = wheel.top() + 3; y < wheel.bottom() - 2; y += 3.5) {
        painter.drawLine(QPointF(wheel.left() + 1.5, y), QPointF(wheel.right() - 1.5, y));
    }

    QLinearGradient dpiFill(box_.topLeft(), box_.bottomLeft());
    dpiFill.setColorAt(0, kButtonLight.lighter(115));
    dpiFill.setColorAt(1, kButtonDark);
    painter.setBrush(dpiFill);
    painter.setPen(QPen(kGap, 1.2));
    painter.drawPath(Part(MousePart::Dpi));

    // A soft sheen on the front, then the rim.
    QRadialGradient sheen(box_.topLeft() + QPointF(unit * 0.3, unit * 0.25), unit * 0.9);
    sheen.setColorAt(0, QColor(255, 255, 255, 26));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(sheen);
    painter.drawPath(body);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kRim, 1.2));
    painter.drawPath(body);

    DrawLights(painter, light);
    painter.restore();
}

void MousePicture::DrawLights(QPainter& painter, const QColor& light) const {
    const bool lit = light.alpha() > 0;
    const qreal unit = box_.width();
    const QPainterPath emblem = Map(UnitEmblem());
    QPainterPath flanks = Map(UnitFlank(-1));
    flanks.addPath(Map(UnitFlank(1)));
    const QRectF wheel = toBox_.mapRect(QRectF(0.463, 0.072, 0.074, 0.166));
    QPainterPath wheelLight;
    wheelLight.moveTo(wheel.center().x(), wheel.top() + 2);
    wheelLight.lineTo(wheel.center().x(), wheel.bottom() - 2);

    if (lit) {
        Glow(painter, emblem, light, unit * 0.10);
        Glow(painter, flanks, light, unit * 0.08);
    }
    const QColor core = lit ? light.lighter(135) : kUnlit;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(lit ? light : kUnlit, unit * 0.022, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(flanks);
    painter.setPen(QPen(core, unit * 0.008, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(flanks);
    painter.setPen(QPen(lit ? light : kUnlit, unit * 0.012, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(wheelLight);
    painter.setPen(Qt::NoPen);
    painter.setBrush(lit ? light : kUnlit);
    painter.drawPath(emblem);
    if (lit) {
        painter.setBrush(core);
        painter.drawPath(
            QTransform()
                .translate(emblem.boundingRect().center().x(), emblem.boundingRect().center().y())
                .scale(0.6, 0.6)
                .translate(-emblem.boundingRect().center().x(), -emblem.boundingRect().center().y())
                .map(emblem));
    }
}

void MousePicture::DrawHighlight(QPainter& painter, MousePart part) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath shape = Part(part);
    QColor fill = kAccent;
    fill.setAlpha(70);
    painter.setBrush(fill);
    painter.setPen(QPen(kAccent, 1.5));
    painter.drawPath(shape);
    painter.restore();
}

}  // namespace skingen
