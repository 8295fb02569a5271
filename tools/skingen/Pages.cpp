#include "tools/skingen/Pages.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>

#include "skin/SkinRegion.h"
#include "tools/skingen/Canvas.h"
#include "tools/skingen/Palette.h"

namespace skingen {

namespace {

constexpr qreal kWindowCut = 14;  // the window's corners are cut at 45 degrees
constexpr qreal kPanelCut = 8;
constexpr qreal kPanelPadding = 14;
constexpr qreal kHeaderGap = 12;  // below the lowest header control
constexpr qreal kFooterGap = 14;  // above the highest footer control

// Areas of the frame whose positions place the header and footer.
constexpr std::array<int, 7> kHeaderAreas{9, 10, 11, 12, 13, 17, 18};
constexpr std::array<int, 4> kFooterAreas{0, 2, 3, 19};
constexpr int kBrandArea = 1;

// The colours of the DPI levels, as the preview shows them.
constexpr std::array<QColor, 4> kLevelColours{kPreviewBlue, kPreviewPink, kPreviewRed,
                                              kPreviewPurple};

QImage NewPicture(const QSize& size, const QColor& fill) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

QRectF Area(const pelmar::SkinPage& page, int index) {
    return ToRectF(page.Area(index));
}

QPainterPath WindowShape(const SkinDesign& design) {
    return ChamferedRect(QRectF(QPointF(0, 0), QSizeF(design.windowSize)), kWindowCut);
}

void PaintAreas(QPainter& painter, const pelmar::SkinPage& page, const RoleTable& roles,
                State state, const QColor& preview) {
    for (const AreaRole& role : roles) {
        for (int index = role.first; index <= role.last; ++index) {
            const LookContext context{index - role.first, preview};
            DrawLook(painter, role.look, Area(page, index), state, context);
        }
    }
}

void CaptionStrip(QPainter& painter, const QRectF& strip) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(strip, kPanelHeader);
    painter.setPen(kBorder);
    painter.drawLine(QPointF(strip.left(), strip.bottom() - 0.5),
                     QPointF(strip.right(), strip.bottom() - 0.5));
    painter.fillRect(QRectF(strip.left() + 10, strip.center().y() - 6, 3, 12), kAccent);
    painter.restore();
}

void PaintPanels(QPainter& painter, const pelmar::SkinPage& page,
                 const std::vector<PanelSpec>& panels) {
    for (const PanelSpec& panel : panels) {
        const QRectF caption = Area(page, panel.caption);
        qreal bottom = caption.bottom();
        for (const int member : panel.members) {
            bottom = std::max(bottom, Area(page, member).bottom());
        }
        const QRectF card(caption.left(), caption.top(), caption.width(),
                          bottom + kPanelPadding - caption.top());
        const QPainterPath shape = ChamferedRect(card.adjusted(0.5, 0.5, -0.5, -0.5), kPanelCut);
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(kBorder, 1));
        painter.setBrush(kPanel);
        painter.drawPath(shape);
        painter.setClipPath(shape);
        CaptionStrip(painter, caption);
        painter.restore();
    }
}

void PaintBrand(QPainter& painter, const pelmar::SkinPage& frame, const SkinDesign& design) {
    const QRectF under = Area(frame, kBrandArea);
    QFont font = PictureFont(22, QFont::Bold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 4);
    const QString name =
        QString::fromUtf8(design.brand.data(), static_cast<qsizetype>(design.brand.size()))
            .toUpper();
    const QFontMetricsF metrics(font);
    constexpr qreal kMark = 22;
    constexpr qreal kGap = 10;
    const qreal width = kMark + kGap + metrics.horizontalAdvance(name) - 4;
    const qreal left = under.center().x() - width / 2;
    const qreal middle = (8 + under.top()) / 2;

    // The mark: two nested chevrons pointing right.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath outer;
    outer.moveTo(left, middle - kMark / 2);
    outer.lineTo(left + kMark * 0.55, middle - kMark / 2);
    outer.lineTo(left + kMark, middle);
    outer.lineTo(left + kMark * 0.55, middle + kMark / 2);
    outer.lineTo(left, middle + kMark / 2);
    outer.lineTo(left + kMark * 0.45, middle);
    outer.closeSubpath();
    Glow(painter, outer, QColor(kAccent.red(), kAccent.green(), kAccent.blue(), 110), 4);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kAccent);
    painter.drawPath(outer);
    painter.setBrush(kHeaderBottom);
    painter.drawPath(QTransform()
                         .translate(left + kMark * 0.42, middle)
                         .scale(0.42, 0.42)
                         .translate(-left - kMark * 0.5, -middle)
                         .map(outer));
    painter.restore();
    DrawText(painter, QRectF(left + kMark + kGap, middle - 16, width, 32), name, font, kTextBright,
             Qt::AlignLeft | Qt::AlignVCenter);
}

// Header, footer and brand, drawn before everything else.
void PaintFrameBackground(QPainter& painter, const pelmar::SkinPage& frame,
                          const SkinDesign& design) {
    const qreal width = design.windowSize.width();
    qreal headerBottom = 0;
    for (const int index : kHeaderAreas) {
        headerBottom = std::max(headerBottom, Area(frame, index).bottom());
    }
    headerBottom += kHeaderGap;
    qreal footerTop = design.windowSize.height();
    for (const int index : kFooterAreas) {
        footerTop = std::min(footerTop, Area(frame, index).top());
    }
    footerTop -= kFooterGap;

    const QRectF header(0, 0, width, headerBottom);
    QLinearGradient headerFill(header.topLeft(), header.bottomLeft());
    headerFill.setColorAt(0, kHeaderTop);
    headerFill.setColorAt(1, kHeaderBottom);
    painter.fillRect(header, headerFill);
    const QRectF footer(0, footerTop, width, design.windowSize.height() - footerTop);
    painter.fillRect(footer, kHeaderBottom);

    painter.save();
    painter.setPen(kBorder);
    painter.drawLine(QPointF(0, headerBottom - 0.5), QPointF(width, headerBottom - 0.5));
    painter.drawLine(QPointF(0, footerTop + 0.5), QPointF(width, footerTop + 0.5));
    // A short accent line under the brand.
    const QRectF brand = Area(frame, kBrandArea);
    QLinearGradient accent(QPointF(0, 0), QPointF(brand.right() + 60, 0));
    accent.setColorAt(0, kAccent);
    accent.setColorAt(1, QColor(kAccent.red(), kAccent.green(), kAccent.blue(), 0));
    painter.fillRect(QRectF(kWindowCut, headerBottom - 1, brand.right() + 60, 1), accent);
    painter.restore();
    PaintBrand(painter, frame, design);
}

// The window's edge and its cut corners, drawn last.
void PaintWindowEdge(QPainter& painter, const SkinDesign& design) {
    const QRectF window(QPointF(0, 0), QSizeF(design.windowSize));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kBorderLight, 1));
    painter.drawPath(ChamferedRect(window.adjusted(0, 0, -1, -1), kWindowCut));
    painter.setPen(QPen(kAccent, 1));
    const qreal right = window.right() - 1;
    const qreal bottom = window.bottom() - 1;
    painter.drawLine(QPointF(0, kWindowCut), QPointF(kWindowCut, 0));
    painter.drawLine(QPointF(right - kWindowCut, bottom), QPointF(right, bottom - kWindowCut));
    painter.restore();
}

// Everything of a page picture around its own areas: the frame and its
// areas are the same on all three pages.
template <typename PaintPage>
QImage PaintPicture(const pelmar::SkinLayout& layout, const SkinDesign& design, State state,
                    PaintPage paintPage) {
    QImage image = NewPicture(design.windowSize, kWindow);
    QPainter painter(&image);
    PaintFrameBackground(painter, layout.mainPage, design);
    paintPage(painter);
    PaintAreas(painter, layout.mainPage, design.frameRoles, state, {});
    PaintWindowEdge(painter, design);
    return image;
}

void PaintLevelLegend(QPainter& painter, const QRectF& caption) {
    const qreal width = (caption.width() - 24) / static_cast<qreal>(kLevelColours.size());
    const QFont font = PictureFont(13, QFont::Bold);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (std::size_t level = 0; level < kLevelColours.size(); ++level) {
        const QRectF cell(caption.left() + 12 + width * static_cast<qreal>(level),
                          caption.bottom() + 10, width, 26);
        const QPointF dot(cell.center().x() - 10, cell.center().y());
        QPainterPath light;
        light.addEllipse(dot, 6, 6);
        Glow(painter, light, kLevelColours[level], 5);
        painter.setPen(Qt::NoPen);
        painter.setBrush(kLevelColours[level]);
        painter.drawPath(light);
        DrawText(painter, QRectF(dot.x() + 10, cell.top(), 20, cell.height()),
                 QString::number(level + 1), font, kTextBright, Qt::AlignLeft | Qt::AlignVCenter);
    }
    painter.restore();
}

// Frames around the advanced page's list and edit boxes, which paint their
// own black inside.
void PaintControlWells(QPainter& painter, const pelmar::SkinLayout& layout) {
    for (const pelmar::SkinRect& control :
         {layout.repeatEditRect, layout.nameEditRect, layout.macroListRect, layout.eventListRect}) {
        const QRectF inside = ToRectF(control);
        painter.fillRect(inside, Qt::black);
        painter.save();
        painter.setPen(QPen(kBorderLight, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(inside.adjusted(-1.5, -1.5, 0.5, 0.5));
        painter.restore();
    }
}

}  // namespace

QImage PaintMainPage(const pelmar::SkinLayout& layout, const SkinDesign& design, State state) {
    return PaintPicture(layout, design, state, [&](QPainter& painter) {
        PaintPanels(painter, layout.mainPage, design.mainPanels);
        design.decorateMain(painter, layout);
        PaintAreas(painter, layout.mainPage, design.mainRoles, state, {});
        design.overlayMain(painter, layout, state);
    });
}

QImage PaintAdvancedPage(const pelmar::SkinLayout& layout, const SkinDesign& design, State state) {
    return PaintPicture(layout, design, state, [&](QPainter& painter) {
        PaintPanels(painter, layout.advancedPage, design.advancedPanels);
        PaintControlWells(painter, layout);
        PaintAreas(painter, layout.advancedPage, design.advancedRoles, state, {});
    });
}

QImage PaintColourPage(const pelmar::SkinLayout& layout, const SkinDesign& design, State state,
                       const QColor& preview) {
    return PaintPicture(layout, design, state, [&](QPainter& painter) {
        PaintPanels(painter, layout.colourPage, design.colourPanels);
        for (const int caption : design.colourSubCaptions) {
            // Inside the card's edges.
            CaptionStrip(painter, Area(layout.colourPage, caption).adjusted(1, 0, -1, 0));
            PaintLevelLegend(painter, Area(layout.colourPage, caption));
        }
        PaintAreas(painter, layout.colourPage, design.colourRoles, state, preview);
    });
}

QImage PaintWindowMask(const SkinDesign& design) {
    QImage mask = NewPicture(design.windowSize, kMaskCut);
    QPainter painter(&mask);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kMask);
    painter.drawPath(WindowShape(design));
    return mask;
}

bool MaskKeepsShape(const QImage& decoded, const SkinDesign& design) {
    const QImage drawn = PaintWindowMask(design);
    return decoded.size() == drawn.size() &&
           pelmar::CreateRegionFromMask(decoded) == pelmar::CreateRegionFromMask(drawn);
}

QImage PaintSliderKnob(const pelmar::SkinLayout& layout, const SkinDesign& design) {
    const pelmar::SkinRect stop = layout.mainPage.Area(design.sliderKnobArea);
    QImage knob = NewPicture(QSize(stop.width, stop.height), kPanel);
    QPainter painter(&knob);
    const QRectF area(0, 0, stop.width, stop.height);
    DrawLook(painter, Look::SliderStop, area, State::Normal, {});
    DrawSliderKnob(painter, area);
    return knob;
}

}  // namespace skingen
