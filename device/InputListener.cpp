#include "device/InputListener.h"

#include <algorithm>
#include <chrono>

#include "platform/hid/HidDevice.h"
#include "platform/system/ThreadPriority.h"

namespace pelmar {

namespace {

constexpr std::chrono::milliseconds kIdleWait{2};

std::uint8_t ByteAt(std::span<const std::uint8_t> report, std::size_t index) {
    return index < report.size() ? report[index] : 0;
}

void RequestStop(SharedState& state) {
    state.macroStop.store(1);
    state.WakePlayer();
}

}  // namespace

void HandleInputReport(SharedState& state, std::span<const std::uint8_t> report) {
    const Model& model = *state.model;
    if (report.empty() || (model.inputReportId.has_value() && report[0] != *model.inputReportId)) {
        return;
    }
    // The user-interface thread may change the trigger mode at any time.
    const std::int32_t macroMode2 = state.profile.macroMode2;
    const std::uint8_t code = ByteAt(report, 1);
    const std::uint8_t value = ByteAt(report, 2);
    const bool playing = state.macroPlaying.load() != 0;
    if (code <= kButtonEventBase) {
        if (model.otherReportStopsMacro && playing) {
            RequestStop(state);
        }
        return;
    }
    if (value == kReleaseMarker) {
        if (macroMode2 != 0) {
            RequestStop(state);
        }
        return;
    }
    if (!playing) {
        state.macroTrigger.store(code);
        state.macroTriggerLevel.store(value);
        state.macroPlaying.store(1);
        state.WakePlayer();
    } else if (macroMode2 == 0) {
        RequestStop(state);
    }
}

InputListenerThread::InputListenerThread(SharedState& state) : state_(state) {}

InputListenerThread::~InputListenerThread() {
    Stop();
}

void InputListenerThread::Start() {
    if (thread_.joinable()) {
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        stopping_ = false;
    }
    thread_ = std::thread([this] { Run(); });
}

void InputListenerThread::Stop() {
    std::shared_ptr<HidDevice> reading;
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        reading = reading_;
    }
    stopRequested_.notify_all();
    if (reading != nullptr) {
        reading->Wake();
    }
    if (thread_.joinable()) {
        thread_.join();
    }
}

std::shared_ptr<HidDevice> InputListenerThread::BeginRead(bool& stopping) {
    const std::lock_guard lock(mutex_);
    stopping = stopping_;
    reading_ = stopping_ ? nullptr : state_.readHandle.load();
    return reading_;
}

void InputListenerThread::Run() {
    RaiseCurrentThreadPriority();
    for (;;) {
        bool stopping = false;
        const std::shared_ptr<HidDevice> device = BeginRead(stopping);
        if (stopping) {
            return;
        }
        if (device != nullptr) {
            // readCaps was stored before the handle was published.
            const std::size_t length = std::min<std::size_t>(state_.readCaps.inputReportByteLength,
                                                             state_.inputReport.size());
            const ReadResult result = device->Read(std::span(state_.inputReport.data(), length));
            if (result.status == ReadStatus::Report) {
                HandleInputReport(state_, std::span(state_.inputReport.data(), result.size));
            }
        }
        std::unique_lock lock(mutex_);
        stopRequested_.wait_for(lock, kIdleWait, [this] { return stopping_; });
    }
}

}  // namespace pelmar
