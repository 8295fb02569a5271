#include "skin/LightingPreview.h"

#include <atomic>

#include "app/SharedState.h"

namespace pelmar {

namespace {

constexpr std::int32_t kLastColour = 3;  // the colours 0 to 3 follow each other in a ring

}  // namespace

bool SteadyPreviewWaiter::Wait(std::chrono::milliseconds period) {
    std::unique_lock lock(mutex_);
    return !cancelled_.wait_for(lock, period, [this] { return cancel_; });
}

void SteadyPreviewWaiter::Cancel() {
    {
        const std::lock_guard lock(mutex_);
        cancel_ = true;
    }
    cancelled_.notify_all();
}

void SteadyPreviewWaiter::Resume() {
    const std::lock_guard lock(mutex_);
    cancel_ = false;
}

LightingPreview::LightingPreview(SharedState& state, std::function<void()> requestRepaint,
                                 std::unique_ptr<PreviewWaiter> waiter)
    : state_(state), requestRepaint_(std::move(requestRepaint)), waiter_(std::move(waiter)) {}

LightingPreview::~LightingPreview() {
    Stop();
}

void LightingPreview::Start() {
    const std::lock_guard lock(threadMutex_);
    {
        const std::lock_guard activeLock(activeMutex_);
        if (active_) {
            return;
        }
        active_ = true;
        state_.previewRunning = true;
    }
    // A preview that ended by itself has left its thread to be joined.
    if (thread_.joinable()) {
        thread_.join();
    }
    thread_ = std::thread([this] { Run(); });
}

void LightingPreview::Stop() {
    const std::lock_guard lock(threadMutex_);
    waiter_->Cancel();
    if (thread_.joinable()) {
        thread_.join();
    }
    waiter_->Resume();
}

void LightingPreview::Run() {
    std::int32_t lastLevel = state_.profile.dpiLevel.Load();
    state_.previewColour = lastLevel;
    bool stopped = false;
    while (KeepRunning(stopped)) {
        stopped = !Step(lastLevel);
    }
}

bool LightingPreview::KeepRunning(bool stopped) {
    const std::lock_guard lock(activeMutex_);
    if (!stopped && state_.currentPage.Load() == Page::Colour) {
        return true;
    }
    state_.previewRunning = false;
    active_ = false;
    return false;
}

bool LightingPreview::Step(std::int32_t& lastLevel) {
    const std::uint8_t mode = state_.appliedLedStatus.Load();
    const std::int32_t level = state_.profile.dpiLevel.Load();
    if (mode == kOffMode) {
        state_.previewDark = true;
        state_.previewColour = level;
    } else if (mode == kSteadyMode) {
        state_.previewDark = false;
        state_.previewColour = level;
    } else if (level != lastLevel) {
        // A new DPI level shows its colour at once and holds it a while.
        state_.previewColour = level;
        state_.previewDark = false;
        requestRepaint_();
        lastLevel = level;
        if (!waiter_->Wait(kLevelChangeHold)) {
            return false;
        }
    } else if (state_.previewDark) {
        state_.previewDark = false;
    } else {
        // The unlit frame already holds the next colour, shown after it.
        state_.previewDark = true;
        const std::int32_t colour = state_.previewColour;
        state_.previewColour = colour >= kLastColour || colour < 0 ? 0 : colour + 1;
    }
    requestRepaint_();
    return waiter_->Wait(mode == kFastCycleMode ? kFastPeriod : kPeriod);
}

}  // namespace pelmar
