// Trigger latency: from an input report entering the virtual mouse to the first feature
// report of the bound macro leaving the program, through the program's input listener and
// macro player; then the same through the listener and a 2 ms polling player as a baseline.
#include <string>
#include <thread>

#include "bench/Benchmarks.h"
#include "bench/PlayerRig.h"
#include "bench/PollingPlayer.h"
#include "bench/Statistics.h"
#include "device/InputListener.h"
#include "macro/MacroPlayerThread.h"
#include "platform/system/ProgramLauncher.h"

namespace pelmar::bench {

namespace {

using namespace std::chrono_literals;

constexpr int kPresses = 1000;
constexpr auto kReplyTimeout = 1s;
constexpr auto kPlayTimeout = 5s;
// Between presses: the listener is back in its read well before the next report.
constexpr auto kPause = 3ms;
constexpr auto kSettle = 100ms;
constexpr double kTargetP99Ms = 0.3;

const char* const kMeasure = "Trigger latency (median / p99)";
const char* const kBaselineMeasure = "  baseline: 2 ms polling player";

// One key press with no delay of its own, so the player waits the minimum delay after it.
MacroRecord OneEventMacro() {
    MacroRecord macro;
    macro.eventCount = 1;
    macro.events[0] = {4, kEventPress};
    return macro;
}

// Presses the bound button kPresses times and returns each press's latency in
// milliseconds; nothing when the macro's first report did not come.
std::optional<std::vector<double>> PressAndTime(PlayerRig& rig) {
    std::this_thread::sleep_for(kSettle);
    std::vector<double> latencies;
    for (int press = 0; press < kPresses; ++press) {
        if (!rig.WaitUntilIdle(kPlayTimeout)) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(kPause);
        rig.device().Take();
        const Clock::time_point pressed = Clock::now();
        rig.PressButton();
        if (!rig.device().WaitForSend(kReplyTimeout)) {
            return std::nullopt;
        }
        const Clock::time_point sent = rig.device().Take().front();
        latencies.push_back(std::chrono::duration<double, std::milli>(sent - pressed).count());
    }
    return latencies;
}

std::string Figure(const std::vector<double>& latencies) {
    return Fixed(Median(latencies), 3) + " / " + Fixed(Percentile(latencies, 0.99), 3) + " ms";
}

}  // namespace

std::vector<ResultRow> MeasureTriggerLatency() {
    std::optional<std::vector<double>> program;
    {
        PlayerRig rig(OneEventMacro());
        InputListenerThread listener(rig.state());
        SteadyPlayerClock clock;
        MacroPlayerThread player(rig.state(), clock, SystemProgramLauncher());
        listener.Start();
        player.Start();
        program = PressAndTime(rig);
    }
    std::optional<std::vector<double>> polling;
    {
        PlayerRig rig(OneEventMacro());
        InputListenerThread listener(rig.state());
        const PollingPlayer player(rig.state());
        listener.Start();
        polling = PressAndTime(rig);
    }

    std::vector<ResultRow> rows;
    if (program) {
        const double p99 = Percentile(*program, 0.99);
        rows.push_back({kMeasure, Figure(*program), "p99 <= 0.3 ms", VerdictOf(p99 <= kTargetP99Ms),
                        "in process, virtual mouse found by FindDevice, the program's "
                        "InputListenerThread and MacroPlayerThread (steady clock): steady clock "
                        "before VirtualMouse::SendInput of a button-1 press to the first "
                        "SendFeature of its one-event macro; 1000 presses, 3 ms after each "
                        "macro ends"});
    } else {
        rows.push_back(FailedRow(kMeasure, "p99 <= 0.3 ms", "the macro's first report never came"));
    }
    if (polling) {
        rows.push_back({kBaselineMeasure, Figure(*polling), "-", Verdict::Baseline,
                        "the same 1000 presses through the same listener, with the player "
                        "replaced by a loop that checks the handshake every 2 ms "
                        "(bench/PollingPlayer)"});
    } else {
        rows.push_back(FailedRow(kBaselineMeasure, "-", "the macro's first report never came"));
    }
    return rows;
}

}  // namespace pelmar::bench
