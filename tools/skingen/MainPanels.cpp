#include "tools/skingen/MainPanels.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

#include "profile/Profile.h"
#include "tools/skingen/Canvas.h"
#include "tools/skingen/MousePicture.h"
#include "tools/skingen/Palette.h"

namespace skingen {

namespace {

constexpr qreal kConnectorKnee = 12;  // the line leaves a label level for this long
constexpr qreal kRuleInset = 12;      // a rule stops this far inside its panel

QRectF AreaOf(const pelmar::SkinLayout& layout, int index) {
    return ToRectF(layout.mainPage.Area(index));
}

MousePicture Picture(const pelmar::SkinLayout& layout, const ButtonPanelAreas& areas) {
    return MousePicture(AreaOf(layout, areas.picture));
}

void DrawConnectors(QPainter& painter, const pelmar::SkinLayout& layout,
                    const ButtonPanelAreas& areas) {
    const MousePicture mouse = Picture(layout, areas);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (int part = 0; part < kMousePartCount; ++part) {
        const QPointF anchor = mouse.Anchor(static_cast<MousePart>(part));
        const QRectF label = AreaOf(layout, areas.firstLabel + part);
        const bool labelLeft = label.center().x() < anchor.x();
        const QPointF end(labelLeft ? label.right() : label.left(), label.center().y());
        const QPointF knee = end + QPointF(labelLeft ? kConnectorKnee : -kConnectorKnee, 0);
        QPainterPath line;
        line.moveTo(end);
        line.lineTo(knee);
        line.lineTo(anchor);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(kBorderLight.lighter(115), 1));
        painter.drawPath(line);
        painter.setPen(QPen(kAccent, 1.5));
        painter.setBrush(kWell);
        painter.drawEllipse(anchor, 3.2, 3.2);
    }
    painter.restore();
}

pelmar::SkinRect DpiChoice(const pelmar::SkinLayout& layout, const pelmar::Model& model, int level,
                           int choice) {
    return layout.mainPage.Area(model.firstDpiValueArea + model.dpiValueCount * level + choice);
}

}  // namespace

void DrawButtonPanel(QPainter& painter, const pelmar::SkinLayout& layout,
                     const ButtonPanelAreas& areas) {
    const QRectF box = AreaOf(layout, areas.picture);
    const QPointF centre = box.center() + QPointF(0, box.height() * 0.1);
    const qreal reach = box.height() * 0.62;
    QRadialGradient floor(centre, reach);
    floor.setColorAt(0, QColor(kAccent.red(), kAccent.green(), kAccent.blue(), 30));
    floor.setColorAt(1, QColor(kAccent.red(), kAccent.green(), kAccent.blue(), 0));
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(floor);
    painter.drawEllipse(centre, reach, reach);
    painter.restore();
    DrawConnectors(painter, layout, areas);
    Picture(layout, areas).Draw(painter, kAccent);
}

void HighlightButtons(QPainter& painter, const pelmar::SkinLayout& layout,
                      const ButtonPanelAreas& areas, State state) {
    if (state != State::Over) {
        return;
    }
    const MousePicture mouse = Picture(layout, areas);
    for (int part = 0; part < kMousePartCount; ++part) {
        painter.save();
        painter.setClipRect(AreaOf(layout, areas.firstFrame + part));
        mouse.DrawHighlight(painter, static_cast<MousePart>(part));
        painter.restore();
    }
}

std::string CheckButtonFrames(const pelmar::SkinLayout& layout, const ButtonPanelAreas& areas) {
    const MousePicture mouse = Picture(layout, areas);
    for (int part = 0; part < kMousePartCount; ++part) {
        const QRectF frame = AreaOf(layout, areas.firstFrame + part);
        const QRectF bounds = mouse.Part(static_cast<MousePart>(part)).boundingRect();
        if (!frame.adjusted(-1, -1, 1, 1).contains(bounds)) {
            return "main area " + std::to_string(areas.firstFrame + part) +
                   " does not hold its button on the mouse picture";
        }
        for (int other = part + 1; other < kMousePartCount; ++other) {
            if (frame.intersects(AreaOf(layout, areas.firstFrame + other))) {
                return "main areas " + std::to_string(areas.firstFrame + part) + " and " +
                       std::to_string(areas.firstFrame + other) + " overlap";
            }
        }
    }
    return {};
}

void DrawDpiValues(QPainter& painter, const pelmar::SkinLayout& layout, const pelmar::Model& model,
                   const QFont& font) {
    const qreal height = std::ceil(font.pixelSize() * 1.5);
    for (int level = 0; level < pelmar::kDpiLevelCount; ++level) {
        for (int choice = 0; choice < model.dpiValueCount; ++choice) {
            const QRectF area = ToRectF(DpiChoice(layout, model, level, choice));
            const int dpi =
                pelmar::DisplayedDpi(model, model.dpiValueCodes[static_cast<std::size_t>(choice)]);
            DrawText(painter, QRectF(area.left(), area.bottom(), area.width(), height),
                     QString::number(dpi), font, kTextDim);
        }
    }
}

std::string CheckDpiChoiceSizes(const pelmar::SkinLayout& layout, const pelmar::Model& model) {
    const pelmar::SkinRect first = DpiChoice(layout, model, 0, 0);
    for (int level = 0; level < pelmar::kDpiLevelCount; ++level) {
        for (int choice = 0; choice < model.dpiValueCount; ++choice) {
            const pelmar::SkinRect area = DpiChoice(layout, model, level, choice);
            if (first.width <= 0 || first.height <= 0 || area.width != first.width ||
                area.height != first.height) {
                return "DPI choice " + std::to_string(choice) + " of level " +
                       std::to_string(level) + " differs in size from the first";
            }
        }
    }
    return {};
}

void DrawLevelRules(QPainter& painter, const pelmar::SkinLayout& layout,
                    const LevelRuleAreas& areas) {
    painter.save();
    painter.setPen(QPen(kBorder, 1));
    const QRectF panel = AreaOf(layout, areas.panelCaption);
    for (int level = 1; level < pelmar::kDpiLevelCount; ++level) {
        const QRectF above = AreaOf(layout, areas.firstAbove + level - 1);
        const QRectF below = AreaOf(layout, areas.firstBelow + level);
        const qreal y = std::floor((above.bottom() + below.top()) / 2) + 0.5;
        painter.drawLine(QPointF(panel.left() + kRuleInset, y),
                         QPointF(panel.right() - kRuleInset, y));
    }
    painter.restore();
}

void DrawRuleBetween(QPainter& painter, const pelmar::SkinLayout& layout, int upper, int lower) {
    const QRectF top = AreaOf(layout, upper);
    const QRectF bottom = AreaOf(layout, lower);
    const qreal y = std::floor((top.bottom() + bottom.top()) / 2) + 0.5;
    painter.save();
    painter.setPen(QPen(kBorder, 1));
    painter.drawLine(QPointF(top.left(), y), QPointF(top.right(), y));
    painter.restore();
}

}  // namespace skingen
