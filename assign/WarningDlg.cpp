#include "assign/WarningDlg.h"

#include <QMouseEvent>
#include <QPainter>

#include "assign/CentredText.h"
#include "skin/PageLabels.h"
#include "skin/SkinFiles.h"
#include "skin/SkinImage.h"
#include "skin/SkinRegion.h"

namespace pelmar {

namespace {

// The dialog's size when the skin has no usable mask: a plain rectangle.
constexpr QSize kPlainSize{300, 150};
constexpr QColor kLabelColour{255, 0, 0};

// The warning table's entry for each hover value.
struct HotArea {
    std::int32_t hot;
    int entry;
};
constexpr HotArea kHotAreas[] = {
    {kWarningConfirmed, kWarningConfirm},
    {kWarningCancelled, kWarningCancel},
};

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

WarningDlg::WarningDlg(const SharedState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), state_(state) {
    setModal(true);
    setMouseTracking(true);
    // Every paint covers the whole dialog; nothing is erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);

    const QImage mask = LoadSkinBitmap(state.skinFolder / skin_images::kWarningMask);
    const QSize size = mask.isNull() ? kPlainSize : mask.size();
    setFixedSize(size);
    if (!mask.isNull()) {
        setMask(CreateRegionFromMask(mask));
    }
    move(state.popupPosition[0], state.popupPosition[1]);
    normal_ = LoadSkinBitmap(state.skinFolder / skin_images::kWarningNormal);
    over_ = LoadSkinBitmap(state.skinFolder / skin_images::kWarningOver);
}

void WarningDlg::reject() {
    done(kWarningCancelled);
}

bool WarningDlg::TrackHot(QPoint point) {
    std::int32_t hot = kNoArea;
    for (const HotArea& area : kHotAreas) {
        if (state_.skin.warning.Area(area.entry).Contains(point.x(), point.y())) {
            hot = area.hot;
            break;
        }
    }
    const bool changed = hot != hot_;
    hot_ = hot;
    return changed;
}

void WarningDlg::mouseMoveEvent(QMouseEvent* event) {
    if (TrackHot(event->position().toPoint())) {
        update();
    }
    QDialog::mouseMoveEvent(event);
}

void WarningDlg::mouseReleaseEvent(QMouseEvent* event) {
    QDialog::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton) {
        return;
    }
    // The area under the pointer at the release decides, even without a move
    // before it.
    TrackHot(event->position().toPoint());
    if (hot_ == kWarningConfirmed || hot_ == kWarningCancelled) {
        done(hot_);
    }
}

void WarningDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    CopyArea(painter, normal_, SkinRect{0, 0, width(), height()});
    for (const HotArea& area : kHotAreas) {
        if (area.hot == hot_) {
            CopyArea(painter, over_, state_.skin.warning.Area(area.entry));
        }
    }
    painter.setFont(LabelFont(state_.languageEnglish));
    for (int entry = 0; entry < kWarningEntryCount; ++entry) {
        DrawCentredText(painter, state_.skin.warning.Area(entry),
                        FromUtf8(state_.skin.warning.Label(entry)), kLabelColour);
    }
}

}  // namespace pelmar
