#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include "app/SharedState.h"
#include "assign/CSubMenuDlg.h"
#include "assign/MenuLooks.h"

namespace pelmar {

// The function-choice popup under a button's label: ten rows labelled with
// function names 1 to 10. A release on rows 1 to 6 assigns that function to
// the target button; hovering rows 7 to 10 opens the second level of their
// group beside it, replaced whenever the hovered row changes. After a choice
// on either level, popupCloseRequest is set, both levels hide and Chosen is
// emitted; the main window's next paint destroys the popup.
class CMenuDlg : public QWidget {
    Q_OBJECT

  public:
    // Nothing when the skin's menu mask is missing or undecodable: the
    // popup's size comes from it.
    static CMenuDlg* Create(SharedState& state, QWidget* parent);

    int hot() const { return hot_; }
    int rowWidth() const { return rowWidth_; }
    int rowHeight() const { return rowHeight_; }
    // The open second level, if any.
    CSubMenuDlg* subMenu() const { return subMenu_; }

  signals:
    void Chosen();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

  private:
    CMenuDlg(SharedState& state, QSize rowSize, QWidget* parent);

    // Replaces the second level by the one of the hovered row, if it has one.
    void ReplaceSubMenu();
    void PlaceSubMenu();
    void OnChosen();

    SharedState& state_;
    int rowWidth_;
    int rowHeight_;
    MenuImages images_;
    QStringList labels_;
    int hot_ = kNoRow;
    bool pressed_ = false;
    int subOffsetRows_ = 0;
    QPointer<CSubMenuDlg> subMenu_;
};

}  // namespace pelmar
