#include "macro/CEditableListBox.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <utility>

#include "macro/CEditHelper.h"
#include "macro/ListBoxEvents.h"

namespace pelmar {

namespace {

// The character that asks for an edit of the selected line.
constexpr QChar kBeginEditCharacter(1);
// The editor stands this much above and below the line it covers.
constexpr int kEditorOverhang = 2;

}  // namespace

CEditableListBox::CEditableListBox(QWidget* parent) : QListWidget(parent) {}

CEditableListBox::~CEditableListBox() {
    // Deleted while the list is still whole, so that its focus loss cannot
    // reach a list half torn down.
    delete std::exchange(editor_, nullptr);
}

bool CEditableListBox::event(QEvent* event) {
    if (event->type() == list_box_event::kEndEditing) {
        EndEditing(static_cast<EndEditingEvent*>(event)->commit());
        return true;
    }
    return QListWidget::event(event);
}

void CEditableListBox::keyPressEvent(QKeyEvent* event) {
    if (event->text() == kBeginEditCharacter) {
        BeginEditing();
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void CEditableListBox::resizeEvent(QResizeEvent* event) {
    QListWidget::resizeEvent(event);
    EndEditing(true);
}

void CEditableListBox::scrollContentsBy(int dx, int dy) {
    EndEditing(true);
    QListWidget::scrollContentsBy(dx, dy);
}

void CEditableListBox::mouseReleaseEvent(QMouseEvent* event) {
    QListWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton) {
        emit rightButtonReleased(event->globalPosition().toPoint());
    }
}

void CEditableListBox::BeginEditing() {
    const int line = currentRow();
    QListWidgetItem* lineItem = item(line);
    if (lineItem == nullptr || editor_ != nullptr) {
        return;
    }
    editor_ = new CEditHelper(*this, viewport());
    editor_->setGeometry(
        visualItemRect(lineItem).adjusted(0, -kEditorOverhang, 0, kEditorOverhang));
    editor_->setFont(font());
    editor_->setText(lineItem->text());
    editor_->selectAll();
    editLine_ = line;
    editor_->show();
    editor_->setFocus();
}

void CEditableListBox::EndEditing(bool commit) {
    if (editor_ == nullptr) {
        return;
    }
    // Taken first: hiding the editor takes its focus away, which ends the
    // edit again, and that second end must find nothing to do.
    CEditHelper* editor = std::exchange(editor_, nullptr);
    const int line = std::exchange(editLine_, -1);
    QListWidgetItem* lineItem = item(line);
    if (commit && lineItem != nullptr && lineItem->text() != editor->text()) {
        const QString oldText = lineItem->text();
        delete takeItem(line);
        // In its place, or where a sorted list puts it.
        auto* replacement = new QListWidgetItem(editor->text());
        insertItem(line, replacement);
        const int newLine = row(replacement);
        setCurrentRow(newLine);
        if (QWidget* target = parentWidget()) {
            LineChangedEvent changed(newLine, oldText);
            QCoreApplication::sendEvent(target, &changed);
        }
    }
    if (editor->hasFocus()) {
        setFocus();
    }
    editor->hide();
    editor->deleteLater();
    if (QWidget* target = parentWidget()) {
        QEvent ended(list_box_event::kEditingEnded);
        QCoreApplication::sendEvent(target, &ended);
    }
}

}  // namespace pelmar
