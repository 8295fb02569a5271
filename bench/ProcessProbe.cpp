#include "bench/ProcessProbe.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

namespace pelmar::bench {

namespace {

constexpr std::string_view kSwitchKeys[] = {"voluntary_ctxt_switches:",
                                            "nonvoluntary_ctxt_switches:"};
constexpr std::string_view kResidentKey = "VmRSS:";
constexpr std::uint64_t kKilobyte = 1024;

std::uint64_t NumberAfter(const std::string& line, std::string_view key) {
    return std::stoull(line.substr(key.size()));
}

}  // namespace

std::map<pid_t, std::uint64_t> ThreadSwitches(pid_t process) {
    std::map<pid_t, std::uint64_t> switches;
    std::error_code error;
    const std::filesystem::path tasks = "/proc/" + std::to_string(process) + "/task";
    for (const auto& entry : std::filesystem::directory_iterator(tasks, error)) {
        std::ifstream status(entry.path() / "status");
        std::uint64_t total = 0;
        for (std::string line; std::getline(status, line);) {
            for (const std::string_view key : kSwitchKeys) {
                if (line.starts_with(key)) {
                    total += NumberAfter(line, key);
                }
            }
        }
        switches[static_cast<pid_t>(std::stol(entry.path().filename().string()))] = total;
    }
    return switches;
}

std::uint64_t SwitchesBetween(const std::map<pid_t, std::uint64_t>& before,
                              const std::map<pid_t, std::uint64_t>& after) {
    std::uint64_t total = 0;
    for (const auto& [thread, count] : after) {
        const auto earlier = before.find(thread);
        total += count - (earlier == before.end() ? 0 : earlier->second);
    }
    return total;
}

std::optional<std::uint64_t> ResidentBytes(pid_t process) {
    std::ifstream status("/proc/" + std::to_string(process) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(kResidentKey)) {
            return NumberAfter(line, kResidentKey) * kKilobyte;
        }
    }
    return std::nullopt;
}

}  // namespace pelmar::bench
