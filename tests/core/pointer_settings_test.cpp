#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <array>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "platform/ini/IniFile.h"
#include "platform/system/DesktopPointerSettings.h"
#include "platform/system/X11PointerSettings.h"
#include "tests/support/TempFolder.h"

extern char** environ;

namespace pelmar {
namespace {

// A backend that holds only the settings given, with fixed values.
class FixedBackend final : public PointerSettingsBackend {
  public:
    FixedBackend(std::map<PointerSetting, int> values, std::vector<std::string>& log,
                 std::string name)
        : values_(std::move(values)), log_(log), name_(std::move(name)) {}

    bool Holds(PointerSetting setting) override { return values_.contains(setting); }
    std::optional<int> Get(PointerSetting setting) override { return values_.at(setting); }
    SettingResult Set(PointerSetting setting, int value) override {
        log_.push_back(name_ + " " + std::to_string(value));
        values_[setting] = value;
        return SettingResult::Done;
    }

  private:
    std::map<PointerSetting, int> values_;
    std::vector<std::string>& log_;
    std::string name_;
};

TEST(PointerSettingsChainTest, TheFirstBackendHoldingASettingAnswers) {
    std::vector<std::string> log;
    PointerSettingsChain chain;
    EXPECT_EQ(chain.Get(PointerSetting::MouseSpeed), std::nullopt);
    EXPECT_EQ(chain.Set(PointerSetting::MouseSpeed, 5), SettingResult::Unsupported);
    chain.Add(std::make_unique<FixedBackend>(
        std::map<PointerSetting, int>{{PointerSetting::MouseSpeed, 7}}, log, "desktop"));
    chain.Add(std::make_unique<FixedBackend>(
        std::map<PointerSetting, int>{{PointerSetting::MouseSpeed, 12},
                                      {PointerSetting::WheelScrollLines, 3}},
        log, "x"));
    EXPECT_EQ(chain.Get(PointerSetting::MouseSpeed), 7);
    EXPECT_EQ(chain.Get(PointerSetting::WheelScrollLines), 3);
    EXPECT_EQ(chain.Set(PointerSetting::MouseSpeed, 8), SettingResult::Done);
    EXPECT_EQ(chain.Set(PointerSetting::WheelScrollLines, 4), SettingResult::Done);
    EXPECT_EQ(log, (std::vector<std::string>{"desktop 8", "x 4"}));
}

TEST(PointerSettingsTest, SpeedAndAccelerationMapBothWays) {
    const struct {
        int speed;
        double acceleration;
    } cases[] = {{1, -0.9}, {5, -0.5}, {10, 0.0}, {18, 0.8}, {20, 1.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.speed);
        EXPECT_DOUBLE_EQ(SpeedToAcceleration(c.speed), c.acceleration);
        EXPECT_EQ(AccelerationToSpeed(c.acceleration), c.speed);
    }
    EXPECT_EQ(AccelerationToSpeed(-1.0), 1);
    EXPECT_EQ(AccelerationToSpeed(0.04), 10);
    EXPECT_DOUBLE_EQ(SpeedToAcceleration(40), 1.0);
}

TEST(GnomePointerSettingsTest, SpeedThroughGsettings) {
    std::vector<std::vector<std::string>> calls;
    std::optional<std::string> answer = "-0.3\n";
    GnomePointerSettings gnome([&](const std::vector<std::string>& arguments) {
        calls.push_back(arguments);
        return answer;
    });
    EXPECT_FALSE(gnome.Holds(PointerSetting::WheelScrollLines));
    EXPECT_EQ(gnome.Set(PointerSetting::WheelScrollLines, 3), SettingResult::Unsupported);
    EXPECT_EQ(gnome.Get(PointerSetting::MouseSpeed), 7);
    EXPECT_EQ(gnome.Set(PointerSetting::MouseSpeed, 16), SettingResult::Done);
    const std::vector<std::vector<std::string>> expected{
        {"gsettings", "get", "org.gnome.desktop.peripherals.mouse", "speed"},
        {"gsettings", "set", "org.gnome.desktop.peripherals.mouse", "speed", "0.6"},
    };
    EXPECT_EQ(calls, expected);
    answer = std::nullopt;
    EXPECT_EQ(gnome.Get(PointerSetting::MouseSpeed), std::nullopt);
    EXPECT_EQ(gnome.Set(PointerSetting::MouseSpeed, 10), SettingResult::Failed);
    answer = "not a number";
    EXPECT_EQ(gnome.Get(PointerSetting::MouseSpeed), std::nullopt);
}

TEST(KdePointerSettingsTest, ReadsDefaultsAndWritesTheDesktopFiles) {
    test::TempFolder folder;
    KdePointerSettings kde(folder.path());
    EXPECT_EQ(kde.Get(PointerSetting::MouseSpeed), 10);
    EXPECT_EQ(kde.Get(PointerSetting::WheelScrollLines), 3);
    test::WriteFile(folder / "kdeglobals",
                    "[General]\nColorScheme=Breeze\n[KDE]\nWheelScrollLines=5\n");
    EXPECT_EQ(kde.Get(PointerSetting::WheelScrollLines), 5);

    EXPECT_EQ(kde.Set(PointerSetting::MouseSpeed, 4), SettingResult::Done);
    EXPECT_EQ(kde.Set(PointerSetting::WheelScrollLines, 7), SettingResult::Done);
    EXPECT_EQ(test::ReadFile(folder / "kcminputrc"), "[Mouse]\nXLbInptPointerAcceleration=-0.6\n");
    EXPECT_EQ(test::ReadFile(folder / "kdeglobals"),
              "[General]\nColorScheme=Breeze\n[KDE]\nWheelScrollLines=7\n");
    EXPECT_EQ(kde.Get(PointerSetting::MouseSpeed), 4);
    EXPECT_EQ(kde.Get(PointerSetting::WheelScrollLines), 7);
}

TEST(RunCommandTest, GivesTheOutputOfASuccessfulProgramOnly) {
    EXPECT_EQ(RunCommand({"echo", "0.25"}), "0.25\n");
    EXPECT_EQ(RunCommand({"false"}), std::nullopt);
    EXPECT_EQ(RunCommand({"no-such-program-here"}), std::nullopt);
    EXPECT_EQ(RunCommand({}), std::nullopt);
}

// The X server backend against a private Xvfb, when one is installed.
class X11PointerSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* previous = std::getenv("DISPLAY");
        previous_ = previous != nullptr ? std::optional<std::string>(previous) : std::nullopt;
        // Xvfb picks a free display and writes its number to the pipe.
        std::array<int, 2> pipe{};
        ASSERT_EQ(::pipe(pipe.data()), 0);
        std::vector<std::string> arguments{"Xvfb",     "-displayfd", std::to_string(pipe[1]),
                                           "-noreset", "-nolisten",  "tcp"};
        std::vector<char*> argv;
        for (std::string& argument : arguments) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addclose(&actions, pipe[0]);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        const int spawned =
            ::posix_spawnp(&server_, "Xvfb", &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(pipe[1]);
        std::string number;
        char digit = 0;
        while (spawned == 0 && ::read(pipe[0], &digit, 1) == 1 && digit != '\n') {
            number += digit;
        }
        ::close(pipe[0]);
        if (spawned != 0) {
            server_ = 0;
            GTEST_SKIP() << "Xvfb is not installed";
        }
        ASSERT_FALSE(number.empty()) << "Xvfb did not start";
        display_ = ":" + number;
        ::setenv("DISPLAY", display_.c_str(), 1);
    }
    void TearDown() override {
        if (server_ != 0) {
            ::kill(server_, SIGTERM);
            ::waitpid(server_, nullptr, 0);
        }
        if (previous_.has_value()) {
            ::setenv("DISPLAY", previous_->c_str(), 1);
        } else {
            ::unsetenv("DISPLAY");
        }
    }

    pid_t server_ = 0;
    std::string display_;
    std::optional<std::string> previous_;
};

TEST_F(X11PointerSettingsTest, PointerSpeedRoundTrips) {
    X11PointerSettings x11;
    EXPECT_FALSE(x11.Holds(PointerSetting::WheelScrollLines));
    EXPECT_EQ(x11.Set(PointerSetting::WheelScrollLines, 3), SettingResult::Unsupported);
    for (const int speed : {1, 8, 10, 18, 20}) {
        SCOPED_TRACE(speed);
        EXPECT_EQ(x11.Set(PointerSetting::MouseSpeed, speed), SettingResult::Done);
        EXPECT_EQ(x11.Get(PointerSetting::MouseSpeed), speed);
    }
}

TEST(X11PointerSettingsWithoutDisplayTest, HoldsNothing) {
    const char* previous = std::getenv("DISPLAY");
    const std::optional<std::string> saved =
        previous != nullptr ? std::optional<std::string>(previous) : std::nullopt;
    ::setenv("DISPLAY", ":9999", 1);
    X11PointerSettings x11;
    EXPECT_FALSE(x11.Holds(PointerSetting::MouseSpeed));
    EXPECT_EQ(x11.Get(PointerSetting::MouseSpeed), std::nullopt);
    EXPECT_EQ(x11.Set(PointerSetting::MouseSpeed, 10), SettingResult::Failed);
    if (saved.has_value()) {
        ::setenv("DISPLAY", saved->c_str(), 1);
    } else {
        ::unsetenv("DISPLAY");
    }
}

}  // namespace
}  // namespace pelmar
