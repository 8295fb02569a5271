#include "app/FirstPaintReport.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace pelmar {

void ReportFirstPaint() {
    // Only the user-interface thread paints, so a plain flag suffices.
    static bool reported = false;
    if (reported) {
        return;
    }
    reported = true;
    if (std::getenv("PELMAR_REPORT_FIRST_PAINT") == nullptr) {
        return;
    }
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    std::fprintf(stderr, "first-paint %lld\n",
                 static_cast<long long>(std::chrono::nanoseconds(now).count()));
    std::fflush(stderr);
}

}  // namespace pelmar
