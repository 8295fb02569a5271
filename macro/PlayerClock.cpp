#include "macro/PlayerClock.h"

#include <thread>

namespace pelmar {

namespace {

// How long before its deadline a sleep stops waiting to be woken and starts watching the
// clock. It covers the wake-up delay of a loaded system for a thread of raised priority.
constexpr std::chrono::microseconds kWatchMargin{500};

}  // namespace

PlayerClock::TimePoint SteadyPlayerClock::Now() {
    return std::chrono::steady_clock::now();
}

void SteadyPlayerClock::SleepUntil(TimePoint deadline) {
    {
        std::unique_lock lock(mutex_);
        if (interrupted_.wait_until(lock, deadline - kWatchMargin,
                                    [this] { return interrupt_.load(); })) {
            return;
        }
    }
    while (Now() < deadline && !interrupt_.load(std::memory_order_relaxed)) {
        std::this_thread::yield();
    }
}

void SteadyPlayerClock::Interrupt() {
    {
        const std::lock_guard lock(mutex_);
        interrupt_ = true;
    }
    interrupted_.notify_all();
}

}  // namespace pelmar
