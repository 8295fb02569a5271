#include "macro/CEditHelper.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include "macro/CEditableListBox.h"
#include "macro/ListBoxEvents.h"

namespace pelmar {

CEditHelper::CEditHelper(CEditableListBox& list, QWidget* parent)
    : QLineEdit(parent), list_(list) {}

void CEditHelper::SendEndEditing(bool commit) {
    EndEditingEvent event(commit);
    QCoreApplication::sendEvent(&list_, &event);
}

void CEditHelper::keyReleaseEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            SendEndEditing(true);
            break;
        case Qt::Key_Escape:
            SendEndEditing(false);
            break;
        default:
            break;
    }
    QLineEdit::keyReleaseEvent(event);
}

void CEditHelper::focusOutEvent(QFocusEvent* event) {
    SendEndEditing(true);
    QLineEdit::focusOutEvent(event);
}

}  // namespace pelmar
