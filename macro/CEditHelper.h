#pragma once

#include <QLineEdit>

namespace pelmar {

class CEditableListBox;

// The in-place editor of an editable list box. Enter commits and Escape
// discards the edit; losing the focus commits it. The list decides what
// happens then.
class CEditHelper : public QLineEdit {
  public:
    // Lies over a line of `list`; `parent` is the list's viewport.
    CEditHelper(CEditableListBox& list, QWidget* parent);

  protected:
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void SendEndEditing(bool commit);

    CEditableListBox& list_;
};

}  // namespace pelmar
