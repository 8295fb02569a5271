#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <thread>

#include "app/SharedState.h"
#include "macro/MacroRecord.h"
#include "macro/PlayerClock.h"
#include "platform/system/ProgramLauncher.h"

namespace pelmar {

// Passes of a user macro while the trigger mode repeats it as long as its button is held.
inline constexpr int kLoopModePasses = 10000;

// The worker that performs the functions of the buttons the mouse reports (the listener
// raises state.macroPlaying with the button in state.macroTrigger): it follows the DPI level
// and report-rate changes the mouse made, sends multimedia keys, plays macros through the
// mouse and starts the calculator or terminal, then clears both handshake flags.
//
// A macro is copied when its trigger is taken, so an edit made meanwhile never changes a pass
// in progress. Each event is followed by its delay (at least the model's minimumEventDelay),
// each pass by a release of all inputs; a stop request (state.macroStop) ends the macro after
// the pass in progress. While idle the player sleeps until state.WakePlayer() is called.
class MacroPlayerThread {
  public:
    // The clock and launcher must outlive the player.
    MacroPlayerThread(SharedState& state, PlayerClock& clock, ProgramLauncher& launcher);
    ~MacroPlayerThread();

    MacroPlayerThread(const MacroPlayerThread&) = delete;
    MacroPlayerThread& operator=(const MacroPlayerThread&) = delete;

    // Starts the thread; it runs until Stop(). A second call does nothing.
    void Start();

    // Ends the thread and waits for it. A macro in progress is abandoned after the event being
    // sent, and all inputs are released so that no key stays held.
    void Stop();

  private:
    void Run();
    void PerformTrigger();
    void FollowDeviceChanges(std::size_t button);
    void PerformFunction(std::int32_t function);
    // The record of a macro in use, copied under the table lock; nothing for a slot beyond
    // the table's count.
    template <typename Table>
    std::optional<MacroRecord> TakeMacro(const Table& table, int index) const;
    void PlayMacro(const MacroRecord& record, int passes);

    SharedState& state_;
    PlayerClock& clock_;
    ProgramLauncher& launcher_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

}  // namespace pelmar
