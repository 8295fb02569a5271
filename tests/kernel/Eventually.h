#pragma once

#include <chrono>
#include <thread>

namespace pelmar::test {

// Long enough for a slow emulated machine; waits end as soon as their condition holds.
inline constexpr std::chrono::seconds kWait{60};

// Waits for a condition another thread or the kernel makes true.
template <typename Condition>
bool Eventually(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + kWait;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

}  // namespace pelmar::test
