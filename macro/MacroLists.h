#pragma once

#include <QPoint>
#include <cstdint>

#include "app/SharedState.h"
#include "macro/AdvancedPageControls.h"
#include "macro/EventCommands.h"

namespace pelmar {

class CQorvinMenu;

// The advanced page's two lists: the user macros' names and the events of
// the selected macro, with the event list's context menu and its commands.
// While the page is not shown the lists do not exist; only the line counters
// go on counting the lines a recording adds.
class MacroLists {
  public:
    MacroLists(SharedState& state, AdvancedPageControls& controls, CQorvinMenu& menu);

    // Refills the macro list from the table and shows the current macro, the
    // first one past the end being the last.
    void RefreshMacroList();
    // Makes the selected entry of the macro list the current macro and shows it.
    void SelectMacro();
    // Rebuilds the event list for user macro `macro`, restarting the line
    // counters, and shows its repeat setting.
    void RefreshEventList(int macro);
    // Appends the lines of event `event` of user macro `macro`, counts them,
    // and selects the last line while recording, else selectedEventLine.
    void AddEventLines(int macro, int event);
    void ClearEventList();

    // A right-button release over the event list: selects the line under
    // `globalPosition`, remembers what the menu's commands work on, and opens
    // the menu over a line (or an empty list).
    void OpenEventMenu(QPoint globalPosition);
    // Carries out an event-menu command; false for other command identifiers.
    bool RunCommand(std::int32_t id);
    // An edit of the event list ended: a delay line edited through the menu
    // stores its value as the delay; any other edit is undone.
    void ApplyEditedDelay();

    const EventMenuTarget& menuTarget() const { return menuTarget_; }

  private:
    void ShowRepeatSetting(int macro);

    SharedState& state_;
    AdvancedPageControls& controls_;
    CQorvinMenu& menu_;
    EventMenuTarget menuTarget_;
    // An edit of a delay line begun by the menu's Modify Delay is under way.
    bool delayEditPending_ = false;
};

}  // namespace pelmar
