// The main page's repaint as the pointer moves over it: the whole frame composed off screen
// at the window's size, state looks and texts included, as the main window's paint does it.
#include <time.h>

#include <chrono>
#include <string>

#include "bench/Benchmarks.h"
#include "bench/ProgramFolderCopy.h"
#include "bench/ProgramState.h"
#include "bench/Statistics.h"
#include "skin/PageLabels.h"
#include "skin/PagePainter.h"
#include "skin/SkinFiles.h"
#include "skin/SkinImageCache.h"
#include "skin/SkinRegion.h"

namespace pelmar::bench {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kFrames = 1000;
constexpr int kWarmUpFrames = 20;
constexpr double kTargetP99Ms = 2;

const char* const kMeasure = "Hover repaint, main page (median / p99)";
const char* const kBaselineMeasure = "  baseline: images decoded every paint";

double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Milliseconds per paint: as they pass, and as processor time of the painting thread.
struct PaintTimes {
    std::vector<double> wall;
    std::vector<double> cpu;
};

// Paints kFrames frames, the hover moving to the next area of the main page (or off the
// areas) before each, and times each paint. `cacheFor` gives the image cache a paint uses.
template <typename CacheFor>
PaintTimes PaintFrames(SharedState& state, QSize size, CacheFor cacheFor) {
    const int areas = state.skin.mainPage.Count();
    PaintTimes times;
    for (int frame = -kWarmUpFrames; frame < kFrames; ++frame) {
        const int position = (frame + kWarmUpFrames) % (areas + 1);
        state.mainHot = position == areas ? kNoArea : position;
        SkinImageCache& cache = cacheFor();
        const double cpuStart = ThreadCpuMs();
        const Clock::time_point start = Clock::now();
        const QImage image = PaintPage(state, cache, size);
        const Clock::time_point end = Clock::now();
        const double cpuEnd = ThreadCpuMs();
        if (frame >= 0 && !image.isNull()) {
            times.wall.push_back(std::chrono::duration<double, std::milli>(end - start).count());
            times.cpu.push_back(cpuEnd - cpuStart);
        }
    }
    return times;
}

std::string Figure(const std::vector<double>& times) {
    return Fixed(Median(times), 2) + " / " + Fixed(Percentile(times, 0.99), 2) + " ms";
}

}  // namespace

std::vector<ResultRow> MeasureHoverRepaint(const std::filesystem::path& programFolder) {
    const ProgramFolderCopy copy(programFolder);
    const std::unique_ptr<SharedState> state = LoadProgramState(copy.path());
    if (state == nullptr) {
        return {FailedRow(kMeasure, "p99 <= 2 ms", "the skin's layout files are missing")};
    }
    const std::optional<WindowShape> shape =
        BuildWindowShape(state->skinFolder / skin_images::kMainMask, state->skin);
    if (!shape) {
        return {FailedRow(kMeasure, "p99 <= 2 ms", "the skin's mask is missing")};
    }
    MapSkinFonts();
    CreateLabelFonts(*state->model);
    state->currentPage = Page::Main;

    SkinImageCache kept;
    const PaintTimes cached =
        PaintFrames(*state, shape->size, [&]() -> SkinImageCache& { return kept; });
    SkinImageCache fresh;
    const PaintTimes decoded = PaintFrames(*state, shape->size, [&]() -> SkinImageCache& {
        fresh = SkinImageCache();
        return fresh;
    });

    const std::string size =
        std::to_string(shape->size.width()) + "x" + std::to_string(shape->size.height());
    const double p99 = Percentile(cached.wall, 0.99);
    return {
        {kMeasure, Figure(cached.wall), "p99 <= 2 ms", VerdictOf(p99 <= kTargetP99Ms),
         "in process, Qt offscreen: wall time of PaintPage (compose + labels) of the main page "
         "at full size " +
             size + ", hover moved to the next area before each of 1000 frames (after " +
             std::to_string(kWarmUpFrames) +
             " warm-up), images from the kept SkinImageCache; thread CPU time per frame " +
             Figure(cached.cpu)},
        {kBaselineMeasure, Figure(decoded.wall), "-", Verdict::Baseline,
         "the same 1000 frames with a new SkinImageCache for every paint, so each paint "
         "decodes its JPEG images afresh; thread CPU time per frame " +
             Figure(decoded.cpu)},
    };
}

}  // namespace pelmar::bench
