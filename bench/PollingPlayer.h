#pragma once

#include <atomic>
#include <thread>

#include "app/SharedState.h"

namespace pelmar::bench {

// Baseline for the trigger latency, not the program's player: a player that looks at the
// handshake every 2 ms, as a plain polling loop does, and on a press of a button bound to
// user macro 1 sends that macro's first event and clears the flags.
class PollingPlayer {
  public:
    explicit PollingPlayer(SharedState& state);
    ~PollingPlayer();
    PollingPlayer(const PollingPlayer&) = delete;
    PollingPlayer& operator=(const PollingPlayer&) = delete;

  private:
    void Run();

    SharedState& state_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

}  // namespace pelmar::bench
