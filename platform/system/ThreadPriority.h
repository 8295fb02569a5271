#pragma once

namespace pelmar {

// Asks the system to schedule the calling thread ahead of ordinary threads, so the timing of
// the injected input holds up on a busy desktop: real-time round-robin scheduling at a low
// real-time priority where the process may use it (CAP_SYS_NICE or an RLIMIT_RTPRIO that
// allows it), else a raised nice value (CAP_SYS_NICE or an RLIMIT_NICE that allows it).
// Without either permission the thread keeps its priority; nothing is reported. Processes
// the thread starts get ordinary priority.
void RaiseCurrentThreadPriority();

}  // namespace pelmar
