#pragma once

#include <algorithm>
#include <chrono>
#include <mutex>

#include "macro/PlayerClock.h"

namespace pelmar::test {

// The macro player's clock for tests: time passes only when the player sleeps
// (or the test advances it), so macros play at once and every delay is exact.
class FakePlayerClock final : public PlayerClock {
  public:
    TimePoint Now() override {
        const std::lock_guard lock(mutex_);
        return now_;
    }
    void SleepUntil(TimePoint deadline) override {
        const std::lock_guard lock(mutex_);
        now_ = std::max(now_, deadline);
    }
    void Interrupt() override {}

    // Time that passes while the player is busy, a slow report say.
    void Advance(std::chrono::milliseconds duration) {
        const std::lock_guard lock(mutex_);
        now_ += duration;
    }

    long Milliseconds() {
        const std::lock_guard lock(mutex_);
        return static_cast<long>((now_ - TimePoint{}) / std::chrono::milliseconds(1));
    }

  private:
    std::mutex mutex_;
    TimePoint now_{};
};

}  // namespace pelmar::test
