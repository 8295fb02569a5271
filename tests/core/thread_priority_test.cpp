#include <gtest/gtest.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <thread>

#include "platform/system/ThreadPriority.h"

namespace pelmar {
namespace {

// The player starts the calculator and the terminal from its raised thread; they must not
// inherit real-time scheduling or a raised nice value.
TEST(ThreadPriority, ProgramsStartedFromARaisedThreadRunAtOrdinaryPriority) {
    const int niceBefore = getpriority(PRIO_PROCESS, 0);
    int status = -1;
    std::thread raised([&] {
        RaiseCurrentThreadPriority();
        const pid_t child = fork();
        if (child == 0) {
            const bool ordinary = sched_getscheduler(0) == SCHED_OTHER &&
                                  getpriority(PRIO_PROCESS, 0) >= std::min(niceBefore, 0);
            _exit(ordinary ? 0 : 1);
        }
        waitpid(child, &status, 0);
    });
    raised.join();
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace pelmar
