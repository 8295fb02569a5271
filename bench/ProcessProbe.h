#pragma once

#include <sys/types.h>

#include <cstdint>
#include <map>
#include <optional>

namespace pelmar::bench {

// Context switches (voluntary and involuntary) of every thread of a process, by thread id,
// from /proc/PID/task/*/status. A thread that sleeps and is woken switches once per wake-up.
std::map<pid_t, std::uint64_t> ThreadSwitches(pid_t process);

// Switches between two readings of ThreadSwitches, summed over all threads; a thread that
// started in between counts from zero.
std::uint64_t SwitchesBetween(const std::map<pid_t, std::uint64_t>& before,
                              const std::map<pid_t, std::uint64_t>& after);

// The resident memory of a process in bytes (VmRSS of /proc/PID/status).
std::optional<std::uint64_t> ResidentBytes(pid_t process);

}  // namespace pelmar::bench
