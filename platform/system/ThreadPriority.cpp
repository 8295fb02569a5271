#include "platform/system/ThreadPriority.h"

#include <sys/resource.h>
#include <unistd.h>

namespace pelmar {

namespace {

// Nice value asked for; reaching it needs the right to raise priority (CAP_SYS_NICE or a
// RLIMIT_NICE that allows it).
constexpr int kRaisedNice = -10;

}  // namespace

void RaiseCurrentThreadPriority() {
    // On Linux a thread identifier addresses that thread alone.
    static_cast<void>(setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kRaisedNice));
}

}  // namespace pelmar
