#pragma once

#include <cstdint>

namespace pelmar {

inline constexpr std::int32_t kMillisecondsPerDay = 86'400'000;

// The time of day in coordinated universal time, in milliseconds since
// midnight. The recorder measures the time between key events with it.
class UtcClock {
  public:
    virtual ~UtcClock() = default;
    virtual std::int32_t MillisecondsOfDay() = 0;
};

// The system's clock.
class SystemUtcClock final : public UtcClock {
  public:
    std::int32_t MillisecondsOfDay() override;
};

}  // namespace pelmar
