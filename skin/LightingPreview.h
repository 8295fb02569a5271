#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace pelmar {

struct SharedState;

// How the lighting preview waits between its frames.
class PreviewWaiter {
  public:
    virtual ~PreviewWaiter() = default;
    // Waits `period`; returns false at once, or as soon as Cancel() is
    // called, while cancelled.
    virtual bool Wait(std::chrono::milliseconds period) = 0;
    // Ends the current wait and every later one until Resume().
    virtual void Cancel() = 0;
    virtual void Resume() = 0;
};

// The program's waiter: the steady clock, woken by a condition variable.
class SteadyPreviewWaiter final : public PreviewWaiter {
  public:
    bool Wait(std::chrono::milliseconds period) override;
    void Cancel() override;
    void Resume() override;

  private:
    std::mutex mutex_;
    std::condition_variable cancelled_;
    bool cancel_ = false;
};

// The colour page's lighting preview: a worker thread that, while the colour
// page is shown, steps previewColour and previewDark the way the mouse's
// lighting would look in the mode last applied, and asks for a repaint after
// each step. It reads currentPage, the profile's dpiLevel and
// appliedLedStatus; it writes only the three preview fields.
class LightingPreview {
  public:
    // Modes of appliedLedStatus with a look of their own; others cycle.
    static constexpr std::uint8_t kFastCycleMode = 1;
    static constexpr std::uint8_t kSteadyMode = 2;
    static constexpr std::uint8_t kOffMode = 3;
    // How long each frame shows, and how long a new DPI level's colour holds.
    static constexpr std::chrono::milliseconds kFastPeriod{800};
    static constexpr std::chrono::milliseconds kPeriod{1200};
    static constexpr std::chrono::milliseconds kLevelChangeHold{2000};

    LightingPreview(SharedState& state, std::function<void()> requestRepaint,
                    std::unique_ptr<PreviewWaiter> waiter);
    ~LightingPreview();
    LightingPreview(const LightingPreview&) = delete;
    LightingPreview& operator=(const LightingPreview&) = delete;

    // Starts the preview unless it runs, and sets previewRunning; the
    // preview ends by itself, clearing previewRunning, at its first check
    // after the colour page was left.
    void Start();
    // Ends the preview without waiting out its current frame.
    void Stop();

  private:
    void Run();
    // One frame; false when the preview was stopped during it.
    bool Step(std::int32_t& lastLevel);
    // Whether to show another frame; when not, marks the preview ended.
    bool KeepRunning(bool stopped);

    SharedState& state_;
    std::function<void()> requestRepaint_;
    std::unique_ptr<PreviewWaiter> waiter_;
    std::mutex threadMutex_;  // serialises Start and Stop
    std::thread thread_;
    // Set by Start, cleared by the thread as it ends. The thread decides to
    // end under activeMutex_, so a Start that races with that decision
    // either keeps the running thread or starts a new one.
    std::mutex activeMutex_;
    bool active_ = false;
};

}  // namespace pelmar
