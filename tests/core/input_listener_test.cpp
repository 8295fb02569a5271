#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "device/InputListener.h"
#include "tests/support/FakeHid.h"

namespace pelmar {
namespace {

using test::FakeHidDevice;

struct Handshake {
    std::int32_t playing;
    std::int32_t stop;
    std::uint8_t trigger;
    std::uint8_t level;
};

struct EffectCase {
    const char* name;
    const Model* model;
    std::int32_t playing;  // before the report
    std::int32_t macroMode2;
    std::vector<std::uint8_t> report;
    Handshake after;
};

// Before each case the trigger holds 0xAA and the level 0x55, so a case that
// must not hand over a press shows them unchanged.
constexpr std::uint8_t kOldTrigger = 0xAA;
constexpr std::uint8_t kOldLevel = 0x55;

TEST(HandleInputReportTest, EffectTable) {
    const Model* a = &ModelA();
    const Model* b = &ModelB();
    const EffectCase cases[] = {
        {"A press starts", a, 0, 0, {6, 0xF3, 0x00}, {1, 0, 0xF3, 0x00}},
        {"A press keeps byte 2", a, 0, 1, {6, 0xF6, 0x02}, {1, 0, 0xF6, 0x02}},
        {"A second press stops", a, 1, 0, {6, 0xF3, 0x00}, {1, 1, kOldTrigger, kOldLevel}},
        {"A press while holding is ignored",
         a,
         1,
         1,
         {6, 0xF3, 0x00},
         {1, 0, kOldTrigger, kOldLevel}},
        {"A release, mode 0", a, 1, 0, {6, 0xF3, 0x80}, {1, 0, kOldTrigger, kOldLevel}},
        {"A release, mode 0, idle", a, 0, 0, {6, 0xF3, 0x80}, {0, 0, kOldTrigger, kOldLevel}},
        {"A release stops, mode 1", a, 1, 1, {6, 0xF3, 0x80}, {1, 1, kOldTrigger, kOldLevel}},
        {"A release stops even idle, mode 1",
         a,
         0,
         1,
         {6, 0xF3, 0x80},
         {0, 1, kOldTrigger, kOldLevel}},
        {"A mode 2 counts as not 0", a, 1, 2, {6, 0xF3, 0x80}, {1, 1, kOldTrigger, kOldLevel}},
        {"A code 0xF0 is not a button", a, 0, 0, {6, 0xF0, 0x00}, {0, 0, kOldTrigger, kOldLevel}},
        {"A code 0x10 ignored while playing",
         a,
         1,
         0,
         {6, 0x10, 0x80},
         {1, 0, kOldTrigger, kOldLevel}},
        {"A unknown button 0xF9 accepted", a, 0, 0, {6, 0xF9, 0x00}, {1, 0, 0xF9, 0x00}},
        {"A any identifier", a, 0, 0, {1, 0xF3, 0x00}, {1, 0, 0xF3, 0x00}},
        {"A short report", a, 0, 0, {6, 0xF2}, {1, 0, 0xF2, 0x00}},
        {"A empty report", a, 0, 0, {}, {0, 0, kOldTrigger, kOldLevel}},
        {"B press starts", b, 0, 0, {6, 0xF3, 0x00}, {1, 0, 0xF3, 0x00}},
        {"B other identifier discarded", b, 0, 0, {1, 0xF3, 0x00}, {0, 0, kOldTrigger, kOldLevel}},
        {"B other identifier discarded while playing",
         b,
         1,
         0,
         {7, 0x10, 0x00},
         {1, 0, kOldTrigger, kOldLevel}},
        {"B non-button report stops", b, 1, 1, {6, 0xF0, 0x00}, {1, 1, kOldTrigger, kOldLevel}},
        {"B non-button report stops, mode 0",
         b,
         1,
         0,
         {6, 0x01, 0x80},
         {1, 1, kOldTrigger, kOldLevel}},
        {"B non-button report idle", b, 0, 0, {6, 0x01, 0x00}, {0, 0, kOldTrigger, kOldLevel}},
        {"B second press stops", b, 1, 0, {6, 0xF5, 0x00}, {1, 1, kOldTrigger, kOldLevel}},
        {"B release stops, mode 1", b, 1, 1, {6, 0xF5, 0x80}, {1, 1, kOldTrigger, kOldLevel}},
    };
    for (const EffectCase& c : cases) {
        SCOPED_TRACE(c.name);
        SharedState state;
        state.model = c.model;
        state.profile.macroMode2 = c.macroMode2;
        state.macroPlaying = c.playing;
        state.macroTrigger = kOldTrigger;
        state.macroTriggerLevel = kOldLevel;
        HandleInputReport(state, c.report);
        EXPECT_EQ(state.macroPlaying.load(), c.after.playing);
        EXPECT_EQ(state.macroStop.load(), c.after.stop);
        EXPECT_EQ(state.macroTrigger.load(), c.after.trigger);
        EXPECT_EQ(state.macroTriggerLevel.load(), c.after.level);
        const bool raised = c.after.playing != c.playing || c.after.stop != 0;
        EXPECT_EQ(state.playerWake.load() != 0, raised)
            << "the player is woken for each flag raised";
    }
}

class InputListenerTest : public ::testing::Test {
  protected:
    InputListenerTest() { state_.readCaps.inputReportByteLength = 8; }

    SharedState state_;
    std::shared_ptr<FakeHidDevice> device_ = std::make_shared<FakeHidDevice>();
};

TEST_F(InputListenerTest, RunsWithoutAHandleAndPicksItUpOncePublished) {
    InputListenerThread listener(state_);
    listener.Start();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    state_.readHandle.store(device_);
    device_->QueueInput({6, 0xF4, 0x00, 0, 0, 0, 0, 0});
    device_->AwaitReads(2);
    EXPECT_EQ(state_.macroPlaying.load(), 1);
    EXPECT_EQ(state_.macroTrigger.load(), 0xF4);
    listener.Stop();
}

TEST_F(InputListenerTest, StopWakesABlockedRead) {
    state_.readHandle.store(device_);
    InputListenerThread listener(state_);
    listener.Start();
    device_->AwaitReads(1);  // blocked in Read with nothing queued
    listener.Stop();         // returns only once the thread has ended
    EXPECT_EQ(state_.macroPlaying.load(), 0);
}

TEST_F(InputListenerTest, AGoneDeviceOnlyMakesItWait) {
    state_.readHandle.store(device_);
    InputListenerThread listener(state_);
    listener.Start();
    device_->Fail();
    device_->AwaitReads(3);  // keeps trying, every 2 ms
    listener.Stop();
}

TEST_F(InputListenerTest, PressAndSecondPressInOrder) {
    state_.readHandle.store(device_);
    InputListenerThread listener(state_);
    listener.Start();
    device_->QueueInput({6, 0xF3, 0x00, 0, 0, 0, 0, 0});
    device_->QueueInput({6, 0xF3, 0x80, 0, 0, 0, 0, 0});
    device_->QueueInput({6, 0xF3, 0x00, 0, 0, 0, 0, 0});
    device_->AwaitReads(4);
    EXPECT_EQ(state_.macroPlaying.load(), 1);
    EXPECT_EQ(state_.macroStop.load(), 1);
    EXPECT_EQ(state_.inputReport[1], 0xF3);
    listener.Stop();
}

}  // namespace
}  // namespace pelmar
