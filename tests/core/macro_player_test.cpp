#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/Notifier.h"
#include "device/InputListener.h"
#include "macro/MacroPlayerThread.h"
#include "platform/hid/HidDevice.h"
#include "platform/ini/IniFile.h"
#include "tests/support/FakePlayerClock.h"
#include "tests/support/RecordingLauncher.h"
#include "tests/support/TempFolder.h"

namespace pelmar {
namespace {

using namespace std::chrono_literals;
using test::FakePlayerClock;
using test::RecordingLauncher;
using test::TempFolder;

constexpr std::uint16_t kReportLength = 8;

// A mouse that notes each feature report with the fake time at which it was sent, as
// "<ms>: <bytes in hex>", and can run an action when a given report arrives.
class RecordingDevice final : public HidDevice {
  public:
    explicit RecordingDevice(FakePlayerClock& clock) : clock_(clock) {}

    ReadResult Read(std::span<std::uint8_t>) override { return {ReadStatus::Failed, 0}; }
    void Wake() override {}
    bool SendFeature(std::span<const std::uint8_t> report) override {
        std::string line = std::to_string(clock_.Milliseconds()) + ":";
        for (const std::uint8_t byte : report) {
            char hex[4];
            std::snprintf(hex, sizeof hex, " %02x", byte);
            line += hex;
        }
        std::function<void()> action;
        {
            const std::lock_guard lock(mutex_);
            reports_.push_back(line);
            if (reports_.size() == actionAt_) {
                action = action_;
            }
        }
        if (action) {
            action();
        }
        return true;
    }

    // Runs action on the player's thread when report number `count` (from 1) has been sent.
    void OnReport(std::size_t count, std::function<void()> action) {
        const std::lock_guard lock(mutex_);
        actionAt_ = count;
        action_ = std::move(action);
    }
    std::vector<std::string> Reports() {
        const std::lock_guard lock(mutex_);
        return reports_;
    }

  private:
    FakePlayerClock& clock_;
    std::mutex mutex_;
    std::vector<std::string> reports_;
    std::size_t actionAt_ = 0;
    std::function<void()> action_;
};

struct Event {
    std::uint8_t code;
    std::uint8_t action;
    std::uint16_t delay;
};

MacroRecord MacroOf(std::initializer_list<Event> events, std::uint8_t repeatOn = 0,
                    std::uint16_t repeatCount = 1) {
    MacroRecord record;
    record.repeatOn = repeatOn;
    record.repeatCount = repeatCount;
    for (const Event& event : events) {
        record.events[record.eventCount] = {event.code, event.action};
        record.delays[record.eventCount] = event.delay;
        ++record.eventCount;
    }
    return record;
}

constexpr std::uint8_t kKeyA = 4;
constexpr std::uint8_t kTriggerButton5 = 0xF5;  // button index 3

class MacroPlayerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        state_.writeCaps.featureReportByteLength = kReportLength;
        state_.writeHandle = device_;
        state_.configPath = folder_ / "config.ini";
        state_.currentProfileNumber = 2;
        notifier.requestRepaint = [this] { ++repaints_; };
        player_.Start();
    }
    void TearDown() override {
        player_.Stop();
        notifier.requestRepaint = nullptr;
    }

    // Binds button index 3 (button number 5) to a function.
    void Bind(std::int32_t function) { state_.profile.buttonFunction[3] = function; }

    void SetUserMacros(std::initializer_list<MacroRecord> records) {
        const std::lock_guard lock(state_.macros.mutex);
        std::size_t i = 0;
        for (const MacroRecord& record : records) {
            state_.macros.user.records[i++] = record;
        }
        state_.macros.user.count = static_cast<std::int16_t>(records.size());
    }

    // Acts as the listener accepting a press, then waits until the player has finished it.
    void Press(std::uint8_t trigger = kTriggerButton5, std::uint8_t level = 0) {
        state_.macroTrigger = trigger;
        state_.macroTriggerLevel = level;
        state_.macroPlaying = 1;
        state_.WakePlayer();
        WaitUntilIdle();
    }

    void WaitUntilIdle() {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (state_.macroPlaying != 0 && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(100us);
        }
        ASSERT_EQ(state_.macroPlaying, 0) << "the player did not finish";
        EXPECT_EQ(state_.macroStop, 0);
    }

    // The listener's stop request, made when report `count` has been sent.
    void StopAtReport(std::size_t count) {
        device_->OnReport(count, [this] {
            state_.macroStop = 1;
            state_.WakePlayer();
        });
    }

    std::vector<std::string> Reports() { return device_->Reports(); }

    TempFolder folder_;
    SharedState state_;
    FakePlayerClock clock_;
    std::shared_ptr<RecordingDevice> device_ = std::make_shared<RecordingDevice>(clock_);
    RecordingLauncher launcher_;
    std::atomic<int> repaints_{0};
    MacroPlayerThread player_{state_, clock_, launcher_};
};

// The two reports of a release of all inputs at time t (ms), after a report that left
// `kept` in the bytes the release reports do not write.
std::vector<std::string> ReleaseAll(long t, const std::string& kept = "00") {
    return {std::to_string(t + 10) + ": 07 16 " + kept + " ff 00 00 00 00",
            std::to_string(t + 20) + ": 07 15 00 00 00 00 00 00"};
}

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST_F(MacroPlayerTest, PlaysEventsWithTheirDelaysThenReleasesEverything) {
    SetUserMacros({MacroOf({{kKeyA, kEventPress, 0}, {kKeyA, kEventRelease, 50}})});
    Bind(41);
    Press();
    EXPECT_EQ(Reports(),
              Join({"0: 07 15 04 00 00 00 00 00", "10: 07 15 00 00 00 00 00 00"}, ReleaseAll(60)));
}

TEST_F(MacroPlayerTest, APressAcceptedByTheListenerWakesThePlayer) {
    SetUserMacros({MacroOf({{kKeyA, kEventPress, 0}, {kKeyA, kEventRelease, 50}})});
    Bind(41);
    const std::uint8_t press[] = {0, kTriggerButton5, 0};
    HandleInputReport(state_, press);
    WaitUntilIdle();
    EXPECT_EQ(Reports().size(), 4u);
}

TEST_F(MacroPlayerTest, ModelBWaitsAtLeastFifteenMilliseconds) {
    state_.model = &ModelB();
    SetUserMacros({MacroOf({{kKeyA, kEventPress, 0}, {kKeyA, kEventRelease, 14}})});
    Bind(41);
    Press();
    EXPECT_EQ(Reports(),
              Join({"0: 07 15 04 00 00 00 00 00", "15: 07 15 00 00 00 00 00 00"}, ReleaseAll(30)));
}

TEST_F(MacroPlayerTest, EveryDelayOfAFullMacroIsKeptExactly) {
    MacroRecord record;
    record.eventCount = kMaxMacroEvents;
    long expectedEnd = 0;
    for (std::size_t k = 0; k < kMaxMacroEvents; ++k) {
        record.events[k] = {kEventLeftButton, k % 2 == 0 ? kEventPress : kEventRelease};
        record.delays[k] = static_cast<std::uint16_t>((k * 37) % 200);
        expectedEnd += std::max<long>(record.delays[k], 10);
    }
    SetUserMacros({record});
    Bind(41);
    Press();

    const std::vector<std::string> reports = Reports();
    ASSERT_EQ(reports.size(), kMaxMacroEvents + 2);
    long t = 0;
    for (std::size_t k = 0; k < kMaxMacroEvents; ++k) {
        const char* buttons = k % 2 == 0 ? "fe" : "ff";
        EXPECT_EQ(reports[k], std::to_string(t) + ": 07 16 00 " + buttons + " 00 00 00 00")
            << "event " << k;
        t += std::max<long>(record.delays[k], 10);
    }
    EXPECT_EQ(t, expectedEnd);
    EXPECT_EQ(std::vector(reports.end() - 2, reports.end()), ReleaseAll(expectedEnd));
}

TEST_F(MacroPlayerTest, EachDelayStartsOnceItsReportHasGoneOut) {
    const std::string press = ": 07 15 04 00 00 00 00 00";
    const std::string release = ": 07 15 00 00 00 00 00 00";
    const struct {
        const char* what;
        std::chrono::milliseconds secondSend;  // how long sending the second report takes
        std::vector<long> times;               // of the four events, then the end of the pass
    } cases[] = {
        {"sending takes no time", 0ms, {0, 20, 40, 60, 80}},
        {"a slow report still gets its whole delay after it", 7ms, {0, 20, 47, 67, 87}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUserMacros({MacroOf({{kKeyA, kEventPress, 20},
                                {kKeyA, kEventRelease, 20},
                                {kKeyA, kEventPress, 20},
                                {kKeyA, kEventRelease, 20}})});
        Bind(41);
        const std::size_t before = Reports().size();
        const long start = clock_.Milliseconds();
        device_->OnReport(before + 2, [this, &c] { clock_.Advance(c.secondSend); });
        Press();
        const std::vector<std::string> all = Reports();
        const std::vector<std::string> reports(all.begin() + static_cast<long>(before), all.end());
        std::vector<std::string> expected;
        for (std::size_t k = 0; k < 4; ++k) {
            expected.push_back(std::to_string(start + c.times[k]) + (k % 2 == 0 ? press : release));
        }
        EXPECT_EQ(reports, Join(expected, ReleaseAll(start + c.times[4])));
    }
}

TEST_F(MacroPlayerTest, RepeatCountAndStopRequestsDecideThePasses) {
    const MacroRecord once = MacroOf({{kKeyA, kEventPress, 20}, {kKeyA, kEventRelease, 20}});
    MacroRecord threeTimes = once;
    threeTimes.repeatOn = 1;
    threeTimes.repeatCount = 3;
    MacroRecord noTimes = threeTimes;
    noTimes.repeatCount = 0;
    struct Case {
        const char* what;
        MacroRecord record;
        std::int32_t macroMode2;
        std::size_t stopAtReport;  // 0: no stop request
        std::size_t passes;
    };
    // Each pass sends four reports: press, release, and the two of the release of all inputs.
    const Case cases[] = {
        {"three passes", threeTimes, 0, 0, 3},
        {"stop during the second pass", threeTimes, 0, 5, 2},
        {"stop during the last event of the first pass", threeTimes, 0, 2, 1},
        {"repeat off makes one pass", once, 0, 0, 1},
        {"repeat on with count 0 makes none", noTimes, 0, 0, 0},
        {"loop mode repeats until the release", once, 1, 15, 4},
        {"loop mode ignores the repeat count", threeTimes, 1, 23, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUserMacros({MacroOf({}), c.record});
        Bind(42);
        state_.profile.macroMode2 = c.macroMode2;
        device_->OnReport(0, nullptr);
        if (c.stopAtReport != 0) {
            StopAtReport(c.stopAtReport + Reports().size());
        }
        const std::size_t before = Reports().size();
        Press();
        EXPECT_EQ(Reports().size() - before, 4 * c.passes);
    }
}

TEST_F(MacroPlayerTest, BuiltInMacroPlaysOncePerPressEvenInLoopMode) {
    {
        const std::lock_guard lock(state_.macros.mutex);
        state_.macros.builtIn.records[7] = MacroOf(
            {{kEventLeftButton, kEventPress, 20}, {kEventLeftButton, kEventRelease, 60}}, 1, 5);
        state_.macros.builtIn.count = 8;
    }
    state_.profile.macroMode2 = 1;
    Bind(38);
    Press();
    EXPECT_EQ(Reports(),
              Join({"0: 07 16 00 fe 00 00 00 00", "20: 07 16 00 ff 00 00 00 00"}, ReleaseAll(80)));
}

TEST_F(MacroPlayerTest, MacrosBeyondTheTablesCountPlayNothing) {
    SetUserMacros({MacroOf({{kKeyA, kEventPress, 20}})});
    {
        const std::lock_guard lock(state_.macros.mutex);
        state_.macros.user.records[1] = MacroOf({{kKeyA, kEventPress, 20}});
        state_.macros.builtIn.records[0] = MacroOf({{kKeyA, kEventPress, 20}});
    }
    for (const std::int32_t function : {42, 31}) {
        Bind(function);
        Press();
    }
    EXPECT_TRUE(Reports().empty());
}

TEST_F(MacroPlayerTest, AnEditDuringPlaybackWaitsForTheNextPress) {
    SetUserMacros({MacroOf({{kKeyA, kEventPress, 20}, {kKeyA, kEventRelease, 20}})});
    Bind(41);
    device_->OnReport(1, [this] {
        MacroStore& macros = state_.macros;
        InsertMacroEvent(macros, 0, 0, 5, kEventPress);
        const std::lock_guard lock(macros.mutex);
        macros.user.records[0].events[1].code = 6;
    });
    Press();
    EXPECT_EQ(Reports(),
              Join({"0: 07 15 04 00 00 00 00 00", "20: 07 15 00 00 00 00 00 00"}, ReleaseAll(40)));
}

TEST_F(MacroPlayerTest, MultimediaKeyIsSentWithoutARelease) {
    Bind(24);
    Press();
    EXPECT_EQ(Reports(), std::vector<std::string>{"0: 07 17 00 e9 00 00 00 00"});
}

TEST_F(MacroPlayerTest, CalculatorAndTerminalStartOncePerPress) {
    Bind(39);
    Press();
    Press();
    Bind(40);
    Press();
    EXPECT_EQ(launcher_.Started(),
              (std::vector{DesktopProgram::Calculator, DesktopProgram::Calculator,
                           DesktopProgram::Terminal}));
    EXPECT_TRUE(Reports().empty());
}

TEST_F(MacroPlayerTest, FollowsTheReportRateStepAndSavesIt) {
    Bind(14);
    state_.reportsUsbStep[3] = 1;
    const std::pair<std::uint8_t, const char*> steps[] = {{3, "0"}, {0, "1"}, {2, "3"}};
    for (const auto& [from, saved] : steps) {
        state_.profile.usbSpeed = from;
        Press();
        EXPECT_EQ(ini::ReadString(state_.configPath, "Config2", "USB_SPEED", 5), saved);
        EXPECT_EQ(ini::ReadString(state_.configPath, "Config2", "DPI_LEVEL", 5), "");
    }
    EXPECT_EQ(repaints_, 3);
    EXPECT_TRUE(Reports().empty());
}

TEST_F(MacroPlayerTest, FollowsTheDpiLevelTheMouseReportsAndSavesIt) {
    Bind(6);
    state_.reportsDpiLevel[3] = 1;
    Press(kTriggerButton5, 2);
    EXPECT_EQ(state_.profile.dpiLevel, 2);
    EXPECT_EQ(ini::ReadString(state_.configPath, "Config2", "DPI_LEVEL", 5), "2");
    EXPECT_EQ(ini::ReadString(state_.configPath, "Config2", "USB_SPEED", 5), "");
    EXPECT_EQ(repaints_, 1);
}

TEST_F(MacroPlayerTest, TriggersWithoutAnActionOnlyClearTheFlags) {
    SetUserMacros({MacroOf({{kKeyA, kEventPress, 20}})});
    Bind(41);
    Press(0xF9);                                          // no button has number 9
    state_.profile.buttonFunction = {1, 2, 3, 7, 4, 53};  // 7 and 53 name no function
    Press(kTriggerButton5);
    Press(0xF6);
    EXPECT_TRUE(Reports().empty());
    EXPECT_TRUE(launcher_.Started().empty());

    // A stop request while idle is dropped, so the next macro plays in full.
    state_.macroStop = 1;
    state_.WakePlayer();
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (state_.macroStop != 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(100us);
    }
    EXPECT_EQ(state_.macroStop, 0);
}

TEST(MacroPlayerStopTest, StopEndsALongMacroAtOnceAndReleasesEverything) {
    SharedState state;
    FakePlayerClock recordClock;
    auto device = std::make_shared<RecordingDevice>(recordClock);
    state.writeCaps.featureReportByteLength = kReportLength;
    state.writeHandle = device;
    state.macros.user.records[0] =
        MacroOf({{kKeyA, kEventPress, 60000}, {kKeyA, kEventRelease, 0}});
    state.macros.user.count = 1;
    state.profile.buttonFunction[0] = 41;

    SteadyPlayerClock clock;
    RecordingLauncher launcher;
    MacroPlayerThread player(state, clock, launcher);
    player.Start();
    std::atomic<bool> pressed{false};
    device->OnReport(1, [&] { pressed = true; });
    state.macroTrigger = 0xF1;
    state.macroPlaying = 1;
    state.WakePlayer();
    while (!pressed) {
        std::this_thread::sleep_for(100us);
    }
    const auto start = std::chrono::steady_clock::now();
    player.Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_EQ(device->Reports(),
              (std::vector<std::string>{"0: 07 15 04 00 00 00 00 00", "0: 07 16 04 ff 00 00 00 00",
                                        "0: 07 15 00 00 00 00 00 00"}));
}

}  // namespace
}  // namespace pelmar
