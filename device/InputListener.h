#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <thread>

#include "app/SharedState.h"

namespace pelmar {

class HidDevice;

// Event code of a button (byte 1 of an input report): 0xF0 + button number.
inline constexpr std::uint8_t kButtonEventBase = 0xF0;
// Byte 2 of a button release.
inline constexpr std::uint8_t kReleaseMarker = 0x80;

// Turns one input report into the trigger handshake: a press hands its code
// (and byte 2) to the player by raising macroPlaying, or asks a running macro
// to stop, as macroMode2 and the model say. Only ever sets the flags to 1.
void HandleInputReport(SharedState& state, std::span<const std::uint8_t> report);

// Reads the mouse's input reports from state.readHandle on a thread of its
// own and hands each to HandleInputReport, waiting 2 ms between reads. Until
// a read handle is published, and after the mouse is gone, it only waits.
class InputListenerThread {
  public:
    explicit InputListenerThread(SharedState& state);
    ~InputListenerThread();
    InputListenerThread(const InputListenerThread&) = delete;
    InputListenerThread& operator=(const InputListenerThread&) = delete;

    void Start();
    // Ends the thread, waking a read that is blocked, and joins it.
    void Stop();

  private:
    void Run();
    // The device to read next, or nullptr when the thread is stopping.
    std::shared_ptr<HidDevice> BeginRead(bool& stopping);

    SharedState& state_;
    std::mutex mutex_;
    std::condition_variable stopRequested_;
    bool stopping_ = false;
    std::shared_ptr<HidDevice> reading_;  // the device a read may be blocked on
    std::thread thread_;
};

}  // namespace pelmar
