#include "tools/skingen/Looks.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/skingen/Canvas.h"
#include "tools/skingen/MousePicture.h"
#include "tools/skingen/Palette.h"

namespace skingen {

namespace {

constexpr qreal kRadius = 4;
constexpr QColor kRecord{224, 57, 74};

QLinearGradient Vertical(const QRectF& rect, const QColor& top, const QColor& bottom) {
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    return gradient;
}

QColor WithAlpha(QColor colour, int alpha) {
    colour.setAlpha(alpha);
    return colour;
}

// The body of every push button: a filled, outlined rounded rectangle with a
// faint light edge on top.
void ButtonBody(QPainter& painter, const QRectF& rect, State state, bool primary) {
    const QRectF body = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    QColor top;
    QColor bottom;
    QColor edge;
    switch (state) {
        case State::Normal:
            top = primary ? kAccentDeep.lighter(130) : kControl.lighter(118);
            bottom = primary ? kAccentDeep : kControl;
            edge = primary ? kAccentDim : kBorderLight;
            break;
        case State::Over:
            top = primary ? kAccentDeep.lighter(175) : kControlOver.lighter(120);
            bottom = primary ? kAccentDeep.lighter(125) : kControlOver;
            edge = kAccent;
            break;
        case State::Down:
            top = kControlDown.darker(160);
            bottom = kControlDown.lighter(115);
            edge = kAccent;
            break;
    }
    painter.setPen(QPen(edge, 1));
    painter.setBrush(Vertical(body, top, bottom));
    painter.drawRoundedRect(body, kRadius, kRadius);
    if (state == State::Down) {
        // Pressed in: a shadow under the top edge.
        painter.setPen(QPen(WithAlpha(Qt::black, 110), 1));
        painter.drawLine(QPointF(body.left() + kRadius, body.top() + 1.5),
                         QPointF(body.right() - kRadius, body.top() + 1.5));
    } else {
        painter.setPen(QPen(WithAlpha(Qt::white, state == State::Over ? 40 : 22), 1));
        painter.drawLine(QPointF(body.left() + kRadius, body.top() + 1.5),
                         QPointF(body.right() - kRadius, body.top() + 1.5));
    }
    if (state == State::Over) {
        Glow(painter, RoundedRect(body.adjusted(2, 2, -2, -2), kRadius), WithAlpha(kAccent, 60), 3);
    }
}

void Segment(QPainter& painter, const QRectF& rect, State state) {
    const QRectF body = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    const QColor fill = state == State::Normal ? kControl
                        : state == State::Over ? kControlOver
                                               : kControlDown;
    painter.setPen(QPen(state == State::Down ? kAccentDim : kBorder, 1));
    painter.setBrush(Vertical(body, fill.lighter(112), fill));
    painter.drawRoundedRect(body, 2, 2);
    if (state != State::Normal) {
        const qreal thickness = state == State::Down ? 2 : 1;
        painter.fillRect(
            QRectF(body.left() + 3, body.bottom() - thickness - 1, body.width() - 6, thickness),
            state == State::Down ? kAccent : kAccentDim);
    }
}

void Tab(QPainter& painter, const QRectF& rect, State state) {
    if (state == State::Normal) {
        return;
    }
    const bool chosen = state == State::Down;
    painter.setPen(Qt::NoPen);
    painter.setBrush(Vertical(rect, WithAlpha(kAccent, 0), WithAlpha(kAccent, chosen ? 46 : 18)));
    painter.drawRect(rect);
    const QRectF bar(rect.left() + 10, rect.bottom() - 3, rect.width() - 20, 3);
    if (chosen) {
        QPainterPath barPath;
        barPath.addRect(bar);
        Glow(painter, barPath, WithAlpha(kAccent, 150), 4);
    }
    painter.fillRect(bar, chosen ? kAccent : kAccentDim);
}

void WindowButton(QPainter& painter, const QRectF& rect, State state, bool close) {
    const QRectF body = rect.adjusted(1.5, 1.5, -1.5, -1.5);
    if (state != State::Normal) {
        painter.setPen(QPen(state == State::Down ? kAccent : kBorderLight, 1));
        painter.setBrush(state == State::Down ? kControlDown : kControlOver);
        painter.drawRoundedRect(body, kRadius, kRadius);
    }
    const QColor glyph = state == State::Normal ? kIcon
                         : state == State::Over ? kTextBright
                                                : kAccent;
    painter.setPen(QPen(glyph, 1.6, Qt::SolidLine, Qt::RoundCap));
    const QPointF centre = rect.center();
    constexpr qreal kHalf = 5;
    if (close) {
        painter.drawLine(centre + QPointF(-kHalf, -kHalf), centre + QPointF(kHalf, kHalf));
        painter.drawLine(centre + QPointF(-kHalf, kHalf), centre + QPointF(kHalf, -kHalf));
    } else {
        painter.drawLine(centre + QPointF(-kHalf, 3), centre + QPointF(kHalf, 3));
    }
}

void Link(QPainter& painter, const QRectF& rect, State state) {
    if (state == State::Normal) {
        return;
    }
    const QRectF body = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(state == State::Down ? kAccent : kBorderLight, 1));
    painter.setBrush(state == State::Down ? kControlDown : kControlOver);
    painter.drawRoundedRect(body, body.height() / 2, body.height() / 2);
}

// The arrow of a button that opens a menu below it.
void DownArrow(QPainter& painter, const QPointF& centre, qreal size, const QColor& colour) {
    QPainterPath path;
    path.moveTo(centre + QPointF(-size, -size / 2));
    path.lineTo(centre + QPointF(0, size / 2));
    path.lineTo(centre + QPointF(size, -size / 2));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
}

void FunctionSlot(QPainter& painter, const QRectF& rect, State state) {
    const QRectF body = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    const QColor fill = state == State::Normal ? kControl
                        : state == State::Over ? kControlOver
                                               : kControlDown;
    painter.setPen(QPen(state == State::Normal ? kBorderLight : kAccent, 1));
    painter.setBrush(Vertical(body, fill.lighter(115), fill));
    painter.drawRoundedRect(body, kRadius, kRadius);
    if (state == State::Over) {
        Glow(painter, RoundedRect(body.adjusted(2, 2, -2, -2), kRadius), WithAlpha(kAccent, 60), 3);
    }
    DownArrow(painter, QPointF(body.right() - 12, body.center().y()), 3.5,
              state == State::Normal ? kIcon : kAccent);
}

void Switch(QPainter& painter, const QRectF& rect, State state) {
    const bool on = state == State::Down;
    const qreal height = std::min(rect.height() - 2, 20.0);
    const QRectF track(rect.left() + 1, rect.center().y() - height / 2, rect.width() - 2, height);
    painter.setPen(QPen(on ? kAccent : state == State::Over ? kAccentDim : kBorderLight, 1));
    painter.setBrush(on ? Vertical(track, kAccentDim, kAccentDeep.lighter(140))
                        : Vertical(track, kWell, kTrack));
    painter.drawRoundedRect(track, height / 2, height / 2);
    const qreal knob = height - 6;
    const QPointF centre(on ? track.right() - 3 - knob / 2 : track.left() + 3 + knob / 2,
                         track.center().y());
    painter.setPen(Qt::NoPen);
    painter.setBrush(on ? QColor(Qt::white) : kIcon);
    painter.drawEllipse(centre, knob / 2, knob / 2);
}

void Radio(QPainter& painter, const QRectF& rect, State state) {
    const QPointF centre = rect.center();
    const qreal radius = std::min(rect.width(), rect.height()) / 2 - 3;
    painter.setBrush(kWell);
    painter.setPen(QPen(state == State::Normal ? kBorderLight : kAccent, 1.5));
    painter.drawEllipse(centre, radius, radius);
    if (state == State::Down) {
        QPainterPath dot;
        dot.addEllipse(centre, radius - 4, radius - 4);
        Glow(painter, dot, WithAlpha(kAccent, 160), 3);
        painter.setPen(Qt::NoPen);
        painter.setBrush(kAccent);
        painter.drawPath(dot);
    }
}

// A strip along the left of a DPI level; the current level's strip is lit
// and its column tinted. The level's radio button is drawn over it.
void LevelMarker(QPainter& painter, const QRectF& rect, State state) {
    const QRectF strip(rect.left(), rect.top(), 4, rect.height());
    painter.setPen(Qt::NoPen);
    if (state == State::Down) {
        QLinearGradient tint(rect.topLeft(), rect.topRight());
        tint.setColorAt(0, WithAlpha(kAccent, 50));
        tint.setColorAt(1, WithAlpha(kAccent, 0));
        painter.setBrush(tint);
        painter.drawRect(rect);
        painter.setBrush(Vertical(strip, kAccent, kAccentDim));
    } else {
        painter.setBrush(kBorder);
    }
    painter.drawRoundedRect(strip.adjusted(0.5, 0, -0.5, 0), 1.5, 1.5);
}

// The track of a DPI slider runs through every stop; each stop has a tick.
void SliderStop(QPainter& painter, const QRectF& rect, State state) {
    const QPointF centre = rect.center();
    painter.setPen(Qt::NoPen);
    painter.setBrush(kTrack);
    painter.drawRect(QRectF(rect.left(), centre.y() - 2, rect.width(), 4));
    painter.setBrush(kBorderLight);
    painter.drawEllipse(centre, 3, 3);
    if (state != State::Normal) {
        painter.setBrush(state == State::Down ? kAccentDeep : Qt::NoBrush);
        painter.setPen(QPen(state == State::Down ? kAccent : kAccentDim, 1.5));
        painter.drawEllipse(centre, 8, 8);
    }
}

void Step(QPainter& painter, const QRectF& rect, State state) {
    const QRectF body = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    switch (state) {
        case State::Normal:
            painter.setPen(QPen(kBorder, 1));
            painter.setBrush(Vertical(body, kControl.lighter(112), kControl));
            break;
        case State::Over:
            painter.setPen(QPen(kAccentDim, 1));
            painter.setBrush(Vertical(body, kControlOver.lighter(115), kControlOver));
            break;
        case State::Down:
            painter.setPen(QPen(kAccent, 1));
            painter.setBrush(Vertical(body, kAccentDim.darker(130), kControlDown));
            break;
    }
    painter.drawRoundedRect(body, 2, 2);
    if (state == State::Down) {
        painter.fillRect(QRectF(body.left() + 2, body.top() + 1.5, body.width() - 4, 2), kAccent);
    }
}

// The filled bar is copied in part, from its left edge; its fill changes only
// from top to bottom so that any cut looks clean.
void FireBar(QPainter& painter, const QRectF& rect, State state) {
    const QRectF body = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    if (state == State::Down) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(Vertical(body, kAccent.lighter(120), kAccentDim));
        painter.drawRect(body.adjusted(-0.5, -0.5, 0.5, 0.5));
        painter.fillRect(QRectF(body.left(), body.top() + 1, body.width(), 1),
                         WithAlpha(Qt::white, 90));
        return;
    }
    painter.setPen(QPen(state == State::Over ? kAccentDim : kBorder, 1));
    painter.setBrush(kWell);
    painter.drawRect(body);
    constexpr int kTicks = 6;  // every 50 ms of the 300 ms range
    painter.setPen(QPen(kTrack, 1));
    for (int tick = 1; tick < kTicks; ++tick) {
        const qreal x = std::round(body.left() + body.width() * tick / kTicks) + 0.5;
        painter.drawLine(QPointF(x, body.top() + 4), QPointF(x, body.bottom() - 4));
    }
}

void PlusMinus(QPainter& painter, const QRectF& rect, State state, bool plus) {
    ButtonBody(painter, rect, state, false);
    const QColor glyph = state == State::Normal ? kTextBright : kAccent;
    painter.setPen(QPen(glyph, 2, Qt::SolidLine, Qt::FlatCap));
    const QPointF centre = rect.center();
    painter.drawLine(centre + QPointF(-6, 0), centre + QPointF(6, 0));
    if (plus) {
        painter.drawLine(centre + QPointF(0, -6), centre + QPointF(0, 6));
    }
}

void ValueWell(QPainter& painter, const QRectF& rect) {
    const QRectF body = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(kBorder, 1));
    painter.setBrush(kWell);
    painter.drawRoundedRect(body, 3, 3);
}

void RecordButton(QPainter& painter, const QRectF& rect, State state) {
    ButtonBody(painter, rect, state, false);
    const QPointF centre(rect.left() + 16, rect.center().y());
    QPainterPath dot;
    dot.addEllipse(centre, 5, 5);
    if (state == State::Down) {
        Glow(painter, dot, WithAlpha(kRecord, 200), 4);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(state == State::Down ? kRecord.lighter(120) : kRecord);
    painter.drawPath(dot);
}

// Small icons of the four lighting modes: breathing, flashing, steady, off.
void ModeIcon(QPainter& painter, const QRectF& box, int mode, const QColor& colour) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const qreal mid = box.center().y();
    switch (mode) {
        case 0: {
            QPainterPath wave;
            constexpr int kSamples = 40;
            for (int i = 0; i <= kSamples; ++i) {
                const qreal t = static_cast<qreal>(i) / kSamples;
                const QPointF point(box.left() + t * box.width(),
                                    mid - std::sin(t * 2 * std::numbers::pi) * box.height() / 2.6);
                if (i == 0) {
                    wave.moveTo(point);
                } else {
                    wave.lineTo(point);
                }
            }
            painter.drawPath(wave);
            break;
        }
        case 1: {
            QPainterPath pulses;
            const qreal w = box.width() / 5;
            pulses.moveTo(box.left(), mid + 5);
            for (int i = 0; i < 2; ++i) {
                const qreal x = box.left() + w * (1 + 2 * i);
                pulses.lineTo(x, mid + 5);
                pulses.lineTo(x, mid - 5);
                pulses.lineTo(x + w, mid - 5);
                pulses.lineTo(x + w, mid + 5);
            }
            pulses.lineTo(box.right(), mid + 5);
            painter.drawPath(pulses);
            break;
        }
        case 2:
            painter.drawLine(QPointF(box.left(), mid), QPointF(box.right(), mid));
            painter.setPen(QPen(WithAlpha(colour, 90), 6, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(QPointF(box.left() + 3, mid), QPointF(box.right() - 3, mid));
            break;
        default: {
            const qreal radius = box.height() / 2.4;
            painter.drawEllipse(box.center(), radius, radius);
            painter.drawLine(box.center() + QPointF(-radius * 0.7, radius * 0.7),
                             box.center() + QPointF(radius * 0.7, -radius * 0.7));
            break;
        }
    }
}

void LightingMode(QPainter& painter, const QRectF& rect, State state, int mode) {
    ButtonBody(painter, rect, state, false);
    const QRectF icon(rect.left() + 16, rect.center().y() - 8, 28, 16);
    ModeIcon(painter, icon, mode, state == State::Normal ? kIcon : kAccent);
}

void Preview(QPainter& painter, const QRectF& rect, const QColor& light) {
    const QRectF body = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(kBorder, 1));
    painter.setBrush(kWell);
    painter.drawRoundedRect(body, 6, 6);
    const bool lit = light.alpha() > 0;
    // The light falling on the desk under the mouse.
    const QPointF floor(rect.center().x(), rect.top() + rect.height() * 0.55);
    QRadialGradient pool(floor, rect.width() * 0.55);
    pool.setColorAt(0, lit ? WithAlpha(light, 70) : QColor(40, 48, 58, 60));
    pool.setColorAt(1, WithAlpha(lit ? light : QColor(40, 48, 58), 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(pool);
    painter.drawRoundedRect(body.adjusted(1, 1, -1, -1), 6, 6);

    const qreal height = rect.height() * 0.8;
    const qreal width = height * 0.52;
    const MousePicture mouse(QRectF(rect.center().x() - width / 2,
                                    rect.top() + (rect.height() - height) / 2, width, height));
    mouse.Draw(painter, light);
}

}  // namespace

void DrawLook(QPainter& painter, Look look, const QRectF& rect, State state,
              const LookContext& context) {
    if (rect.width() <= 0 || rect.height() <= 0) {
        return;
    }
    painter.save();
    painter.setClipRect(rect);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (look) {
        case Look::Plain:
            break;
        case Look::Button:
            ButtonBody(painter, rect, state, false);
            break;
        case Look::PrimaryButton:
            ButtonBody(painter, rect, state, true);
            break;
        case Look::Segment:
            Segment(painter, rect, state);
            break;
        case Look::Tab:
            Tab(painter, rect, state);
            break;
        case Look::Minimize:
            WindowButton(painter, rect, state, false);
            break;
        case Look::Close:
            WindowButton(painter, rect, state, true);
            break;
        case Look::Link:
            Link(painter, rect, state);
            break;
        case Look::FunctionSlot:
            FunctionSlot(painter, rect, state);
            break;
        case Look::Switch:
            Switch(painter, rect, state);
            break;
        case Look::Radio:
            Radio(painter, rect, state);
            break;
        case Look::LevelMarker:
            LevelMarker(painter, rect, state);
            break;
        case Look::SliderStop:
            SliderStop(painter, rect, state);
            break;
        case Look::CheckBox: {
            Segment(painter, rect, state);
            const QPointF led(rect.right() - 8, rect.top() + 8);
            QPainterPath dot;
            dot.addEllipse(led, 2.5, 2.5);
            if (state == State::Down) {
                Glow(painter, dot, WithAlpha(kAccent, 170), 3);
            }
            painter.setPen(Qt::NoPen);
            painter.setBrush(state == State::Down ? kAccent : kTrack.lighter(130));
            painter.drawPath(dot);
            break;
        }
        case Look::Step:
            Step(painter, rect, state);
            break;
        case Look::FireBar:
            FireBar(painter, rect, state);
            break;
        case Look::Plus:
            PlusMinus(painter, rect, state, true);
            break;
        case Look::Minus:
            PlusMinus(painter, rect, state, false);
            break;
        case Look::ValueWell:
            ValueWell(painter, rect);
            break;
        case Look::RecordButton:
            RecordButton(painter, rect, state);
            break;
        case Look::LightingMode:
            LightingMode(painter, rect, state, context.variant);
            break;
        case Look::Preview:
            Preview(painter, rect, context.previewColour);
            break;
    }
    painter.restore();
}

void DrawSliderKnob(QPainter& painter, const QRectF& rect) {
    painter.save();
    painter.setClipRect(rect);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre = rect.center();
    QPainterPath knob;
    knob.addEllipse(centre, 9, 9);
    Glow(painter, knob, QColor(kAccent.red(), kAccent.green(), kAccent.blue(), 150), 4);
    QRadialGradient fill(centre + QPointF(-3, -3), 12);
    fill.setColorAt(0, kAccent.lighter(150));
    fill.setColorAt(1, kAccentDim);
    painter.setPen(QPen(kAccent.lighter(130), 1));
    painter.setBrush(fill);
    painter.drawPath(knob);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kWell);
    painter.drawEllipse(centre, 3, 3);
    painter.restore();
}

}  // namespace skingen
