#pragma once

#include <QObject>
#include <memory>

#include "app/SharedState.h"
#include "macro/AdvancedPageControls.h"
#include "macro/MacroEditor.h"
#include "macro/MacroLists.h"
#include "macro/MacroRecorder.h"
#include "macro/RecordingKeyFilter.h"
#include "macro/UtcClock.h"

namespace pelmar {

class CQorvinMenu;

// The advanced page of the main window: its controls, its lists and macro
// operations, and its areas' actions. The window calls Enter and Leave when
// the page is chosen and left, Press for a left-button press on one of the
// page's areas, and OnCommand for a menu command.
class AdvancedPage : public QObject {
  public:
    AdvancedPage(QWidget& window, CQorvinMenu& macroMenu, SharedState& state,
                 std::unique_ptr<UtcClock> clock = std::make_unique<SystemUtcClock>());
    ~AdvancedPage() override;

    // Creates the page's controls and shows the macros.
    void Enter();
    // Removes the controls; a recording goes on.
    void Leave();
    // A press on advanced area `area` at window x coordinate `x`; false when
    // the area has no action here.
    bool Press(int area, int x);
    // An event-menu command; false for other commands.
    bool OnCommand(int id);

    AdvancedPageControls& controls() { return controls_; }
    MacroLists& lists() { return lists_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    SharedState& state_;
    QWidget& window_;
    std::unique_ptr<UtcClock> clock_;
    AdvancedPageControls controls_;
    MacroRecorder recorder_;
    MacroLists lists_;
    MacroEditor editor_;
    RecordingKeyFilter keyFilter_;
};

}  // namespace pelmar
