#pragma once

namespace pelmar {

// Start-up timing hook for the benchmarks (bench/). When the environment
// variable PELMAR_REPORT_FIRST_PAINT is set, the first call prints one line to
// stderr, "first-paint <ns>": the steady clock (CLOCK_MONOTONIC on Linux) in
// nanoseconds. Later calls, and runs without the variable, print nothing. The
// main window calls it when it has composed its first frame of the main page,
// so a caller that reads the same clock just before starting the process gets
// the time from process start to the first painted frame.
void ReportFirstPaint();

}  // namespace pelmar
