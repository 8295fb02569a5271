#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "app/SharedState.h"
#include "platform/hid/HidDevice.h"
#include "platform/hid/VirtualMouse.h"
#include "platform/hid/VirtualMouseBackend.h"

namespace pelmar::bench {

using Clock = std::chrono::steady_clock;

// Passes the feature reports on to the virtual mouse and notes when each was sent.
class TimedDevice final : public HidDevice {
  public:
    explicit TimedDevice(std::shared_ptr<HidDevice> device);

    ReadResult Read(std::span<std::uint8_t> buffer) override;
    void Wake() override;
    bool SendFeature(std::span<const std::uint8_t> report) override;

    // The send times noted since the last call.
    std::vector<Clock::time_point> Take();
    // Waits until a report has been sent since the last Take; false when the time is up.
    bool WaitForSend(Clock::duration timeout);

  private:
    std::shared_ptr<HidDevice> device_;
    std::mutex mutex_;
    std::condition_variable sent_;
    std::vector<Clock::time_point> sends_;
};

// The virtual mouse found by the program's discovery, its feature reports timed, and one user
// macro bound to the mouse's button 1; the listener and player are started by the caller.
class PlayerRig {
  public:
    // Throws when discovery does not find the virtual mouse.
    explicit PlayerRig(const MacroRecord& macro);

    SharedState& state() { return *state_; }
    TimedDevice& device() { return *device_; }

    // Sends the input report of a press of button 1 from the mouse.
    void PressButton();
    // Waits until the player has cleared macroPlaying; false when the time is up.
    bool WaitUntilIdle(Clock::duration timeout);

  private:
    std::shared_ptr<VirtualMouse> mouse_ = std::make_shared<VirtualMouse>();
    VirtualMouseBackend backend_{mouse_};
    std::unique_ptr<SharedState> state_ = std::make_unique<SharedState>();
    std::shared_ptr<TimedDevice> device_;
};

}  // namespace pelmar::bench
