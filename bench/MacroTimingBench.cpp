// Macro timing: how far the gap before each event of a 100-event macro, played by the
// program's player with the steady clock, is from the stored delay it stands for.
#include <array>
#include <cmath>
#include <string>
#include <thread>

#include "bench/Benchmarks.h"
#include "bench/PlayerRig.h"
#include "bench/Statistics.h"
#include "device/InputListener.h"
#include "macro/MacroPlayerThread.h"
#include "platform/system/ProgramLauncher.h"

namespace pelmar::bench {

namespace {

using namespace std::chrono_literals;

constexpr int kEvents = 100;
constexpr int kRuns = 8;
// Stored delays, repeated over the events; all at least model A's minimum event delay, so
// each is played as stored.
constexpr std::array<std::uint16_t, 5> kDelaysMs{10, 20, 30, 15, 25};
constexpr auto kPlayTimeout = 30s;
constexpr auto kSettle = 100ms;
constexpr double kTargetP99Ms = 1;

const char* const kMeasure = "Macro timing error per event (median / p99)";

MacroRecord TimedMacro() {
    MacroRecord macro;
    macro.eventCount = kEvents;
    for (std::size_t k = 0; k < kEvents; ++k) {
        macro.events[k] = {static_cast<std::uint8_t>(4 + k / 2 % 26),
                           k % 2 == 0 ? kEventPress : kEventRelease};
        macro.delays[k] = kDelaysMs[k % kDelaysMs.size()];
    }
    return macro;
}

}  // namespace

ResultRow MeasureMacroTiming() {
    const MacroRecord macro = TimedMacro();
    PlayerRig rig(macro);
    InputListenerThread listener(rig.state());
    SteadyPlayerClock clock;
    MacroPlayerThread player(rig.state(), clock, SystemProgramLauncher());
    listener.Start();
    player.Start();
    std::this_thread::sleep_for(kSettle);

    std::vector<double> errors;
    for (int run = 0; run < kRuns; ++run) {
        rig.device().Take();
        rig.PressButton();
        if (!rig.device().WaitForSend(kPlayTimeout) || !rig.WaitUntilIdle(kPlayTimeout)) {
            return FailedRow(kMeasure, "p99 <= 1 ms", "the macro did not play");
        }
        const std::vector<Clock::time_point> sends = rig.device().Take();
        if (sends.size() < kEvents) {
            return FailedRow(kMeasure, "p99 <= 1 ms", "the macro's reports are missing");
        }
        for (std::size_t k = 1; k < kEvents; ++k) {
            const double gapMs =
                std::chrono::duration<double, std::milli>(sends[k] - sends[k - 1]).count();
            errors.push_back(std::abs(gapMs - macro.delays[k - 1]));
        }
    }

    const double p99 = Percentile(errors, 0.99);
    return {kMeasure, Fixed(Median(errors), 3) + " / " + Fixed(p99, 3) + " ms", "p99 <= 1 ms",
            VerdictOf(p99 <= kTargetP99Ms),
            "in process, virtual mouse, the program's listener and player (steady clock), " +
                std::to_string(kRuns) +
                " plays of a 100-event macro (delays 10-30 ms): for "
                "events 2-100, |time since the previous event's send - its stored delay|, " +
                std::to_string(errors.size()) + " samples"};
}

}  // namespace pelmar::bench
