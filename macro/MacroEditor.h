#pragma once

#include <cstdint>

#include "app/SharedState.h"
#include "macro/AdvancedPageControls.h"
#include "macro/MacroLists.h"
#include "macro/MacroRecorder.h"

namespace pelmar {

// The advanced page's macro operations: adding and deleting macros, the
// repeat setting and count, the loop mode, and recording keys into the
// selected macro. Recording keeps the keyboard to the program (grabKeyboard
// and releaseKeyboard of the window, so the window gets every key) and goes
// on when the page changes; only ToggleRecording ends it.
class MacroEditor {
  public:
    MacroEditor(SharedState& state, AdvancedPageControls& controls, MacroLists& lists,
                MacroRecorder& recorder);

    // Adds a macro named by the name box, or selects the one of that name.
    void AddMacro();
    // Deletes the selected macro; nothing while recording.
    void DeleteMacro();
    // Starts recording into the selected macro, or stops.
    void ToggleRecording();
    // Takes the repeat count from its box (1 to 65535) into the current macro
    // and saves the user macros.
    void ConfirmRepeatCount();
    void ToggleRepeat();
    void ToggleLoopMode();

    // A key pressed or released while recording.
    void RecordKey(KeyAction action, std::uint8_t virtualKey);

  private:
    SharedState& state_;
    AdvancedPageControls& controls_;
    MacroLists& lists_;
    MacroRecorder& recorder_;
};

}  // namespace pelmar
