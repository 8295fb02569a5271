// Measures the program against its speed and cost targets and prints one table:
//   pelmar_bench PROGRAM_FOLDER
// PROGRAM_FOLDER is a built program folder (the build's bin/). bench/run.sh builds it
// optimised and runs this under Xvfb.
#include <QApplication>
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>
#include <thread>

#include "bench/Benchmarks.h"

namespace {

// The first three fields of /proc/loadavg: runnable threads over 1, 5 and 15 minutes.
std::string LoadAverage() {
    std::ifstream file("/proc/loadavg");
    std::string one;
    std::string five;
    std::string fifteen;
    file >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace pelmar::bench;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PROGRAM_FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path programFolder = std::filesystem::absolute(argv[1]);
    const std::string loadBefore = LoadAverage();
    try {
        // The started programs are measured first, while no thread of this process runs.
        const StartUpResults startUp = MeasureStartUp(programFolder);

        // The in-process paint needs no display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        const QApplication application(argc, argv);
        std::vector<ResultRow> rows{startUp.firstPaint};
        for (const ResultRow& row : MeasureHoverRepaint(programFolder)) {
            rows.push_back(row);
        }
        for (const ResultRow& row : MeasureApply(programFolder)) {
            rows.push_back(row);
        }
        for (const ResultRow& row : MeasureTriggerLatency()) {
            rows.push_back(row);
        }
        rows.push_back(MeasureMacroTiming());
        rows.push_back(startUp.idleWakeUps);
        rows.push_back(startUp.residentMemory);
        PrintTable(rows);
        std::printf("\n%u processors; load average %s before the run, %s after it.\n",
                    std::thread::hardware_concurrency(), loadBefore.c_str(), LoadAverage().c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "pelmar_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
