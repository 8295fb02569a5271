#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace pelmar {

// Time as the macro player sees it. The program uses the steady clock; tests pass a clock of
// their own, so a long macro plays in microseconds with every wait checked exactly.
class PlayerClock {
  public:
    using TimePoint = std::chrono::steady_clock::time_point;

    virtual ~PlayerClock() = default;

    virtual TimePoint Now() = 0;
    // Returns once deadline has passed, or at once after Interrupt().
    virtual void SleepUntil(TimePoint deadline) = 0;
    // Ends the current sleep and makes every later one return at once; used to stop the player.
    virtual void Interrupt() = 0;
};

// The steady clock. A sleep ends a short margin before its deadline and spends the rest
// yielding the processor while watching the clock, so that the time the system takes to wake
// a thread does not make the deadline late.
class SteadyPlayerClock final : public PlayerClock {
  public:
    TimePoint Now() override;
    void SleepUntil(TimePoint deadline) override;
    void Interrupt() override;

  private:
    std::mutex mutex_;
    std::condition_variable interrupted_;
    // Written under mutex_; also read without it while the sleep watches the clock.
    std::atomic<bool> interrupt_{false};
};

}  // namespace pelmar
