#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "app/Notifier.h"
#include "device/FeatureReports.h"
#include "platform/ini/IniFile.h"
#include "profile/ProfileStore.h"
#include "tests/support/FakeHid.h"
#include "tests/support/RecordingPointerSettings.h"
#include "tests/support/TempFolder.h"

namespace pelmar {
namespace {

using test::FakeHidDevice;
using test::RecordingPointerSettings;

std::string Hex(const std::vector<std::uint8_t>& bytes, std::size_t count = SIZE_MAX) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size() && i < count; ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, "%02X", bytes[i]);
        text += (text.empty() ? "" : " ") + std::string(byte);
    }
    return text;
}

class FeatureReportsTest : public ::testing::Test {
  protected:
    FeatureReportsTest() {
        state_.writeHandle.store(device_);
        state_.writeCaps.featureReportByteLength = 8;
        state_.configPath = folder_ / "config.ini";
        state_.currentProfileNumber = 1;
        state_.profile = BuiltInProfile(ModelA(), 0);
    }

    // Every report sent so far, whole, as upper-case hex.
    std::vector<std::string> Sent() const {
        std::vector<std::string> sent;
        for (const auto& report : device_->Features()) {
            sent.push_back(Hex(report));
        }
        return sent;
    }
    std::vector<std::string> SentWithCommand(std::uint8_t command, std::size_t bytes) const {
        std::vector<std::string> sent;
        for (const auto& report : device_->Features()) {
            if (report.size() > 1 && report[1] == command) {
                sent.push_back(Hex(report, bytes));
            }
        }
        return sent;
    }

    test::TempFolder folder_;
    SharedState state_;
    std::shared_ptr<FakeHidDevice> device_ = std::make_shared<FakeHidDevice>();
    RecordingPointerSettings pointer_;
};

TEST_F(FeatureReportsTest, ApplyProfileSendsTheWholeProfileInOrderKeepingUnlistedBytes) {
    state_.profile.dpiLevel = 2;
    state_.profile.wheelStatus = 1;
    state_.profile.dpiSet = {0, 1, 2, 4};
    state_.profile.ledStatus = 3;
    state_.profile.fireTime = 300;
    ApplyProfile(state_, pointer_);
    EXPECT_EQ(Sent(), (std::vector<std::string>{
                          "07 10 01 01 00 00 00 00",
                          "07 10 02 02 00 00 00 00",
                          "07 10 03 03 00 00 00 00",
                          "07 10 05 05 00 00 00 00",
                          "07 10 04 04 00 00 00 00",
                          "07 10 06 06 00 00 00 00",
                          "07 11 01 00 00 00 00 00",
                          "07 09 42 68 0F 00 00 00",
                          "07 09 42 79 0F 00 00 00",
                          "07 09 42 BA 0F 00 00 00",
                          "07 09 42 FB 0F 00 00 00",
                          "07 13 3F 17 0F 00 00 00",  // byte 4 left by the DPI reports
                          "07 12 00 25 00 00 00 00",
                      }));
    EXPECT_EQ(state_.dpiValueCode, (std::array<std::uint8_t, 4>{0x06, 0x07, 0x0B, 0x0F}));
    EXPECT_EQ(state_.appliedLedStatus, 3);
}

TEST_F(FeatureReportsTest, ButtonDeviceCodesAndFollowedButtons) {
    const struct {
        std::int32_t function;
        const char* report;  // for button index 2 (button number 3)
        std::int32_t reportsDpiLevel;
        std::int32_t reportsUsbStep;
    } cases[] = {
        {0, "07 10 03 00", 0, 0},  {5, "07 10 03 05", 0, 0},  {6, "07 10 03 06", 1, 0},
        {7, "07 10 03 00", 0, 0},  {11, "07 10 03 07", 0, 0}, {14, "07 10 03 0A", 0, 1},
        {15, "07 10 03 0B", 1, 0}, {16, "07 10 03 0C", 1, 0}, {17, "07 10 03 0D", 0, 0},
        {18, "07 10 03 00", 0, 0}, {24, "07 10 03 00", 0, 0}, {41, "07 10 03 00", 0, 0},
        {-2, "07 10 03 FE", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.function);
        state_.reportsDpiLevel.fill(1);
        state_.reportsUsbStep.fill(1);
        state_.profile.buttonFunction = {1, 1, c.function, 1, 1, 1};
        const std::size_t before = device_->Features().size();
        ApplyProfile(state_, pointer_);
        EXPECT_EQ(Hex(device_->Features()[before + 2], 4), c.report);
        EXPECT_EQ(state_.reportsDpiLevel,
                  (std::array<std::int32_t, 6>{0, 0, c.reportsDpiLevel, 0, 0, 0}));
        EXPECT_EQ(state_.reportsUsbStep,
                  (std::array<std::int32_t, 6>{0, 0, c.reportsUsbStep, 0, 0, 0}));
    }
}

TEST_F(FeatureReportsTest, DpiValueCodesPerModel) {
    const struct {
        const Model* model;
        std::vector<std::uint8_t> dpiSets;
        std::vector<std::uint8_t> codes;
    } models[] = {
        {&ModelA(), {0, 1, 2, 3, 4, 5, 255}, {0x06, 0x07, 0x0B, 0x0D, 0x0F, 0x0F, 0x0F}},
        {&ModelB(),
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
         {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x09, 0x0B, 0x0D, 0x0E, 0x0F, 0x0F}},
    };
    for (const auto& m : models) {
        state_.model = m.model;
        for (std::size_t i = 0; i < m.dpiSets.size(); ++i) {
            SCOPED_TRACE(testing::Message()
                         << m.model->executableName << " dpiSet " << int{m.dpiSets[i]});
            state_.profile.dpiSet = {0, 0, 0, m.dpiSets[i]};
            ApplyProfile(state_, pointer_);
            EXPECT_EQ(state_.dpiValueCode[3], m.codes[i]);
            const auto dpiReports = SentWithCommand(0x09, 4);
            char expected[16];
            std::snprintf(expected, sizeof expected, "07 09 40 %02X", m.codes[i] * 16 + 8 + 3);
            EXPECT_EQ(dpiReports.back(), expected);
        }
    }
}

TEST_F(FeatureReportsTest, DpiLevelAndEnableMask) {
    state_.profile.dpiLevel = 3;
    state_.profile.dpiSetEnabled = {1, 0, 1, 0};
    ApplyProfile(state_, pointer_);
    EXPECT_EQ(SentWithCommand(0x09, 5).front(), "07 09 43 68 05");
}

TEST_F(FeatureReportsTest, LightingCodeAndModelByte) {
    const struct {
        const Model* model;
        std::uint8_t ledStatus;
        const char* report;
    } cases[] = {
        {&ModelA(), 0, "07 13 3F 10"},
        {&ModelA(), 1, "07 13 3F 13"},
        {&ModelA(), 2, "07 13 3F 16"},
        {&ModelA(), 3, "07 13 3F 17"},
        {&ModelB(), 3, "07 13 7F 17"},
        // A mode from an edited file gets mode 0's code.
        {&ModelA(), 4, "07 13 3F 10"},
        {&ModelB(), 200, "07 13 7F 10"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.model->executableName << " " << int{c.ledStatus});
        state_.model = c.model;
        state_.profile.ledStatus = c.ledStatus;
        ApplyProfile(state_, pointer_);
        EXPECT_EQ(SentWithCommand(0x13, 4).back(), c.report);
        EXPECT_EQ(state_.appliedLedStatus, c.ledStatus);
    }
}

TEST_F(FeatureReportsTest, RapidFireInterval) {
    const struct {
        std::int32_t fireTime;
        const char* report;
    } cases[] = {
        {300, "07 12 00 25 00 00 00 00"}, {7, "07 12 00 00 00 00 00 00"},
        {8, "07 12 00 01 00 00 00 00"},   {4000, "07 12 01 F4 00 00 00 00"},
        {-20, "07 12 FF FE 00 00 00 00"},  // truncated toward zero, two's complement bytes
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fireTime);
        state_.profile.fireTime = c.fireTime;
        ApplyProfile(state_, pointer_);
        EXPECT_EQ(SentWithCommand(0x12, 8).back(), c.report);
    }
}

TEST_F(FeatureReportsTest, SystemPointerSettings) {
    const struct {
        std::uint8_t dpiSpeed;
        int mouseSpeed;
        std::uint8_t wheelSpeed;
        int scrollLines;
    } cases[] = {
        {0, 1, 0, 1}, {4, 8, 2, 3}, {8, 16, 9, 10}, {9, 18, 254, 255}, {200, 18, 255, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << int{c.dpiSpeed} << " " << int{c.wheelSpeed});
        pointer_.changes.clear();
        state_.profile.dpiSpeed = c.dpiSpeed;
        state_.profile.wheelSpeed = c.wheelSpeed;
        ApplyProfile(state_, pointer_);
        EXPECT_EQ(pointer_.changes, (std::vector<RecordingPointerSettings::Change>{
                                        {PointerSetting::MouseSpeed, c.mouseSpeed},
                                        {PointerSetting::WheelScrollLines, c.scrollLines}}));
    }
}

TEST_F(FeatureReportsTest, UnreadableSystemSettingIsLeftAlone) {
    pointer_.values.erase(PointerSetting::WheelScrollLines);
    ApplyProfile(state_, pointer_);
    EXPECT_EQ(pointer_.changes,
              (std::vector<RecordingPointerSettings::Change>{{PointerSetting::MouseSpeed, 8}}));

    pointer_.changes.clear();
    pointer_.values.erase(PointerSetting::MouseSpeed);
    RestoreNeutralPointerSpeed(pointer_);
    EXPECT_TRUE(pointer_.changes.empty());
    pointer_.values[PointerSetting::MouseSpeed] = 17;
    RestoreNeutralPointerSpeed(pointer_);
    EXPECT_EQ(pointer_.changes,
              (std::vector<RecordingPointerSettings::Change>{{PointerSetting::MouseSpeed, 10}}));
}

TEST_F(FeatureReportsTest, ApplyProfileWritesTheSettingsFileAndRequestsARepaint) {
    test::WriteFile(state_.configPath, "[Init]\nVER_SEL=1\n");
    state_.currentProfileNumber = 3;
    state_.profile.fireTime = 120;
    int repaints = 0;
    notifier.requestRepaint = [&] { ++repaints; };
    ApplyProfile(state_, pointer_);
    notifier.requestRepaint = nullptr;

    EXPECT_EQ(repaints, 1);
    EXPECT_EQ(ReadCurrentProfileNumber(state_.configPath), 3);
    const std::string text = test::ReadFile(state_.configPath);
    EXPECT_TRUE(text.starts_with("[Init]\nVER_SEL=1\nCurConfig=3\n[Config6]\nK0=1\n")) << text;
    EXPECT_LT(text.find("[Config6]"), text.find("[Config3]"));
    for (const std::int32_t section : {kAppliedSection, 3}) {
        Profile loaded;
        LoadProfile(loaded, state_.configPath, section, Section::Profile, 0, ModelA());
        EXPECT_EQ(loaded, state_.profile) << section;
    }
}

TEST_F(FeatureReportsTest, WithoutAMouseFilesAndSystemSettingsStillChange) {
    state_.writeHandle.store(nullptr);
    state_.currentProfileNumber = 2;
    state_.profile.buttonFunction[4] = 15;
    ApplyProfile(state_, pointer_);
    SendExitReport(state_);
    EXPECT_EQ(state_.reportBuffer[1], 0x12) << "the exit report is not even filled in";
    EXPECT_EQ(ReadCurrentProfileNumber(state_.configPath), 2);
    Profile loaded;
    LoadProfile(loaded, state_.configPath, 2, Section::Profile, 0, ModelA());
    EXPECT_EQ(loaded, state_.profile);
    EXPECT_EQ(pointer_.changes.size(), 2u);
    EXPECT_EQ(state_.reportsDpiLevel[4], 1);
    EXPECT_EQ(state_.dpiValueCode, (std::array<std::uint8_t, 4>{0x06, 0x07, 0x0B, 0x0F}));
}

TEST_F(FeatureReportsTest, HeldKeysPackFromSlotZero) {
    const struct {
        std::uint8_t code;
        std::uint8_t action;
        const char* report;
    } steps[] = {
        {0x04, kPressAction, "07 15 04 00 00 00 00 00"},
        {0x05, kPressAction, "07 15 04 05 00 00 00 00"},
        {0x04, kReleaseAction, "07 15 05 00 00 00 00 00"},
        {0x05, 3, "07 15 05 00 00 00 00 00"},  // another action changes nothing
        {0x06, kPressAction, "07 15 05 06 00 00 00 00"},
        {0x05, kPressAction, "07 15 05 06 05 00 00 00"},    // the same key twice
        {0x05, kReleaseAction, "07 15 06 05 00 00 00 00"},  // releases the first only
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << int{step.code} << " action " << int{step.action});
        SendKeyEvent(state_, step.code, step.action);
        EXPECT_EQ(Sent().back(), step.report);
    }
}

TEST_F(FeatureReportsTest, SixHeldKeysAreAllTheReportHolds) {
    for (std::uint8_t key = 0x04; key <= 0x09; ++key) {
        SendKeyEvent(state_, key, kPressAction);
    }
    SendKeyEvent(state_, 0x0A, kPressAction);
    EXPECT_EQ(Sent().back(), "07 15 04 05 06 07 08 09");
    // Releasing the key that found no slot must not drop one still held.
    SendKeyEvent(state_, 0x0A, kReleaseAction);
    EXPECT_EQ(Sent().back(), "07 15 04 05 06 07 08 09");
    SendKeyEvent(state_, 0x09, kReleaseAction);
    EXPECT_EQ(Sent().back(), "07 15 04 05 06 07 08 00");
}

TEST_F(FeatureReportsTest, ButtonsAreActiveLowAndReleaseAllClearsEverything) {
    SendKeyEvent(state_, 0x04, kPressAction);
    SendKeyEvent(state_, kLeftButtonCode, kPressAction);
    SendKeyEvent(state_, kRightButtonCode, kPressAction);
    SendKeyEvent(state_, 0xF5, kPressAction);  // names no button: sends, changes nothing
    SendKeyEvent(state_, kMiddleButtonCode, kPressAction);
    SendKeyEvent(state_, kRightButtonCode, kReleaseAction);
    std::vector<std::chrono::milliseconds> waits;
    ReleaseAllInputs(state_, [&](std::chrono::milliseconds wait) {
        waits.push_back(wait);
        EXPECT_EQ(device_->Features().size(), waits.size() == 1 ? 6u : 7u);
    });
    EXPECT_EQ(Sent(), (std::vector<std::string>{
                          "07 15 04 00 00 00 00 00",
                          "07 16 04 FE 00 00 00 00",  // byte 2 is whatever the last report left
                          "07 16 04 FC 00 00 00 00",
                          "07 16 04 FC 00 00 00 00",
                          "07 16 04 F8 00 00 00 00",
                          "07 16 04 FA 00 00 00 00",
                          "07 16 04 FF 00 00 00 00",
                          "07 15 00 00 00 00 00 00",
                      }));
    EXPECT_EQ(waits, (std::vector<std::chrono::milliseconds>{std::chrono::milliseconds(10),
                                                             std::chrono::milliseconds(10)}));
    EXPECT_EQ(state_.injectedButtons, kNoButtonsHeld);
    EXPECT_EQ(state_.heldKeys, (std::array<std::uint8_t, 6>{}));
}

TEST_F(FeatureReportsTest, ConsumerKeyAndExitReport) {
    SendConsumerKey(state_, 0x0223);
    SendConsumerKey(state_, 0x00E9);
    SendExitReport(state_);
    EXPECT_EQ(Sent(),
              (std::vector<std::string>{"07 17 02 23 00 00 00 00", "07 17 00 E9 00 00 00 00",
                                        "07 20 00 00 00 00 00 00"}));
}

TEST_F(FeatureReportsTest, ReportLengthComesFromTheFeatureCollection) {
    state_.writeCaps.featureReportByteLength = 4;
    SendConsumerKey(state_, 0x00CD);
    state_.writeCaps.featureReportByteLength = 1000;  // longer than the buffer: cut to it
    SendExitReport(state_);
    const auto features = device_->Features();
    EXPECT_EQ(Hex(features[0]), "07 17 00 CD");
    EXPECT_EQ(features[1].size(), kReportBufferSize);
}

TEST_F(FeatureReportsTest, ReportsFromTwoThreadsNeverMix) {
    constexpr int kRounds = 300;
    std::thread player([&] {
        for (int i = 0; i < kRounds; ++i) {
            SendConsumerKey(state_, 0x1111);
        }
    });
    for (int i = 0; i < kRounds; ++i) {
        SendExitReport(state_);
    }
    player.join();
    const auto features = device_->Features();
    ASSERT_EQ(features.size(), 2u * kRounds);
    for (const auto& report : features) {
        const std::string text = Hex(report, 4);
        EXPECT_TRUE(text == "07 17 11 11" || text == "07 20 00 00") << text;
    }
}

}  // namespace
}  // namespace pelmar
