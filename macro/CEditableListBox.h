#pragma once

#include <QListWidget>
#include <QPoint>

namespace pelmar {

class CEditHelper;

// A list box whose selected line can be edited in place. A character 1
// (Ctrl+A) lays an editor over the selected line; when the editor ends the
// edit (Enter, Escape, focus loss) or the list is scrolled or resized, a
// committed text replaces the line. The parent widget is told of a changed
// line (LineChangedEvent) and of the end of every edit (kEditingEnded).
class CEditableListBox : public QListWidget {
    Q_OBJECT

  public:
    explicit CEditableListBox(QWidget* parent = nullptr);
    ~CEditableListBox() override;

    // The line being edited, -1 when none.
    int editLine() const { return editLine_; }
    // The editor while a line is edited, otherwise null.
    CEditHelper* editor() const { return editor_; }

    bool event(QEvent* event) override;

  signals:
    // The right button was released over the list, at this screen position.
    void rightButtonReleased(QPoint globalPosition);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void BeginEditing();
    void EndEditing(bool commit);

    CEditHelper* editor_ = nullptr;  // a child of the viewport, while editing
    int editLine_ = -1;
};

}  // namespace pelmar
