#include "bench/ProgramProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <system_error>
#include <thread>

extern char** environ;

namespace pelmar::bench {

namespace {

using namespace std::chrono_literals;

constexpr auto kPollInterval = 2ms;
constexpr mode_t kErrorFileMode = 0644;

std::vector<std::string> Environment(const ProgramStart& start) {
    std::vector<std::string> variables;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string variable(*entry);
        const std::string name = variable.substr(0, variable.find('='));
        bool removed = false;
        for (const std::string& drop : start.removedVariables) {
            removed = removed || name == drop;
        }
        if (!removed) {
            variables.push_back(variable);
        }
    }
    variables.insert(variables.end(), start.addedVariables.begin(), start.addedVariables.end());
    return variables;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& text : strings) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

ProgramProcess::ProgramProcess(ProgramStart start) : start_(std::move(start)) {
    std::vector<std::string> arguments{start_.executable.string()};
    arguments.insert(arguments.end(), start_.arguments.begin(), start_.arguments.end());
    std::vector<std::string> environment = Environment(start_);
    std::vector<char*> argv = Pointers(arguments);
    std::vector<char*> envp = Pointers(environment);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, start_.errorFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, kErrorFileMode);
    started_ = Clock::now();
    const int error = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        throw std::system_error(error, std::generic_category(),
                                "cannot start " + start_.executable.string());
    }
}

ProgramProcess::~ProgramProcess() {
    if (!ended_) {
        kill(pid_, SIGKILL);
        Reap(true);
    }
}

bool ProgramProcess::Reap(bool wait) {
    int status = 0;
    const pid_t result = waitpid(pid_, &status, wait ? 0 : WNOHANG);
    if (result == pid_ || (result < 0 && errno == ECHILD)) {
        ended_ = true;
    }
    return ended_;
}

std::optional<std::string> ProgramProcess::WaitForErrorLine(std::string_view prefix,
                                                            Clock::duration timeout) {
    const Clock::time_point deadline = Clock::now() + timeout;
    while (Clock::now() < deadline) {
        std::ifstream errors(start_.errorFile);
        for (std::string line; std::getline(errors, line);) {
            // A line is complete once the next read finds no more of it; getline also
            // returns the unfinished last line, which ends without a newline.
            if (line.starts_with(prefix) && !errors.eof()) {
                return line.substr(prefix.size());
            }
        }
        if (Reap(false)) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    return std::nullopt;
}

bool ProgramProcess::WaitForExit(Clock::duration timeout) {
    const Clock::time_point deadline = Clock::now() + timeout;
    while (Clock::now() < deadline) {
        if (Reap(false)) {
            return true;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    kill(pid_, SIGKILL);
    Reap(true);
    return false;
}

}  // namespace pelmar::bench
