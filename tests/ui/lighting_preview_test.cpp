// The colour page's lighting preview, run against a waiter that returns at
// once and records what each frame showed and how long it was held.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

#include "app/SharedState.h"
#include "skin/LightingPreview.h"

namespace pelmar {
namespace {

using std::chrono::milliseconds;

// What the preview showed when it began a wait, and the wait's length.
struct Frame {
    bool dark;
    std::int32_t colour;
    int ms;
    bool operator==(const Frame&) const = default;
};

void PrintTo(const Frame& f, std::ostream* out) {
    *out << (f.dark ? "dark " : "lit ") << f.colour << " for " << f.ms;
}

// Records each wait and, on the preview's own thread, lets the test change
// the state before the wait ends: `script(n)` runs in wait number n (from 0).
// After `frames` waits it leaves the colour page, which ends the preview.
class ScriptedWaiter final : public PreviewWaiter {
  public:
    ScriptedWaiter(SharedState& state, int frames, std::function<void(int)> script)
        : state_(state), frames_(frames), script_(std::move(script)), end_(done_.get_future()) {}

    bool Wait(milliseconds period) override {
        const std::lock_guard lock(mutex_);
        const int n = static_cast<int>(recorded_.size());
        EXPECT_TRUE(state_.previewRunning);
        recorded_.push_back(
            {state_.previewDark, state_.previewColour, static_cast<int>(period.count())});
        if (script_) {
            script_(n);
        }
        if (n + 1 == frames_) {
            state_.currentPage = Page::Main;
            done_.set_value();
        }
        return !cancelled_;
    }
    void Cancel() override {
        const std::lock_guard lock(mutex_);
        cancelled_ = true;
    }
    void Resume() override {
        const std::lock_guard lock(mutex_);
        cancelled_ = false;
    }

    // Waits until the scripted frames have been shown.
    void AwaitEnd() { end_.wait(); }
    std::vector<Frame> recorded() {
        const std::lock_guard lock(mutex_);
        return recorded_;
    }
    void Rearm(int frames) {
        const std::lock_guard lock(mutex_);
        frames_ = static_cast<int>(recorded_.size()) + frames;
        done_ = std::promise<void>();
        end_ = done_.get_future();
    }

  private:
    SharedState& state_;
    int frames_;
    std::function<void(int)> script_;
    std::mutex mutex_;
    bool cancelled_ = false;
    std::vector<Frame> recorded_;
    std::promise<void> done_;
    std::future<void> end_;
};

struct PreviewRun {
    std::vector<Frame> frames;
    int repaints = 0;
};

// Starts the preview on the colour page with the given mode and level and
// lets it show `frames` frames.
PreviewRun RunPreview(std::uint8_t mode, std::int32_t level, int frames,
                      std::function<void(SharedState&, int)> script = {}) {
    SharedState state;
    state.currentPage = Page::Colour;
    state.appliedLedStatus = mode;
    state.profile.dpiLevel = level;
    std::atomic<int> repaints{0};
    auto waiter = std::make_unique<ScriptedWaiter>(state, frames, [&](int n) {
        if (script) {
            script(state, n);
        }
    });
    ScriptedWaiter& recorder = *waiter;
    LightingPreview preview(
        state, [&] { ++repaints; }, std::move(waiter));
    preview.Start();
    recorder.AwaitEnd();
    preview.Stop();
    EXPECT_FALSE(state.previewRunning);
    return {recorder.recorded(), repaints};
}

TEST(LightingPreviewTest, CyclingModesAlternateColourAndDarkMovingOnAfterEachDark) {
    const struct {
        std::uint8_t mode;
        int ms;
    } cases[] = {{0, 1200}, {1, 800}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        const PreviewRun run = RunPreview(c.mode, 2, 6);
        const std::vector<Frame> expected = {
            {true, 3, c.ms},  {false, 3, c.ms}, {true, 0, c.ms},
            {false, 0, c.ms}, {true, 1, c.ms},  {false, 1, c.ms},
        };
        EXPECT_EQ(run.frames, expected);
        EXPECT_EQ(run.repaints, 6);
    }
}

TEST(LightingPreviewTest, SteadyAndOffModesShowTheCurrentLevel) {
    const struct {
        std::uint8_t mode;
        bool dark;
    } cases[] = {{2, false}, {3, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        // The level changes while the preview runs; the look follows at once.
        const PreviewRun run = RunPreview(c.mode, 1, 3, [](SharedState& state, int n) {
            if (n == 1) {
                state.profile.dpiLevel = 3;
            }
        });
        const std::vector<Frame> expected = {
            {c.dark, 1, 1200}, {c.dark, 1, 1200}, {c.dark, 3, 1200}};
        EXPECT_EQ(run.frames, expected);
    }
}

TEST(LightingPreviewTest, ANewLevelShowsItsColourAndHoldsIt) {
    const PreviewRun run = RunPreview(0, 0, 5, [](SharedState& state, int n) {
        if (n == 1) {
            state.profile.dpiLevel = 2;
        }
    });
    const std::vector<Frame> expected = {
        {true, 1, 1200}, {false, 1, 1200}, {false, 2, 2000}, {false, 2, 1200}, {true, 3, 1200},
    };
    EXPECT_EQ(run.frames, expected);
    EXPECT_EQ(run.repaints, 5);
}

TEST(LightingPreviewTest, EndsWhenThePageIsLeftAndStartsAgainLater) {
    SharedState state;
    state.currentPage = Page::Colour;
    auto waiter = std::make_unique<ScriptedWaiter>(state, 2, nullptr);
    ScriptedWaiter& recorder = *waiter;
    LightingPreview preview(
        state, [] {}, std::move(waiter));
    preview.Start();
    recorder.AwaitEnd();
    // The preview ends by itself at its next check.
    while (state.previewRunning) {
        std::this_thread::yield();
    }
    EXPECT_EQ(recorder.recorded().size(), 2u);

    recorder.Rearm(3);
    state.currentPage = Page::Colour;
    preview.Start();
    recorder.AwaitEnd();
    preview.Stop();
    EXPECT_EQ(recorder.recorded().size(), 5u);
    EXPECT_FALSE(state.previewRunning);

    // Started away from the colour page, it ends before its first frame.
    state.currentPage = Page::Advanced;
    preview.Start();
    preview.Stop();
    EXPECT_EQ(recorder.recorded().size(), 5u);
    EXPECT_FALSE(state.previewRunning);
}

TEST(LightingPreviewTest, CancellingEndsAWaitAndEveryLaterOneUntilResumed) {
    SteadyPreviewWaiter waiter;
    std::thread sleeper([&] { EXPECT_FALSE(waiter.Wait(std::chrono::hours(1))); });
    waiter.Cancel();
    sleeper.join();
    EXPECT_FALSE(waiter.Wait(std::chrono::hours(1)));
    waiter.Resume();
    EXPECT_TRUE(waiter.Wait(milliseconds(1)));
}

}  // namespace
}  // namespace pelmar
