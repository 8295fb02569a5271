#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelmar::bench {

// What to start: the executable, its arguments and the changes to this process's
// environment that it gets.
struct ProgramStart {
    std::filesystem::path executable;
    std::vector<std::string> arguments;
    std::vector<std::string> addedVariables;    // "NAME=value"
    std::vector<std::string> removedVariables;  // names
    std::filesystem::path errorFile;            // takes its stderr; stdout is discarded
};

// A started program. It is killed with the object if it still runs.
class ProgramProcess {
  public:
    using Clock = std::chrono::steady_clock;

    // Notes the steady clock, then starts the program; throws when it cannot be started.
    explicit ProgramProcess(ProgramStart start);
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    pid_t pid() const { return pid_; }
    // The steady clock just before the process was created.
    Clock::time_point started() const { return started_; }

    // The rest of the first stderr line that starts with `prefix`, once the program has
    // written it; nothing when the program ends or the time is up first.
    std::optional<std::string> WaitForErrorLine(std::string_view prefix, Clock::duration timeout);

    // Waits for the program to end; kills it when it has not ended in time. True when it
    // ended by itself.
    bool WaitForExit(Clock::duration timeout);

  private:
    bool Reap(bool wait);

    ProgramStart start_;
    pid_t pid_ = -1;
    bool ended_ = false;
    Clock::time_point started_;
};

}  // namespace pelmar::bench
