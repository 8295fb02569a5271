#pragma once

#include <QLineEdit>
#include <QListWidget>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <cstdint>

#include "macro/CEditableListBox.h"
#include "skin/SkinLayout.h"

namespace pelmar {

// The advanced page's four controls: the repeat-count and macro-name edit
// boxes, the macro list and the event list. They exist only while the page
// is shown: Create makes them as children of the window at the skin's
// placements, Destroy removes them; this object stays.
class AdvancedPageControls : public QObject {
    Q_OBJECT

  public:
    explicit AdvancedPageControls(QWidget& window);
    ~AdvancedPageControls() override;

    void Create(const SkinLayout& skin, std::int32_t languageEnglish);
    // An edit in progress in the event list is committed first.
    void Destroy();
    bool created() const { return !macroList_.isNull(); }

    QWidget& window() const { return window_; }
    // Null while the page is not shown.
    QLineEdit* repeatEdit() const { return repeatEdit_; }
    QLineEdit* nameEdit() const { return nameEdit_; }
    QListWidget* macroList() const { return macroList_; }
    CEditableListBox* eventList() const { return eventList_; }

    // Selects an entry of the macro list without telling macroChosen, as a
    // selection made by the program; -1 or a missing entry selects none.
    void SelectMacroEntry(int entry);
    // Selects a line of the event list; -1 or a missing line selects none.
    void SelectEventLine(int line);
    // The repeat-count box showing `count`, enabled or not.
    void ShowRepeatCount(int count, bool enabled);

  signals:
    // The user chose another entry of the macro list.
    void macroChosen();
    // The right button was released over the event list.
    void eventListRightReleased(QPoint globalPosition);

  private:
    QWidget& window_;
    QPointer<QLineEdit> repeatEdit_;
    QPointer<QLineEdit> nameEdit_;
    QPointer<QListWidget> macroList_;
    QPointer<CEditableListBox> eventList_;
};

}  // namespace pelmar
