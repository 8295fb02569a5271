#pragma once

#include <filesystem>
#include <vector>

#include "bench/ResultTable.h"

// The measures of the benchmark table. Each takes its figures in the run that prints them;
// the program folder is the build's (every measure works on a fresh copy of it).
namespace pelmar::bench {

// Start-up of the real executable and its idle cost, from the same runs.
struct StartUpResults {
    ResultRow firstPaint;
    ResultRow idleWakeUps;
    ResultRow residentMemory;
};
StartUpResults MeasureStartUp(const std::filesystem::path& programFolder);

// The main page's hover repaint, and the same with the images decoded every paint.
std::vector<ResultRow> MeasureHoverRepaint(const std::filesystem::path& programFolder);

// ApplyProfile without the device: settings-file replacements and CPU time.
std::vector<ResultRow> MeasureApply(const std::filesystem::path& programFolder);

// From an input report entering the virtual mouse to the first report of the bound macro,
// with the program's listener and player and with a 2 ms polling player.
std::vector<ResultRow> MeasureTriggerLatency();

// Per-event timing error of a 100-event macro played by the program's player.
ResultRow MeasureMacroTiming();

}  // namespace pelmar::bench
