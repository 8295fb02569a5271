// The main window's mouse input: pointer moves and left-button presses and
// releases go to the page input; the window drag follows the pointer.
#include <QMouseEvent>

#include "app/CPelmarDlg.h"

namespace pelmar {

void CPelmarDlg::mouseMoveEvent(QMouseEvent* event) {
    // While the window follows the pointer, the pointer keeps its place in
    // the window and hovers nothing new.
    if (windowDrag_.Follow(event->globalPosition().toPoint())) {
        return;
    }
    pageInput_.OnMouseMove(event->position().toPoint());
}

void CPelmarDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    pageInput_.OnLButtonDown(event->position().toPoint(), event->globalPosition().toPoint());
}

void CPelmarDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    windowDrag_.End();
    pageInput_.OnLButtonUp(event->position().toPoint());
}

void CPelmarDlg::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    pageInput_.OnMouseLeave();
}

}  // namespace pelmar
