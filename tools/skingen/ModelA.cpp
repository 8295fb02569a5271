// The default skin of model A: a six-button mouse whose four DPI levels each
// pick one of five values on a slider.
#include <QPainter>
#include <QRadialGradient>
#include <array>
#include <cmath>
#include <string>

#include "app/Model.h"
#include "tools/skingen/Canvas.h"
#include "tools/skingen/MousePicture.h"
#include "tools/skingen/Palette.h"
#include "tools/skingen/SkinDesign.h"

namespace skingen {

namespace {

// Main areas with a meaning in model A.
constexpr int kButtonLabels = 25;  // 25 to 30: functions of buttons 1 to 6
constexpr int kDpiCaption = 21;
constexpr int kLightingCaption = 22;
constexpr int kHint = 24;
constexpr int kLevelMarkers = 80;  // 80 to 83
constexpr int kSliderStops = 60;   // 60 + 5 * level + stop
constexpr int kMousePicture = 84;  // not read by the program; places the picture
constexpr int kButtonFrames = 90;  // 90 to 95: buttons on the picture
constexpr int kLevels = 4;
constexpr int kStops = 5;

// The DPI each slider stop selects, as the program shows it.
constexpr std::array<int, kStops> kStopValues{1200, 1600, 2400, 3200, 4800};

// The window: a dialog of 533 by 395 dialog units.
constexpr QSize kWindowSize{800, 640};

QRectF AreaOf(const pelmar::SkinLayout& layout, int index) {
    return ToRectF(layout.mainPage.Area(index));
}

MousePicture Picture(const pelmar::SkinLayout& layout) {
    return MousePicture(AreaOf(layout, kMousePicture));
}

void DrawConnectors(QPainter& painter, const pelmar::SkinLayout& layout) {
    const MousePicture mouse = Picture(layout);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (int part = 0; part < kMousePartCount; ++part) {
        const QPointF anchor = mouse.Anchor(static_cast<MousePart>(part));
        const QRectF label = AreaOf(layout, kButtonLabels + part);
        const bool labelLeft = label.center().x() < anchor.x();
        const QPointF end(labelLeft ? label.right() : label.left(), label.center().y());
        const QPointF knee = end + QPointF(labelLeft ? 12 : -12, 0);
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

void DrawStopValues(QPainter& painter, const pelmar::SkinLayout& layout) {
    const QFont font = PictureFont(10);
    for (int level = 0; level < kLevels; ++level) {
        for (int stop = 0; stop < kStops; ++stop) {
            const QRectF area = AreaOf(layout, kSliderStops + kStops * level + stop);
            DrawText(painter, QRectF(area.left(), area.bottom(), area.width(), 15),
                     QString::number(kStopValues[static_cast<std::size_t>(stop)]), font, kTextDim);
        }
    }
}

// Thin rules between the DPI levels and above the lighting and wheel row.
void DrawDividers(QPainter& painter, const pelmar::SkinLayout& layout) {
    painter.save();
    painter.setPen(QPen(kBorder, 1));
    const QRectF panel = AreaOf(layout, kDpiCaption);
    for (int level = 1; level < kLevels; ++level) {
        const QRectF above = AreaOf(layout, kLevelMarkers + level - 1);
        const QRectF below = AreaOf(layout, kLevelMarkers + level);
        const qreal y = std::floor((above.bottom() + below.top()) / 2) + 0.5;
        painter.drawLine(QPointF(panel.left() + 12, y), QPointF(panel.right() - 12, y));
    }
    const QRectF hint = AreaOf(layout, kHint);
    const QRectF row = AreaOf(layout, kLightingCaption);
    const qreal y = std::floor((hint.bottom() + row.top()) / 2) + 0.5;
    painter.drawLine(QPointF(hint.left(), y), QPointF(hint.right(), y));
    painter.restore();
}

void DecorateMain(QPainter& painter, const pelmar::SkinLayout& layout) {
    DrawDividers(painter, layout);
    const QRectF box = AreaOf(layout, kMousePicture);
    QRadialGradient floor(box.center() + QPointF(0, box.height() * 0.1), box.height() * 0.62);
    floor.setColorAt(0, QColor(kAccent.red(), kAccent.green(), kAccent.blue(), 30));
    floor.setColorAt(1, QColor(kAccent.red(), kAccent.green(), kAccent.blue(), 0));
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(floor);
    painter.drawEllipse(box.center() + QPointF(0, box.height() * 0.1), box.height() * 0.62,
                        box.height() * 0.62);
    painter.restore();
    DrawConnectors(painter, layout);
    Picture(layout).Draw(painter, kAccent);
    DrawStopValues(painter, layout);
}

// Hovering a button's label lights that button on the picture.
void OverlayMain(QPainter& painter, const pelmar::SkinLayout& layout, State state) {
    if (state != State::Over) {
        return;
    }
    const MousePicture mouse = Picture(layout);
    for (int part = 0; part < kMousePartCount; ++part) {
        painter.save();
        painter.setClipRect(AreaOf(layout, kButtonFrames + part));
        mouse.DrawHighlight(painter, static_cast<MousePart>(part));
        painter.restore();
    }
}

// Each hover frame must hold its whole button and no other, and every stop
// must have the knob's size.
std::string Check(const pelmar::SkinLayout& layout) {
    const MousePicture mouse = Picture(layout);
    for (int part = 0; part < kMousePartCount; ++part) {
        const QRectF frame = AreaOf(layout, kButtonFrames + part);
        const QRectF bounds = mouse.Part(static_cast<MousePart>(part)).boundingRect();
        if (!frame.adjusted(-1, -1, 1, 1).contains(bounds)) {
            return "main area " + std::to_string(kButtonFrames + part) +
                   " does not hold its button on the mouse picture";
        }
        for (int other = part + 1; other < kMousePartCount; ++other) {
            if (frame.intersects(AreaOf(layout, kButtonFrames + other))) {
                return "main areas " + std::to_string(kButtonFrames + part) + " and " +
                       std::to_string(kButtonFrames + other) + " overlap";
            }
        }
    }
    const pelmar::SkinRect knob = layout.mainPage.Area(kSliderStops);
    for (int stop = kSliderStops; stop < kSliderStops + kLevels * kStops; ++stop) {
        const pelmar::SkinRect area = layout.mainPage.Area(stop);
        if (area.width != knob.width || area.height != knob.height) {
            return "slider stop " + std::to_string(stop) + " differs in size from stop 60";
        }
    }
    return {};
}

}  // namespace

const SkinDesign& ModelADesign() {
    static const SkinDesign design{
        .brand = pelmar::ModelA().brand,
        .windowSize = kWindowSize,
        .frameRoles = {{0, 0, Look::Button},
                       {1, 1, Look::Plain},
                       {2, 2, Look::Button},
                       {3, 3, Look::PrimaryButton},
                       {4, 8, Look::Segment},
                       {9, 11, Look::Tab},
                       {12, 12, Look::Minimize},
                       {13, 13, Look::Close},
                       {14, 16, Look::Button},
                       {17, 18, Look::Segment},
                       {19, 19, Look::Link}},
        .mainRoles = {{25, 30, Look::FunctionSlot},
                      {36, 37, Look::Segment},
                      {41, 42, Look::Segment},
                      {46, 49, Look::Switch},
                      // The marker of a level holds its radio button.
                      {80, 83, Look::LevelMarker},
                      {54, 57, Look::Radio},
                      {60, 79, Look::SliderStop}},
        .colourRoles = {{0, 3, Look::LightingMode},
                        {9, 9, Look::ValueWell},
                        {11, 11, Look::Preview}},
        .advancedRoles = {{0, 3, Look::Button},
                          {4, 4, Look::RecordButton},
                          {5, 5, Look::Button},
                          {6, 7, Look::CheckBox},
                          {8, 27, Look::Step},
                          {30, 30, Look::FireBar},
                          {31, 31, Look::Plus},
                          {32, 32, Look::Minus},
                          {33, 33, Look::ValueWell},
                          {43, 44, Look::ValueWell}},
        .warningRoles = {{0, 1, Look::Button}},
        .mainPanels = {{20, {24, 25, 26, 27, 28, 29, 30, 22, 23, 36, 37, 41, 42, 84}},
                       {21, {46, 47, 48, 49, 54, 55, 56, 57, 80, 81, 82, 83, 75, 76, 77, 78, 79}}},
        .colourPanels = {{12, {11}}, {5, {0, 1, 2, 3, 4, 6, 8, 9, 10}}},
        .advancedPanels = {{38, {0, 1, 2, 3, 4, 5, 6, 7, 39, 40, 41, 42, 43, 44}},
                           {28, {8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 45, 46}},
                           {29, {18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 47, 48}},
                           {34, {30, 31, 32, 33, 49, 50}}},
        .colourSubCaptions = {4},
        .decorateMain = DecorateMain,
        .overlayMain = OverlayMain,
        .check = Check,
        .sliderKnobArea = kSliderStops,
    };
    return design;
}

}  // namespace skingen
