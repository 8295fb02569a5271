// Measures the macro player against the virtual mouse with real time: how far the spacing of
// a 100-event macro with 20 ms delays strays from 20 ms, how long a press takes to produce
// the first report, and how often the player's thread wakes while nothing plays.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "device/Discovery.h"
#include "macro/MacroPlayerThread.h"
#include "platform/hid/VirtualMouseBackend.h"
#include "profile/FunctionCodes.h"

namespace pelmar {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kEvents = 100;
constexpr std::uint16_t kDelayMs = 20;
constexpr int kRuns = 5;
constexpr auto kIdlePeriod = 3s;

// Forwards feature reports to the virtual mouse and notes when each was sent.
class TimedDevice final : public HidDevice {
  public:
    explicit TimedDevice(std::shared_ptr<HidDevice> device) : device_(std::move(device)) {}

    ReadResult Read(std::span<std::uint8_t> buffer) override { return device_->Read(buffer); }
    void Wake() override { device_->Wake(); }
    bool SendFeature(std::span<const std::uint8_t> report) override {
        const bool sent = device_->SendFeature(report);
        const std::lock_guard lock(mutex_);
        sends_.push_back({Clock::now(), report.size() > 1 ? report[1] : std::uint8_t{0}});
        return sent;
    }

    struct Send {
        Clock::time_point time;
        std::uint8_t command;
    };
    std::vector<Send> Take() {
        const std::lock_guard lock(mutex_);
        return std::exchange(sends_, {});
    }

  private:
    std::shared_ptr<HidDevice> device_;
    std::mutex mutex_;
    std::vector<Send> sends_;
};

std::set<int> ThreadIds() {
    std::set<int> ids;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/task")) {
        ids.insert(std::stoi(entry.path().filename().string()));
    }
    return ids;
}

// Voluntary and involuntary context switches of one thread of this process: each sleep that
// ends is one wake-up.
long ContextSwitches(int thread) {
    std::ifstream status("/proc/self/task/" + std::to_string(thread) + "/status");
    long switches = 0;
    for (std::string line; std::getline(status, line);) {
        if (line.find("ctxt_switches:") != std::string::npos) {
            switches += std::stol(line.substr(line.find(':') + 1));
        }
    }
    return switches;
}

double Percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1));
    return values[index];
}

double Microseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::micro>(duration).count();
}

int Run() {
    auto mouse = std::make_shared<VirtualMouse>();
    VirtualMouseBackend backend(mouse);
    SharedState state;
    const Discovery discovery = FindDevice(state, backend, [](const auto&) {});
    if (discovery.found == 0 || state.writeHandle.load() == nullptr) {
        std::fprintf(stderr, "the virtual mouse was not found\n");
        return 1;
    }
    auto device = std::make_shared<TimedDevice>(state.writeHandle.load());
    state.writeHandle = device;

    MacroRecord macro;
    macro.eventCount = kEvents;
    for (std::size_t k = 0; k < kEvents; ++k) {
        macro.events[k] = {static_cast<std::uint8_t>(4 + k / 2 % 26),
                           k % 2 == 0 ? kEventPress : kEventRelease};
        macro.delays[k] = kDelayMs;
    }
    state.macros.user.records[0] = macro;
    state.macros.user.count = 1;
    state.profile.buttonFunction[0] = kFirstUserMacroCode;

    SteadyPlayerClock clock;
    const std::set<int> before = ThreadIds();
    MacroPlayerThread player(state, clock, SystemProgramLauncher());
    player.Start();
    std::this_thread::sleep_for(100ms);
    std::vector<int> started;
    std::ranges::set_difference(ThreadIds(), before, std::back_inserter(started));
    if (started.size() != 1) {
        std::fprintf(stderr, "could not find the player's thread\n");
        return 1;
    }

    const long switchesBefore = ContextSwitches(started.front());
    std::this_thread::sleep_for(kIdlePeriod);
    const long idleWakeUps = ContextSwitches(started.front()) - switchesBefore;

    std::vector<double> errors;
    std::vector<double> latencies;
    for (int run = 0; run < kRuns; ++run) {
        device->Take();
        const Clock::time_point pressed = Clock::now();
        state.macroTrigger = 0xF1;
        state.macroPlaying = 1;
        state.WakePlayer();
        while (state.macroPlaying != 0) {
            std::this_thread::sleep_for(5ms);
        }
        const std::vector<TimedDevice::Send> sends = device->Take();
        latencies.push_back(Microseconds(sends.front().time - pressed));
        for (std::size_t k = 1; k < kEvents; ++k) {
            errors.push_back(Microseconds(sends[k].time - sends[k - 1].time) - kDelayMs * 1000.0);
        }
    }
    player.Stop();

    std::printf("| Measure | Value |\n|---|---|\n");
    std::printf("| Event spacing error, median (us) | %.0f |\n", Percentile(errors, 0.5));
    std::printf("| Event spacing error, 99th percentile (us) | %.0f |\n", Percentile(errors, 0.99));
    std::printf("| Event spacing error, worst (us) | %.0f |\n", Percentile(errors, 1.0));
    std::printf("| Press to first report, median (us) | %.0f |\n", Percentile(latencies, 0.5));
    std::printf(
        "| Idle wake-ups per second | %.2f |\n",
        static_cast<double>(idleWakeUps) / std::chrono::duration<double>(kIdlePeriod).count());
    std::printf("\n%d runs of %d events, %u ms apart; %zu spacings measured.\n", kRuns, kEvents,
                kDelayMs, errors.size());
    return 0;
}

}  // namespace
}  // namespace pelmar

int main() {
    return pelmar::Run();
}
