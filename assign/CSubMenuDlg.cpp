#include "assign/CSubMenuDlg.h"

#include <QMouseEvent>
#include <QPainter>
#include <mutex>

#include "assign/ButtonAssignment.h"
#include "skin/SkinImage.h"

namespace pelmar {

namespace {

QStringList GroupLabels(const SharedState& state, const SubMenuGroup& group) {
    QStringList labels;
    for (int row = 1; row <= group.rows; ++row) {
        if (group.userMacros) {
            const std::lock_guard lock(state.macros.mutex);
            labels.append(QString::fromStdU16String(
                MacroName(state.macros.user.records[static_cast<std::size_t>(row - 1)])));
        } else {
            const std::string_view name = state.skin.FunctionName(group.base + row);
            labels.append(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
        }
    }
    return labels;
}

}  // namespace

CSubMenuDlg* CSubMenuDlg::Create(SharedState& state, const SubMenuGroup& group, QWidget* parent) {
    const QImage mask = LoadSkinBitmap(state.skinFolder / skin_images::kSubMenuMask);
    const int rowHeight = mask.height() / skin_images::kSubMenuRows;
    const bool fitsTable = !group.userMacros || group.rows <= static_cast<int>(kUserMacroCapacity);
    if (mask.isNull() || rowHeight <= 0 || group.rows <= 0 || !fitsTable) {
        return nullptr;
    }
    return new CSubMenuDlg(state, group, QSize(mask.width(), rowHeight), parent);
}

CSubMenuDlg::CSubMenuDlg(SharedState& state, const SubMenuGroup& group, QSize rowSize,
                         QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint),
      state_(state),
      group_(group),
      rowWidth_(rowSize.width()),
      rowHeight_(rowSize.height()),
      images_(MenuImages::Load(state.skinFolder, skin_images::kSubMenu)),
      labels_(GroupLabels(state, group)) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(rowWidth_, group_.rows * rowHeight_ + 1);
}

void CSubMenuDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintMenu(painter, images_,
              {rowWidth_, rowHeight_, group_.rows, hot_, pressed_, state_.languageEnglish},
              labels_);
}

void CSubMenuDlg::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    const int hot = HitTestRows(point.x(), point.y(), rowWidth_, rowHeight_, group_.rows);
    if (hot != hot_) {
        hot_ = hot;
        update();
    }
}

void CSubMenuDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        update();
    }
}

void CSubMenuDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    pressed_ = false;
    update();
    // Before the pointer has been over a row there is nothing to choose.
    if (hot_ < 1 || hot_ > group_.rows) {
        return;
    }
    AssignButtonFunction(state_, group_.base + hot_);
    state_.popupCloseRequest = 1;
    emit Chosen();
}

}  // namespace pelmar
