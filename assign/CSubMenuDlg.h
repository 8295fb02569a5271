#pragma once

#include <QStringList>
#include <QWidget>
#include <functional>

#include "app/SharedState.h"
#include "assign/MenuLooks.h"
#include "assign/MenuRows.h"

namespace pelmar {

// The second level of the function-choice popup: the functions of one group
// (or the user macros by name) beside the first level. A release on a row
// assigns base + row to the target button and reports the choice.
class CSubMenuDlg : public QWidget {
    Q_OBJECT

  public:
    // Nothing when the skin's second-level mask is missing or undecodable,
    // or when the group has no rows (no user macros): there is nothing to
    // show or choose.
    static CSubMenuDlg* Create(SharedState& state, const SubMenuGroup& group, QWidget* parent);

    int hot() const { return hot_; }
    int rowHeight() const { return rowHeight_; }
    int rows() const { return group_.rows; }
    const QStringList& labels() const { return labels_; }

  signals:
    // A function was assigned; both levels are to close.
    void Chosen();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    CSubMenuDlg(SharedState& state, const SubMenuGroup& group, QSize rowSize, QWidget* parent);

    SharedState& state_;
    SubMenuGroup group_;
    int rowWidth_;
    int rowHeight_;
    MenuImages images_;
    QStringList labels_;
    int hot_ = kNoRow;
    bool pressed_ = false;
};

}  // namespace pelmar
