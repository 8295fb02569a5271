#include "platform/system/ThreadPriority.h"

#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

namespace pelmar {

namespace {

// Real-time priority asked for (1 to 99): above every ordinary thread, well below the
// system's own real-time threads. The threads that get it sleep until an input report or a
// macro's next event is due and then work for microseconds, so they never hold a processor
// for long.
constexpr int kRealTimePriority = 10;
// Nice value asked for when real-time scheduling is not permitted.
constexpr int kRaisedNice = -10;

}  // namespace

void RaiseCurrentThreadPriority() {
    // On Linux a thread identifier addresses that thread alone. With SCHED_RESET_ON_FORK the
    // programs these threads start (calculator, terminal) get ordinary priority again.
    const pid_t thread = gettid();
    sched_param parameters{};
    parameters.sched_priority = kRealTimePriority;
    if (sched_setscheduler(thread, SCHED_RR | SCHED_RESET_ON_FORK, &parameters) == 0) {
        return;
    }
    parameters.sched_priority = 0;
    static_cast<void>(sched_setscheduler(thread, SCHED_OTHER | SCHED_RESET_ON_FORK, &parameters));
    static_cast<void>(setpriority(PRIO_PROCESS, static_cast<id_t>(thread), kRaisedNice));
}

}  // namespace pelmar
