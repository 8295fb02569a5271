#include "macro/UtcClock.h"

#include <chrono>

namespace pelmar {

std::int32_t SystemUtcClock::MillisecondsOfDay() {
    // The system clock counts Unix time, which is UTC without leap seconds.
    const auto sinceEpoch = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::system_clock::now().time_since_epoch());
    return static_cast<std::int32_t>(sinceEpoch.count() % kMillisecondsPerDay);
}

}  // namespace pelmar
