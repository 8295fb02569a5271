#include "tools/skingen/Popups.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "skin/SkinRegion.h"
#include "tools/skingen/Canvas.h"
#include "tools/skingen/Palette.h"

namespace skingen {

namespace {

constexpr qreal kDialogCut = 10;
constexpr qreal kDialogMarginX = 12;  // right of the rightmost area
constexpr qreal kDialogMarginY = 18;  // below the lowest area
constexpr QColor kWarningSign{224, 57, 74};

QColor Faded(QColor colour, int alpha) {
    colour.setAlpha(alpha);
    return colour;
}

void PaintRow(QPainter& painter, const QRectF& row, State state, bool branch) {
    QLinearGradient fill(row.topLeft(), row.bottomLeft());
    switch (state) {
        case State::Normal:
            fill.setColorAt(0, kPanel.lighter(112));
            fill.setColorAt(1, kPanel);
            break;
        case State::Over:
            fill.setColorAt(0, kAccentDeep.lighter(150));
            fill.setColorAt(1, kAccentDeep);
            break;
        case State::Down:
            fill.setColorAt(0, kControlDown.lighter(170));
            fill.setColorAt(1, kControlDown.lighter(120));
            break;
    }
    painter.fillRect(row, fill);
    painter.fillRect(QRectF(row.left(), row.top(), row.width(), 1), kBorder);
    if (state != State::Normal) {
        painter.fillRect(QRectF(row.left() + 1, row.top() + 1, 3, row.height() - 1), kAccent);
    }
    if (branch) {
        const QPointF tip(row.right() - 12, row.center().y());
        QPainterPath arrow;
        arrow.moveTo(tip + QPointF(-4, -4));
        arrow.lineTo(tip);
        arrow.lineTo(tip + QPointF(-4, 4));
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(state == State::Normal ? kIcon : kAccent, 1.6, Qt::SolidLine,
                            Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(arrow);
        painter.restore();
    }
}

QSize MenuSize(const MenuShape& shape) {
    return {kMenuRowWidth, shape.rows * kMenuRowHeight + 1};
}

QSize DialogSize(const pelmar::SkinLayout& layout) {
    qreal right = 0;
    qreal bottom = 0;
    for (int entry = 0; entry < layout.warning.Count(); ++entry) {
        const QRectF area = ToRectF(layout.warning.Area(entry));
        right = std::max(right, area.right());
        bottom = std::max(bottom, area.bottom());
    }
    return {static_cast<int>(right + kDialogMarginX), static_cast<int>(bottom + kDialogMarginY)};
}

QPainterPath DialogShape(const QSize& size) {
    return ChamferedRect(QRectF(QPointF(0, 0), QSizeF(size)), kDialogCut);
}

void PaintWarningSign(QPainter& painter, const QPointF& centre) {
    constexpr qreal kSize = 30;
    QPainterPath triangle;
    triangle.moveTo(centre + QPointF(0, -kSize / 2));
    triangle.lineTo(centre + QPointF(kSize / 2, kSize / 2 - 3));
    triangle.lineTo(centre + QPointF(-kSize / 2, kSize / 2 - 3));
    triangle.closeSubpath();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    Glow(painter, triangle, Faded(kWarningSign, 120), 5);
    painter.setPen(QPen(kWarningSign, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Faded(kWarningSign, 40));
    painter.drawPath(triangle);
    painter.setPen(QPen(kWarningSign, 2.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre + QPointF(0, -5), centre + QPointF(0, 4));
    painter.drawPoint(centre + QPointF(0, 9));
    painter.restore();
}

}  // namespace

QImage PaintMenu(const MenuShape& shape, State state) {
    QImage image(MenuSize(shape), QImage::Format_RGB32);
    image.fill(kBorderLight);
    QPainter painter(&image);
    for (int row = 0; row < shape.rows; ++row) {
        const bool branch = row + 1 >= shape.branchFirst && row + 1 <= shape.branchLast;
        PaintRow(painter, QRectF(1, row * kMenuRowHeight, kMenuRowWidth - 2, kMenuRowHeight), state,
                 branch);
    }
    painter.fillRect(QRectF(0, 0, kMenuRowWidth, 1), kBorderLight);
    return image;
}

QImage PaintMenuMask(const MenuShape& shape) {
    QImage image(MenuSize(shape), QImage::Format_RGB32);
    image.fill(kMask);
    return image;
}

QImage PaintWarning(const pelmar::SkinLayout& layout, const SkinDesign& design, State state) {
    const QSize size = DialogSize(layout);
    QImage image(size, QImage::Format_RGB32);
    image.fill(kWindow);
    QPainter painter(&image);
    const QPainterPath shape = DialogShape(size);
    painter.setPen(Qt::NoPen);
    QLinearGradient fill(QPointF(0, 0), QPointF(0, size.height()));
    fill.setColorAt(0, kHeaderTop);
    fill.setColorAt(1, kPanel);
    painter.setBrush(fill);
    painter.drawPath(shape);
    painter.fillRect(QRectF(kDialogCut, 0, size.width() - 2 * kDialogCut, 2), kWarningSign);

    const QRectF message = ToRectF(layout.warning.Area(pelmar::kWarningMessage));
    PaintWarningSign(painter, QPointF(message.left() / 2 + 2, message.center().y()));
    for (const AreaRole& role : design.warningRoles) {
        for (int index = role.first; index <= role.last; ++index) {
            DrawLook(painter, role.look, ToRectF(layout.warning.Area(index)), state, {});
        }
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kBorderLight, 1));
    painter.drawPath(ChamferedRect(QRectF(0, 0, size.width() - 1, size.height() - 1), kDialogCut));
    return image;
}

QImage PaintWarningMask(const pelmar::SkinLayout& layout) {
    const QSize size = DialogSize(layout);
    QImage mask(size, QImage::Format_RGB32);
    mask.fill(kMaskCut);
    QPainter painter(&mask);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kMask);
    painter.drawPath(DialogShape(size));
    return mask;
}

bool WarningMaskKeepsShape(const QImage& decoded, const pelmar::SkinLayout& layout) {
    const QImage drawn = PaintWarningMask(layout);
    return decoded.size() == drawn.size() &&
           pelmar::CreateRegionFromMask(decoded) == pelmar::CreateRegionFromMask(drawn);
}

}  // namespace skingen
