// ApplyProfile as the apply button runs it, without a mouse: how many times it replaces the
// settings file and how much processor time it takes on the calling thread.
#include <time.h>

#include <map>
#include <string>

#include "bench/Benchmarks.h"
#include "bench/ProgramFolderCopy.h"
#include "bench/ProgramState.h"
#include "bench/Statistics.h"
#include "device/FeatureReports.h"
#include "platform/ini/IniFile.h"
#include "platform/system/PointerSettings.h"

namespace pelmar::bench {

namespace {

constexpr int kRuns = 200;
constexpr int kWarmUpRuns = 5;
constexpr double kReplacementTarget = 3;
constexpr double kCpuTargetMs = 2;
constexpr double kNanosecondsPerMs = 1e6;

const char* const kReplacementMeasure = "Apply: settings-file replacements";
const char* const kCpuMeasure = "Apply: CPU time of ApplyProfile";

// Pointer settings kept in memory, so that the benchmark leaves the desktop alone while
// ApplyProfile still reads and sets both settings.
class MemoryPointerSettings final : public PointerSettings {
  public:
    std::optional<int> Get(PointerSetting setting) override { return values_[setting]; }
    SettingResult Set(PointerSetting setting, int value) override {
        values_[setting] = value;
        return SettingResult::Done;
    }

  private:
    std::map<PointerSetting, int> values_;
};

double ThreadCpuNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

}  // namespace

std::vector<ResultRow> MeasureApply(const std::filesystem::path& programFolder) {
    const ProgramFolderCopy copy(programFolder);
    const std::unique_ptr<SharedState> state = LoadProgramState(copy.path());
    if (state == nullptr) {
        const char* why = "the skin's layout files are missing";
        return {FailedRow(kReplacementMeasure, "<= 3", why),
                FailedRow(kCpuMeasure, "<= 2 ms", why)};
    }
    MemoryPointerSettings pointer;
    for (int run = 0; run < kWarmUpRuns; ++run) {
        ApplyProfile(*state, pointer);
    }

    const std::uint64_t replacementsBefore = ini::FileReplacementCount();
    const double cpuBefore = ThreadCpuNanoseconds();
    for (int run = 0; run < kRuns; ++run) {
        ApplyProfile(*state, pointer);
    }
    const double cpuMs = (ThreadCpuNanoseconds() - cpuBefore) / kNanosecondsPerMs / kRuns;
    const double replacements =
        static_cast<double>(ini::FileReplacementCount() - replacementsBefore) / kRuns;

    const std::string method =
        "in process, no mouse (no write handle), pointer settings held "
        "in memory, config.ini of a fresh program-folder copy; ";
    return {
        {kReplacementMeasure, Fixed(replacements, 1) + " per apply", "<= 3",
         VerdictOf(replacements <= kReplacementTarget),
         method + "the INI layer's count of file replacements (temporary file + rename) over " +
             std::to_string(kRuns) + " applies, divided by " + std::to_string(kRuns)},
        {kCpuMeasure, Fixed(cpuMs, 3) + " ms", "<= 2 ms", VerdictOf(cpuMs <= kCpuTargetMs),
         method + "CLOCK_THREAD_CPUTIME_ID (user + system time of the calling thread) over " +
             std::to_string(kRuns) + " applies after " + std::to_string(kWarmUpRuns) +
             " warm-up, divided by " + std::to_string(kRuns)},
    };
}

}  // namespace pelmar::bench
