#include "assign/CMenuDlg.h"

#include <QMouseEvent>
#include <QPainter>
#include <optional>

#include "assign/ButtonAssignment.h"
#include "skin/SkinImage.h"

namespace pelmar {

namespace {

// The popup's window title, by which the desktop and tests find it.
constexpr const char* kMenuTitle = "MainMenuDlg";

// Rows 1 to 10 are labelled with the function names of codes 1 to 10.
QStringList FirstLevelLabels(const SharedState& state) {
    QStringList labels;
    for (int row = 1; row <= kFirstLevelRows; ++row) {
        const std::string_view name = state.skin.FunctionName(row);
        labels.append(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    }
    return labels;
}

}  // namespace

CMenuDlg* CMenuDlg::Create(SharedState& state, QWidget* parent) {
    const QImage mask = LoadSkinBitmap(state.skinFolder / skin_images::kMenuMask);
    const int rowHeight = mask.height() / skin_images::kMenuRows;
    if (mask.isNull() || rowHeight <= 0) {
        return nullptr;
    }
    return new CMenuDlg(state, QSize(mask.width(), rowHeight), parent);
}

CMenuDlg::CMenuDlg(SharedState& state, QSize rowSize, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint),
      state_(state),
      rowWidth_(rowSize.width()),
      rowHeight_(rowSize.height()),
      images_(MenuImages::Load(state.skinFolder, skin_images::kMenu)),
      labels_(FirstLevelLabels(state)) {
    setWindowTitle(QString::fromLatin1(kMenuTitle));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // One pixel line below the last row belongs to the popup, as its
    // pictures have it.
    setFixedSize(rowWidth_, kFirstLevelRows * rowHeight_ + 1);
}

void CMenuDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintMenu(painter, images_,
              {rowWidth_, rowHeight_, kFirstLevelRows, hot_, pressed_, state_.languageEnglish},
              labels_);
}

void CMenuDlg::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    const int hot = HitTestRows(point.x(), point.y(), rowWidth_, rowHeight_, kFirstLevelHitRows);
    if (hot != hot_) {
        hot_ = hot;
        update();
        ReplaceSubMenu();
    }
}

void CMenuDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        update();
    }
}

void CMenuDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    pressed_ = false;
    update();
    // Rows 7 to 10 open their group on hover; rows 11 and 12 and the space
    // beside the rows choose nothing.
    if (hot_ >= 1 && hot_ <= kLastDirectRow) {
        AssignButtonFunction(state_, hot_);
        OnChosen();
    }
}

void CMenuDlg::moveEvent(QMoveEvent*) {
    PlaceSubMenu();
}

void CMenuDlg::ReplaceSubMenu() {
    if (subMenu_ != nullptr) {
        subMenu_->hide();
        subMenu_->deleteLater();
        subMenu_ = nullptr;
    }
    const std::optional<SubMenuGroup> group = SubMenuFor(hot_, state_.macros.user.count);
    if (!group) {
        return;
    }
    subMenu_ = CSubMenuDlg::Create(state_, *group, this);
    if (subMenu_ == nullptr) {
        return;
    }
    subOffsetRows_ = group->offsetRows;
    connect(subMenu_, &CSubMenuDlg::Chosen, this, &CMenuDlg::OnChosen);
    PlaceSubMenu();
    subMenu_->show();
}

void CMenuDlg::PlaceSubMenu() {
    if (subMenu_ != nullptr) {
        subMenu_->move(pos() + QPoint(rowWidth_, subOffsetRows_ * rowHeight_));
    }
}

void CMenuDlg::OnChosen() {
    state_.popupCloseRequest = 1;
    if (subMenu_ != nullptr) {
        subMenu_->hide();
    }
    hide();
    emit Chosen();
}

}  // namespace pelmar
