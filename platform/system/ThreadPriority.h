#pragma once

namespace pelmar {

// Asks the system to schedule the calling thread ahead of ordinary threads, so the timing of
// the injected input holds up on a busy desktop. Without the permission to do so the thread
// keeps its priority; nothing is reported.
void RaiseCurrentThreadPriority();

}  // namespace pelmar
