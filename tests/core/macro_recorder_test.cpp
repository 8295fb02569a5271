#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/SharedState.h"
#include "macro/MacroRecorder.h"
#include "tests/support/FakeUtcClock.h"

namespace pelmar {
namespace {

using enum KeyAction;

// Virtual keys used below.
constexpr std::uint8_t kA = 65;
constexpr std::uint8_t kB = 66;
constexpr std::uint8_t kEscape = 27;
constexpr std::uint8_t kReturn = 13;
constexpr std::uint8_t kLeftShift = 160;

struct Key {
    KeyAction action;
    std::uint8_t virtualKey;
    std::int32_t at;  // time of day, ms
};

struct Recorded {
    int code;
    int action;
    int delay;
    bool operator==(const Recorded&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Recorded& r) {
    return out << "(" << r.code << ", " << r.action << ", " << r.delay << ")";
}

// The recorder with one macro to record into. Like the event list, the
// fixture counts the press and release lines each recorded event adds.
class MacroRecorderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        MacroRecord& record = state_->macros.user.records[0];
        SetMacroName(record, u"Combo");
        record.repeatOn = 1;
        record.repeatCount = 7;
        record.eventCount = 3;
        record.events[0] = {9, kEventPress};
        state_->macros.user.count = 1;
    }

    bool Send(const Key& key) {
        clock_.now = key.at;
        const bool recorded = recorder_.RecordKeyMessage(key.action, key.virtualKey);
        if (recorded) {
            (key.action == Press ? state_->recordedPresses : state_->recordedReleases) += 1;
        }
        return recorded;
    }

    void SendAll(const std::vector<Key>& keys) {
        for (const Key& key : keys) {
            Send(key);
        }
    }

    std::vector<Recorded> Events() const {
        const MacroRecord& record = state_->macros.user.records[0];
        std::vector<Recorded> events;
        for (int k = 0; k < record.eventCount; ++k) {
            events.push_back({record.events[k].code, record.events[k].action, record.delays[k]});
        }
        return events;
    }

    // Presses and releases `pairs` different letters one after the other.
    void TypeLetters(int pairs, std::int32_t& at) {
        for (int i = 0; i < pairs; ++i) {
            const auto key = static_cast<std::uint8_t>(kA + i % 26);
            ASSERT_TRUE(Send({Press, key, at += 10}));
            ASSERT_TRUE(Send({Release, key, at += 10}));
        }
    }

    std::unique_ptr<SharedState> state_ = std::make_unique<SharedState>();
    test::FakeUtcClock clock_;
    MacroRecorder recorder_{*state_, clock_};
};

TEST_F(MacroRecorderTest, TranscriptsGiveEventsWithTheTimeToTheNextAsDelay) {
    struct Case {
        const char* what;
        std::vector<Key> keys;
        std::vector<Recorded> events;
    };
    const Case cases[] = {
        {"each delay is the time to the next event; the last keeps 30",
         {{Press, kA, 1000}, {Release, kA, 1120}, {Press, kB, 1320}, {Release, kB, 1410}},
         {{4, 1, 120}, {4, 2, 200}, {5, 1, 90}, {5, 2, 30}}},
        {"a held key's repeated presses are recorded once",
         {{Press, kA, 0}, {Press, kA, 500}, {Press, kA, 530}, {Release, kA, 600}},
         {{4, 1, 600}, {4, 2, 30}}},
        {"a repeat after another key's message is a new press",
         {{Press, kA, 0}, {Press, kB, 100}, {Release, kB, 150}, {Press, kA, 400}},
         {{4, 1, 100}, {5, 1, 50}, {5, 2, 250}, {4, 1, 30}}},
        {"a key held before recording began is not released",
         {{Release, kLeftShift, 0}, {Press, kA, 10}, {Release, kLeftShift, 20}, {Release, kA, 50}},
         {{4, 1, 40}, {4, 2, 30}}},
        {"escape and enter are recorded like any key",
         {{Press, kEscape, 0},
          {Release, kEscape, 40},
          {Press, kReturn, 90},
          {Release, kReturn, 95}},
         {{41, 1, 40}, {41, 2, 50}, {40, 1, 5}, {40, 2, 30}}},
        {"an interval across midnight",
         {{Press, kA, kMillisecondsPerDay - 50}, {Release, kA, 30}},
         {{4, 1, 80}, {4, 2, 30}}},
        {"an interval above 65.535 s is held at 65535",
         {{Press, kA, 1000}, {Release, kA, 71000}, {Press, kB, 71001}},
         {{4, 1, 65535}, {4, 2, 1}, {5, 1, 30}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        recorder_.Start(0);
        SendAll(c.keys);
        recorder_.Stop();
        EXPECT_EQ(Events(), c.events);
    }
}

TEST_F(MacroRecorderTest, StartEmptiesTheMacroAndStopKeepsWhatWasRecorded) {
    state_->macros.currentMacro = 5;
    recorder_.Start(0);
    EXPECT_TRUE(state_->recording);
    const MacroRecord& record = state_->macros.user.records[0];
    EXPECT_EQ(MacroName(record), u"Combo");
    EXPECT_EQ(record.repeatOn, 0);
    EXPECT_EQ(record.repeatCount, 1);
    EXPECT_EQ(record.events[0], MacroEvent{});
    EXPECT_EQ(state_->macros.currentMacro, 0);

    SendAll({{Press, kA, 0}, {Release, kA, 10}});
    // Until the recording stops, a player sees no events.
    EXPECT_EQ(record.eventCount, 0);
    recorder_.Stop();
    EXPECT_FALSE(state_->recording);
    EXPECT_EQ(record.eventCount, 2);
    // Nothing is taken once recording has stopped.
    EXPECT_FALSE(Send({Press, kB, 20}));
}

TEST_F(MacroRecorderTest, AKeyStillHeldWhenRecordingStoppedIsPressedAfreshInTheNext) {
    recorder_.Start(0);
    ASSERT_TRUE(Send({Press, kA, 0}));
    recorder_.Stop();
    recorder_.Start(0);
    EXPECT_TRUE(Send({Press, kA, 500}));
    // The press of the last recording is not held in this one.
    EXPECT_TRUE(Send({Release, kA, 600}));
    EXPECT_FALSE(Send({Release, kA, 700}));
}

TEST_F(MacroRecorderTest, PressesStopAt108PressLinesWhileReleasesGoOn) {
    recorder_.Start(0);
    std::int32_t at = 0;
    ASSERT_TRUE(Send({Press, kLeftShift, at}));
    TypeLetters(107, at);
    ASSERT_EQ(state_->recordedPresses, kRecordPressLimit);

    EXPECT_FALSE(Send({Press, kB, at += 10}));
    EXPECT_TRUE(Send({Release, kLeftShift, at += 10}));
    EXPECT_EQ(recorder_.recordedCount(), 216);
}

TEST_F(MacroRecorderTest, NothingIsRecordedPast216Events) {
    recorder_.Start(0);
    std::int32_t at = 0;
    TypeLetters(108, at);
    // Entering the page again rebuilds the list and restarts its line counters.
    state_->recordedPresses = 0;
    state_->recordedReleases = 0;

    EXPECT_FALSE(Send({Press, kLeftShift, at += 10}));
    EXPECT_FALSE(Send({Release, kLeftShift, at += 10}));
    recorder_.Stop();
    EXPECT_EQ(state_->macros.user.records[0].eventCount, kRecordEventLimit);
}

TEST_F(MacroRecorderTest, HeldKeysAreKeptInPressOrderAndAPressBeyondNineIsRefused) {
    recorder_.Start(0);
    std::int32_t at = 0;
    for (std::uint8_t key = kA; key < kA + kRecordHeldKeyCapacity; ++key) {
        ASSERT_TRUE(Send({Press, key, at += 10}));
    }
    EXPECT_FALSE(Send({Press, kLeftShift, at += 10}));
    EXPECT_EQ(recorder_.heldKeys().size(), kRecordHeldKeyCapacity);

    // Releasing a key in the middle closes the gap; there is room again.
    ASSERT_TRUE(Send({Release, kB, at += 10}));
    EXPECT_EQ(std::vector(recorder_.heldKeys().begin(), recorder_.heldKeys().end()),
              (std::vector<std::uint8_t>{65, 67, 68, 69, 70, 71, 72, 73}));
    EXPECT_TRUE(Send({Press, kLeftShift, at += 10}));
    EXPECT_EQ(recorder_.heldKeys().back(), kLeftShift);
}

}  // namespace
}  // namespace pelmar
