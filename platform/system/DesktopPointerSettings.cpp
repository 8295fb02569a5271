#include "platform/system/DesktopPointerSettings.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "platform/ini/IniFile.h"

extern char** environ;

namespace pelmar {

namespace {

constexpr int kMinSpeed = 1;
constexpr int kMaxSpeed = 20;
constexpr int kNeutralSpeed = 10;

constexpr std::string_view kGnomeSchema = "org.gnome.desktop.peripherals.mouse";
constexpr std::string_view kGnomeSpeedKey = "speed";

struct KdeKey {
    std::string_view file;
    std::string_view section;
    std::string_view key;
};
constexpr KdeKey kKdeAcceleration{"kcminputrc", "Mouse", "XLbInptPointerAcceleration"};
constexpr KdeKey kKdeScrollLines{"kdeglobals", "KDE", "WheelScrollLines"};
constexpr int kKdeDefaultScrollLines = 3;
constexpr std::size_t kKdeValueCapacity = 32;

std::optional<double> ParseDouble(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
        text.remove_suffix(1);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// Locale-independent, so a desktop in a language with a decimal comma still
// reads it.
std::string FormatDouble(double value) {
    std::array<char, 32> text{};
    const auto [end, error] =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, 1);
    return std::string(text.data(), end);
}

SettingResult Written(const ini::WriteResult& result) {
    return result.Ok() ? SettingResult::Done : SettingResult::Failed;
}

}  // namespace

std::optional<std::string> RunCommand(const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        return std::nullopt;
    }
    std::array<int, 2> pipe{};
    if (::pipe2(pipe.data(), O_CLOEXEC) != 0) {
        return std::nullopt;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawned = ::posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipe[1]);
    std::string output;
    if (spawned == 0) {
        std::array<char, 256> chunk{};
        for (ssize_t got; (got = ::read(pipe[0], chunk.data(), chunk.size())) > 0;) {
            output.append(chunk.data(), static_cast<std::size_t>(got));
        }
    }
    ::close(pipe[0]);
    if (spawned != 0) {
        return std::nullopt;
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            return std::nullopt;
        }
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return std::nullopt;
    }
    return output;
}

double SpeedToAcceleration(int speed) {
    return static_cast<double>(std::clamp(speed, kMinSpeed, kMaxSpeed) - kNeutralSpeed) /
           kNeutralSpeed;
}

int AccelerationToSpeed(double acceleration) {
    const long speed = std::lround(acceleration * kNeutralSpeed + kNeutralSpeed);
    return static_cast<int>(std::clamp<long>(speed, kMinSpeed, kMaxSpeed));
}

GnomePointerSettings::GnomePointerSettings(CommandRunner run) : run_(std::move(run)) {}

bool GnomePointerSettings::Holds(PointerSetting setting) {
    return setting == PointerSetting::MouseSpeed;
}

std::optional<int> GnomePointerSettings::Get(PointerSetting setting) {
    if (!Holds(setting)) {
        return std::nullopt;
    }
    const std::optional<std::string> output =
        run_({"gsettings", "get", std::string(kGnomeSchema), std::string(kGnomeSpeedKey)});
    if (!output.has_value()) {
        return std::nullopt;
    }
    const std::optional<double> acceleration = ParseDouble(*output);
    if (!acceleration.has_value()) {
        return std::nullopt;
    }
    return AccelerationToSpeed(*acceleration);
}

SettingResult GnomePointerSettings::Set(PointerSetting setting, int value) {
    if (!Holds(setting)) {
        return SettingResult::Unsupported;
    }
    const std::optional<std::string> output =
        run_({"gsettings", "set", std::string(kGnomeSchema), std::string(kGnomeSpeedKey),
              FormatDouble(SpeedToAcceleration(value))});
    return output.has_value() ? SettingResult::Done : SettingResult::Failed;
}

KdePointerSettings::KdePointerSettings(std::filesystem::path configFolder)
    : configFolder_(std::move(configFolder)) {}

bool KdePointerSettings::Holds(PointerSetting) {
    return true;
}

std::optional<int> KdePointerSettings::Get(PointerSetting setting) {
    const KdeKey& where =
        setting == PointerSetting::MouseSpeed ? kKdeAcceleration : kKdeScrollLines;
    const std::string text =
        ini::ReadString(configFolder_ / where.file, where.section, where.key, kKdeValueCapacity);
    if (setting == PointerSetting::WheelScrollLines) {
        return text.empty() ? kKdeDefaultScrollLines : ini::ToInt(text);
    }
    if (text.empty()) {
        return kNeutralSpeed;
    }
    const std::optional<double> acceleration = ParseDouble(text);
    if (!acceleration.has_value()) {
        return std::nullopt;
    }
    return AccelerationToSpeed(*acceleration);
}

SettingResult KdePointerSettings::Set(PointerSetting setting, int value) {
    if (setting == PointerSetting::MouseSpeed) {
        const KdeKey& where = kKdeAcceleration;
        return Written(ini::WriteString(configFolder_ / where.file, where.section, where.key,
                                        FormatDouble(SpeedToAcceleration(value))));
    }
    const KdeKey& where = kKdeScrollLines;
    return Written(ini::WriteString(configFolder_ / where.file, where.section, where.key,
                                    std::to_string(value)));
}

std::filesystem::path KdeConfigFolder() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config != 0) {
        return config;
    }
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home != nullptr ? home : "") / ".config";
}

}  // namespace pelmar
