#pragma once

#include <cstdint>

#include "macro/UtcClock.h"

namespace pelmar::test {

// A time of day that the test sets.
class FakeUtcClock final : public UtcClock {
  public:
    std::int32_t MillisecondsOfDay() override { return now; }

    std::int32_t now = 0;
};

}  // namespace pelmar::test
