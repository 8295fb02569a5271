#include "bench/PlayerRig.h"

#include <array>
#include <stdexcept>
#include <thread>
#include <utility>

#include "device/Discovery.h"
#include "device/InputListener.h"
#include "profile/FunctionCodes.h"

namespace pelmar::bench {

namespace {

using namespace std::chrono_literals;

constexpr std::size_t kBoundButton = 0;  // button index 0 is the mouse's button 1
constexpr auto kIdlePoll = 1ms;

}  // namespace

TimedDevice::TimedDevice(std::shared_ptr<HidDevice> device) : device_(std::move(device)) {}

ReadResult TimedDevice::Read(std::span<std::uint8_t> buffer) {
    return device_->Read(buffer);
}

void TimedDevice::Wake() {
    device_->Wake();
}

bool TimedDevice::SendFeature(std::span<const std::uint8_t> report) {
    const Clock::time_point now = Clock::now();
    const bool sent = device_->SendFeature(report);
    {
        const std::lock_guard lock(mutex_);
        sends_.push_back(now);
    }
    sent_.notify_all();
    return sent;
}

std::vector<Clock::time_point> TimedDevice::Take() {
    const std::lock_guard lock(mutex_);
    return std::exchange(sends_, {});
}

bool TimedDevice::WaitForSend(Clock::duration timeout) {
    std::unique_lock lock(mutex_);
    return sent_.wait_for(lock, timeout, [this] { return !sends_.empty(); });
}

PlayerRig::PlayerRig(const MacroRecord& macro) {
    SharedState& state = *state_;
    const Discovery discovery = FindDevice(state, backend_, [](const auto&) {});
    if (discovery.found == 0 || state.writeHandle.load() == nullptr) {
        throw std::runtime_error("discovery did not find the virtual mouse");
    }
    device_ = std::make_shared<TimedDevice>(state.writeHandle.load());
    state.writeHandle = device_;
    state.macros.user.records[0] = macro;
    state.macros.user.count = 1;
    state.profile.buttonFunction[kBoundButton] = kFirstUserMacroCode;
}

void PlayerRig::PressButton() {
    std::array<std::uint8_t, VirtualMouse::kReportLength> report{};
    report[0] = VirtualMouse::kInputReportId;
    report[1] =
        static_cast<std::uint8_t>(kButtonEventBase + SharedState::buttonNumbers[kBoundButton]);
    mouse_->SendInput(report);
}

bool PlayerRig::WaitUntilIdle(Clock::duration timeout) {
    const Clock::time_point deadline = Clock::now() + timeout;
    while (state_->macroPlaying != 0) {
        if (Clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(kIdlePoll);
    }
    return true;
}

}  // namespace pelmar::bench
