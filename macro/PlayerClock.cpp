#include "macro/PlayerClock.h"

namespace pelmar {

PlayerClock::TimePoint SteadyPlayerClock::Now() {
    return std::chrono::steady_clock::now();
}

void SteadyPlayerClock::SleepUntil(TimePoint deadline) {
    std::unique_lock lock(mutex_);
    interrupted_.wait_until(lock, deadline, [this] { return interrupt_; });
}

void SteadyPlayerClock::Interrupt() {
    {
        const std::lock_guard lock(mutex_);
        interrupt_ = true;
    }
    interrupted_.notify_all();
}

}  // namespace pelmar
