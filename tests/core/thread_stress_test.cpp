// The three threads together: the real input listener reads 10,000 reports
// from a fake mouse while the real player plays macros and follows the
// mouse's DPI and report-rate changes into config.ini, and this test's main
// thread, standing in for the user-interface thread, keeps selecting, applying
// and saving profiles. Built under ThreadSanitizer it also shows that the
// threads share nothing unguarded.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "app/Notifier.h"
#include "device/FeatureReports.h"
#include "device/InputListener.h"
#include "macro/MacroPlayerThread.h"
#include "platform/ini/IniFile.h"
#include "profile/FunctionCodes.h"
#include "profile/ProfileActions.h"
#include "profile/ProfileStore.h"
#include "tests/support/FakeHid.h"
#include "tests/support/FakePlayerClock.h"
#include "tests/support/RecordingLauncher.h"
#include "tests/support/RecordingPointerSettings.h"
#include "tests/support/TempFolder.h"

namespace pelmar {
namespace {

using namespace std::chrono_literals;
using test::FakeHidDevice;
using test::FakePlayerClock;
using test::RecordingLauncher;
using test::RecordingPointerSettings;
using test::TempFolder;

constexpr int kReportCount = 10000;
constexpr int kReportsPerCycle = 4;  // a press, another report, the release, another report
constexpr std::size_t kReportLength = 8;
// Only guards against a hang; a slow machine merely waits longer.
constexpr auto kIdleDeadline = 60s;

// The buttons of every profile, by button index, and the code each reports.
constexpr std::int32_t kMultimediaFunction = 21;
constexpr std::int32_t kFirstUserMacro = 41;
constexpr std::int32_t kDpiLevelFunction = 6;
constexpr std::array<std::int32_t, kButtonCount> kFunctions{
    kLeftClickCode,  kMultimediaFunction, kReportRateCode,
    kFirstUserMacro, kFirstUserMacro + 1, kDpiLevelFunction};
constexpr std::uint8_t kMultimediaButton = 0xF2;
constexpr std::uint8_t kReportRateButton = 0xF3;
constexpr std::uint8_t kSecondMacroButton = 0xF4;
constexpr std::uint8_t kFirstMacroButton = 0xF5;
constexpr std::uint8_t kDpiButton = 0xF6;
// The button pressed in each cycle, in turn.
constexpr std::array<std::uint8_t, 5> kPressed{kFirstMacroButton, kDpiButton, kSecondMacroButton,
                                               kReportRateButton, kMultimediaButton};

constexpr std::uint8_t kKeyA = 4;
constexpr std::uint8_t kKeyB = 5;

MacroRecord MacroOf(std::initializer_list<std::pair<std::uint8_t, std::uint8_t>> events) {
    MacroRecord record;
    record.repeatCount = 1;
    for (const auto& [code, action] : events) {
        record.events[record.eventCount] = {code, action};
        record.delays[record.eventCount] = 20;
        ++record.eventCount;
    }
    return record;
}

// Profile n, with values of its own so that a section written into the wrong
// place shows.
Profile ProfileNumber(const Model& model, std::int32_t n) {
    Profile profile = BuiltInProfile(model, 0);
    profile.buttonFunction = kFunctions;
    profile.dpiLevel = n % kDpiLevelCount;
    profile.usbSpeed = static_cast<std::uint8_t>(n % 4);
    profile.ledStatus = static_cast<std::uint8_t>(n % 4);
    profile.dpiSpeed = static_cast<std::uint8_t>(n);
    profile.wheelSpeed = static_cast<std::uint8_t>(n);
    profile.fireTime = 100 * n;
    return profile;
}

// The player's key and button reports as "keys <six bytes>" and
// "buttons <byte>", consumer keys as "consumer <two bytes>".
std::vector<std::string> PlayerReports(const std::vector<std::vector<std::uint8_t>>& sent) {
    std::vector<std::string> lines;
    for (const std::vector<std::uint8_t>& report : sent) {
        const auto hex = [&](std::size_t first, std::size_t count) {
            std::string text;
            for (std::size_t i = first; i < first + count; ++i) {
                char byte[4];
                std::snprintf(byte, sizeof byte, " %02x", report[i]);
                text += byte;
            }
            return text;
        };
        switch (static_cast<Command>(report[1])) {
            case Command::HeldKeys:
                lines.push_back("keys" + hex(2, kHeldKeySlots));
                break;
            case Command::HeldButtons:
                lines.push_back("buttons" + hex(3, 1));
                break;
            case Command::ConsumerKey:
                lines.push_back("consumer" + hex(2, 2));
                break;
            default:
                break;
        }
    }
    return lines;
}

// What the player sends for one press of each button.
std::vector<std::string> ExpectedReports(std::uint8_t button) {
    const std::vector<std::string> releaseAll{"buttons ff", "keys 00 00 00 00 00 00"};
    std::vector<std::string> lines;
    if (button == kFirstMacroButton) {
        lines = {"keys 04 00 00 00 00 00", "keys 00 00 00 00 00 00"};
    } else if (button == kSecondMacroButton) {
        lines = {"buttons fd", "keys 05 00 00 00 00 00", "buttons ff", "keys 00 00 00 00 00 00"};
    } else if (button == kMultimediaButton) {
        const std::uint16_t usage = DescribeFunction(kMultimediaFunction).consumerUsage;
        char text[32];
        std::snprintf(text, sizeof text, "consumer %02x %02x", usage >> 8, usage & 0xFF);
        return {text};
    } else {
        return {};
    }
    lines.insert(lines.end(), releaseAll.begin(), releaseAll.end());
    return lines;
}

struct ModelCase {
    const char* name;
    const Model* model;
};

void PrintTo(const ModelCase& c, std::ostream* out) {
    *out << c.name;
}

class ThreadStressTest : public ::testing::TestWithParam<ModelCase> {
  protected:
    void SetUp() override {
        model_ = GetParam().model;
        state_.model = model_;
        state_.configPath = folder_ / "config.ini";
        state_.readCaps.inputReportByteLength = kReportLength;
        state_.writeCaps.featureReportByteLength = kReportLength;
        for (std::int32_t n = 1; n <= kProfileCount; ++n) {
            ASSERT_TRUE(SaveProfile(ProfileNumber(*model_, n), state_.configPath, n).Ok());
        }
        {
            const std::lock_guard lock(state_.macros.mutex);
            state_.macros.user.records[0] =
                MacroOf({{kKeyA, kPressAction}, {kKeyA, kReleaseAction}});
            state_.macros.user.records[1] = MacroOf({{kRightButtonCode, kPressAction},
                                                     {kKeyB, kPressAction},
                                                     {kRightButtonCode, kReleaseAction},
                                                     {kKeyB, kReleaseAction}});
            state_.macros.user.count = 2;
        }
        const std::thread::id uiThread = std::this_thread::get_id();
        notifier.requestRepaint = [this, uiThread] {
            if (std::this_thread::get_id() != uiThread) {
                ++playerRepaints_;
            }
        };
        state_.readHandle = mouse_;
        state_.writeHandle = sink_;
        // The buttons whose changes the player follows are known once a profile was applied.
        SelectProfile(state_, 1);
        ApplyProfile(state_, pointer_);
    }
    void TearDown() override { notifier.requestRepaint = nullptr; }

    std::vector<std::uint8_t> Report(std::uint8_t code, std::uint8_t value) const {
        std::vector<std::uint8_t> report(kReportLength, 0);
        report[0] = model_->inputReportId.value_or(1);
        report[1] = code;
        report[2] = value;
        return report;
    }

    // Queues reports and waits until the listener has handled them and the
    // player has finished what they started.
    bool Feed(const std::vector<std::vector<std::uint8_t>>& reports) {
        for (const std::vector<std::uint8_t>& report : reports) {
            mouse_->QueueInput(report);
        }
        fed_ += static_cast<int>(reports.size());
        mouse_->AwaitReads(fed_ + 1);
        const auto deadline = std::chrono::steady_clock::now() + kIdleDeadline;
        while (state_.macroPlaying.load() != 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            std::this_thread::sleep_for(100us);
        }
        return true;
    }

    std::int32_t FileValue(std::int32_t number, const char* key) const {
        return ini::ReadInt(state_.configPath, ProfileSectionName(number), key, 5);
    }

    const Model* model_ = nullptr;
    TempFolder folder_;
    SharedState state_;
    std::shared_ptr<FakeHidDevice> mouse_ = std::make_shared<FakeHidDevice>();
    std::shared_ptr<FakeHidDevice> sink_ = std::make_shared<FakeHidDevice>();
    RecordingPointerSettings pointer_;
    FakePlayerClock clock_;
    RecordingLauncher launcher_;
    std::atomic<int> playerRepaints_{0};
    int fed_ = 0;
};

TEST_P(ThreadStressTest, ListenerPlayerAndProfileActionsRunTogether) {
    InputListenerThread listener(state_);
    MacroPlayerThread player(state_, clock_, launcher_);
    listener.Start();
    player.Start();

    // The mouse: each cycle presses a button (a DPI button with the level it
    // switched to), sends a report that is no button (which stops a macro on
    // models that say so), releases the button and sends another. The next
    // cycle waits for the player, so every press is taken.
    std::vector<std::string> expected;
    int followed = 0;
    std::atomic<bool> mouseDone{false};
    bool mouseIdle = true;
    std::thread mouse([&] {
        for (int cycle = 0; cycle < kReportCount / kReportsPerCycle && mouseIdle; ++cycle) {
            const std::uint8_t button = kPressed[cycle % kPressed.size()];
            const auto level = static_cast<std::uint8_t>(cycle % kDpiLevelCount);
            const auto expectedReports = ExpectedReports(button);
            expected.insert(expected.end(), expectedReports.begin(), expectedReports.end());
            followed += button == kDpiButton || button == kReportRateButton ? 1 : 0;
            mouseIdle = Feed({Report(button, button == kDpiButton ? level : 0), Report(0x00, 3),
                              Report(button, kReleaseMarker), Report(0x00, 0xFD)});
        }
        mouseDone = true;
    });

    // The user-interface thread: switches, applies and saves profiles all the
    // while, and looks at the buffer as a repaint would.
    int rounds = 0;
    int tornBuffers = 0;
    while (!mouseDone) {
        SelectProfile(state_, 1 + rounds % kProfileCount);
        ApplyProfile(state_, pointer_);
        SaveCurrentProfile(state_);
        const Profile shown = state_.profile;
        tornBuffers += shown.buttonFunction == kFunctions ? 0 : 1;
        ++rounds;
    }
    mouse.join();
    ASSERT_TRUE(mouseIdle) << "the player did not finish a press";

    // A last DPI level switch, with nothing else running: the settings file
    // and the buffer both hold the level the player followed.
    ASSERT_TRUE(Feed({Report(kDpiButton, 2), Report(kDpiButton, kReleaseMarker)}));
    ++followed;
    listener.Stop();
    player.Stop();

    EXPECT_GT(rounds, 1) << "the profile actions ran alongside";
    EXPECT_EQ(tornBuffers, 0);
    EXPECT_EQ(fed_, kReportCount + 2);
    EXPECT_EQ(state_.macroPlaying.load(), 0);
    EXPECT_EQ(state_.macroStop.load(), 0) << "no stop request is left for the next press";

    // Every press played its whole macro, in order, never mixed with another.
    EXPECT_EQ(PlayerReports(sink_->Features()), expected);
    EXPECT_EQ(playerRepaints_.load(), followed) << "each DPI and report-rate change was followed";

    const std::int32_t current = state_.currentProfileNumber;
    EXPECT_EQ(ini::ReadInt(state_.configPath, "Init", "CurConfig", 5), current);
    EXPECT_EQ(state_.profile.dpiLevel, 2);
    EXPECT_EQ(FileValue(current, "DPI_LEVEL"), 2);
    EXPECT_EQ(FileValue(current, "USB_SPEED"), state_.profile.usbSpeed);

    // Every section is whole and holds its own profile; only the level and the
    // report rate the player follows may have changed.
    for (std::int32_t n = 1; n <= kAppliedSection; ++n) {
        SCOPED_TRACE("section " + std::to_string(n));
        ASSERT_TRUE(ini::HasSection(state_.configPath, ProfileSectionName(n)));
        Profile saved;
        LoadProfile(saved, state_.configPath, n, Section::Profile, 0, *model_);
        const Profile expectedProfile = ProfileNumber(*model_, n == kAppliedSection ? current : n);
        EXPECT_GE(saved.dpiLevel, 0);
        EXPECT_LT(saved.dpiLevel, kDpiLevelCount);
        EXPECT_LE(saved.usbSpeed, 3);
        saved.dpiLevel = expectedProfile.dpiLevel;
        saved.usbSpeed = expectedProfile.usbSpeed;
        EXPECT_TRUE(saved == expectedProfile);
    }
}

INSTANTIATE_TEST_SUITE_P(Models, ThreadStressTest,
                         ::testing::Values(ModelCase{"modelA", &ModelA()},
                                           ModelCase{"modelB", &ModelB()}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pelmar
