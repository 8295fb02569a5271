// Start-up and idle cost of the real executable: each run starts `pelmar --virtual-mouse` in
// a fresh copy of the program folder and waits for the main window's report of its first
// painted frame (PELMAR_REPORT_FIRST_PAINT); the last run then stays idle to be watched.
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <thread>

#include "bench/Benchmarks.h"
#include "bench/ProcessProbe.h"
#include "bench/ProgramFolderCopy.h"
#include "bench/ProgramProcess.h"
#include "bench/Statistics.h"

namespace pelmar::bench {

namespace {

using namespace std::chrono_literals;
using Clock = ProgramProcess::Clock;

constexpr int kRuns = 10;
constexpr auto kPaintTimeout = 30s;
constexpr auto kExitTimeout = 10s;
// The idle run settles this long after its first paint before it is watched.
constexpr auto kSettleTime = 3s;
constexpr auto kIdleWindow = 10s;
constexpr std::string_view kFirstPaintPrefix = "first-paint ";
constexpr std::string_view kUnplug = "unplug\n";

constexpr double kFirstPaintTargetMs = 250;
constexpr double kWakeUpTarget = 5;
constexpr double kResidentTargetMb = 80;
constexpr double kBytesPerMb = 1e6;

const char* const kFirstPaintMeasure = "Start-up to first paint (median of 10)";
const char* const kWakeUpMeasure = "Idle wake-ups per second, all threads";
const char* const kResidentMeasure = "Resident memory after start-up";

struct IdleFigures {
    double wakeUpsPerSecond = 0;
    double residentMb = 0;
};

// Ends the program the way a removed mouse does, through the control pipe.
bool EndProgram(ProgramProcess& process, const std::filesystem::path& control) {
    const int pipe = open(control.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (pipe >= 0) {
        static_cast<void>(write(pipe, kUnplug.data(), kUnplug.size()));
        close(pipe);
    }
    return process.WaitForExit(kExitTimeout);
}

IdleFigures WatchIdle(pid_t pid) {
    std::this_thread::sleep_for(kSettleTime);
    IdleFigures figures;
    figures.residentMb = static_cast<double>(ResidentBytes(pid).value_or(0)) / kBytesPerMb;
    const auto before = ThreadSwitches(pid);
    std::this_thread::sleep_for(kIdleWindow);
    const auto after = ThreadSwitches(pid);
    figures.wakeUpsPerSecond = static_cast<double>(SwitchesBetween(before, after)) /
                               std::chrono::duration<double>(kIdleWindow).count();
    return figures;
}

std::string DisplayText(bool onDisplay) {
    return onDisplay ? "on the X display DISPLAY=" + std::string(std::getenv("DISPLAY")) +
                           " (Xvfb when started by bench/run.sh)"
                     : "on Qt's offscreen platform (no DISPLAY)";
}

struct StartRun {
    double firstPaintMs = 0;
    IdleFigures idle;  // only when watched
};

// Starts pelmar once in a fresh copy of the program folder and ends it again; throws with
// the reason when it does not paint or end.
StartRun StartOnce(const std::filesystem::path& programFolder,
                   const std::vector<std::string>& addedVariables, bool watchIdle) {
    const ProgramFolderCopy copy(programFolder);
    const std::filesystem::path control = copy.path().parent_path() / "control";
    ProgramProcess process({copy.path() / "pelmar",
                            {"--virtual-mouse", "--virtual-mouse-control", control.string()},
                            addedVariables,
                            {"QT_QPA_PLATFORM"},
                            copy.path().parent_path() / "stderr.txt"});
    const std::optional<std::string> painted =
        process.WaitForErrorLine(kFirstPaintPrefix, kPaintTimeout);
    if (!painted) {
        throw std::runtime_error("pelmar reported no first paint within 30 s");
    }
    const Clock::time_point paint{std::chrono::nanoseconds(std::stoll(*painted))};
    StartRun run;
    run.firstPaintMs = std::chrono::duration<double, std::milli>(paint - process.started()).count();
    if (watchIdle) {
        run.idle = WatchIdle(process.pid());
    }
    if (!EndProgram(process, control)) {
        throw std::runtime_error("pelmar did not end on the mouse's removal");
    }
    return run;
}

}  // namespace

StartUpResults MeasureStartUp(const std::filesystem::path& programFolder) {
    const char* display = std::getenv("DISPLAY");
    const bool onDisplay = display != nullptr && *display != 0;
    std::vector<std::string> added{"PELMAR_REPORT_FIRST_PAINT=1"};
    if (!onDisplay) {
        added.emplace_back("QT_QPA_PLATFORM=offscreen");
    }

    std::vector<double> paintMs;
    IdleFigures idle;
    try {
        for (int run = 0; run < kRuns; ++run) {
            const bool last = run == kRuns - 1;
            const StartRun result = StartOnce(programFolder, added, last);
            paintMs.push_back(result.firstPaintMs);
            if (last) {
                idle = result.idle;
            }
        }
    } catch (const std::exception& error) {
        return {FailedRow(kFirstPaintMeasure, "<= 250 ms", error.what()),
                FailedRow(kWakeUpMeasure, "<= 5", error.what()),
                FailedRow(kResidentMeasure, "<= 80 MB", error.what())};
    }

    const std::string where = DisplayText(onDisplay);
    const double firstPaint = Median(paintMs);
    return {
        {kFirstPaintMeasure, Fixed(firstPaint, 0) + " ms", "<= 250 ms",
         VerdictOf(firstPaint <= kFirstPaintTargetMs),
         "real pelmar --virtual-mouse " + where +
             ", fresh copy of the program folder per run; steady clock before posix_spawn to "
             "the clock the main window prints after composing its first frame "
             "(PELMAR_REPORT_FIRST_PAINT); median of 10 runs (min " +
             Fixed(Percentile(paintMs, 0), 0) + ", max " + Fixed(Percentile(paintMs, 1), 0) +
             " ms)"},
        {kWakeUpMeasure, Fixed(idle.wakeUpsPerSecond, 1), "<= 5",
         VerdictOf(idle.wakeUpsPerSecond <= kWakeUpTarget),
         "last start-up run, 3 s after its first paint, main page shown, nothing playing: "
         "voluntary + involuntary context switches of every thread (/proc/PID/task/*/status) "
         "over 10 s, divided by 10"},
        {kResidentMeasure, Fixed(idle.residentMb, 1) + " MB", "<= 80 MB",
         VerdictOf(idle.residentMb <= kResidentTargetMb),
         "VmRSS of /proc/PID/status of the same run, 3 s after its first paint (1 MB = "
         "10^6 bytes)"},
    };
}

}  // namespace pelmar::bench
