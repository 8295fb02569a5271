#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/hid/VirtualMouseBackend.h"
#include "platform/hid/VirtualMouseControl.h"
#include "tests/support/TempFolder.h"

namespace pelmar {
namespace {

using test::TempFolder;

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<std::uint8_t> bytes;
    for (const int value : values) {
        bytes.push_back(static_cast<std::uint8_t>(value));
    }
    return bytes;
}

class VirtualMouseTest : public ::testing::Test {
  protected:
    VirtualMouseTest() {
        const HidInterfaceList list = backend_.Enumerate();
        for (const auto& info : list) {
            if (info->caps->usagePage == 0xFF00) {
                input_ = backend_.Open(info->path, HidAccess::Read);
            }
            if (info->caps->usagePage == 0xFF01) {
                feature_ = backend_.Open(info->path, HidAccess::Write);
            }
        }
    }

    void Set(std::initializer_list<int> report) {
        ASSERT_TRUE(feature_->SendFeature(Bytes(report)));
    }

    // The next input report, as hex.
    std::string NextInput() {
        std::array<std::uint8_t, 16> buffer{};
        const ReadResult result = input_->Read(buffer);
        EXPECT_EQ(result.status, ReadStatus::Report);
        return HexBytes(std::span(buffer.data(), result.size));
    }
    // True when no input report is waiting.
    bool NoInput() {
        input_->Wake();
        std::array<std::uint8_t, 16> buffer{};
        return input_->Read(buffer).status == ReadStatus::Woken;
    }

    TempFolder folder_;
    std::shared_ptr<VirtualMouse> mouse_ = std::make_shared<VirtualMouse>(folder_ / "mouse.log");
    VirtualMouseBackend backend_{mouse_};
    std::shared_ptr<HidDevice> input_;
    std::shared_ptr<HidDevice> feature_;
};

TEST_F(VirtualMouseTest, ExposesTheMouseCollections) {
    const HidInterfaceList list = backend_.Enumerate();
    ASSERT_EQ(list.size(), 5u);
    for (std::size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i]->path, "virtual-mouse#col0" + std::to_string(i + 1));
        EXPECT_EQ(list[i]->attributes->vendorId, 0x18F8);
        EXPECT_EQ(list[i]->attributes->productId, 0x1286);
    }
    EXPECT_EQ(list[3]->caps->inputReportByteLength, 8);
    EXPECT_EQ(list[4]->caps->featureReportByteLength, 8);
    ASSERT_NE(input_, nullptr);
    ASSERT_NE(feature_, nullptr);
    EXPECT_FALSE(input_->SendFeature(Bytes({7, 0x11, 1, 0})));  // not the feature collection
}

TEST_F(VirtualMouseTest, KeepsWhatTheReportsDescribe) {
    Set({7, 0x10, 3, 0x0A, 0, 0, 0, 0});
    Set({7, 0x09, 0x42, 0xBA, 0x05, 0, 0, 0});
    Set({7, 0x11, 1, 0, 0, 0, 0, 0});
    Set({7, 0x12, 0x01, 0xF4, 0, 0, 0, 0});
    Set({7, 0x13, 0x3F, 0x17, 0, 0, 0, 0});
    Set({7, 0x15, 4, 5, 6, 0, 0, 0});
    Set({7, 0x16, 0, 0xFC, 0, 0, 0, 0});
    Set({7, 0x17, 0x00, 0xE9, 0, 0, 0, 0});
    const VirtualMouseState state = mouse_->State();
    EXPECT_EQ(state.deviceCodes[3], 0x0A);
    EXPECT_EQ(state.deviceCodes[1], 1);  // untouched buttons keep their own function
    EXPECT_EQ(state.dpiLevel, 2);
    EXPECT_EQ(state.dpiValueCodes[2], 0x0B);
    EXPECT_EQ(state.dpiEnableMask, 0x05);
    EXPECT_EQ(state.wheel, 1);
    EXPECT_EQ(state.rapidFire, 0x01F4);
    EXPECT_EQ(state.lighting, 0x17);
    EXPECT_EQ(state.heldKeys, (std::array<std::uint8_t, 6>{4, 5, 6, 0, 0, 0}));
    EXPECT_EQ(state.heldButtons, 0xFC);
    EXPECT_EQ(state.consumerUsage, 0x00E9);
}

TEST_F(VirtualMouseTest, ButtonsReportByTheirDeviceCode) {
    // Levels 0, 1 and 3 enabled, level 1 current.
    Set({7, 0x09, 0x41, 0x68, 0x0B, 0, 0, 0});
    Set({7, 0x10, 1, 0x00, 0, 0, 0, 0});  // button 1: the program's
    Set({7, 0x10, 2, 0x06, 0, 0, 0, 0});  // button 2: DPI cycle
    Set({7, 0x10, 3, 0x0B, 0, 0, 0, 0});  // button 3: DPI up
    Set({7, 0x10, 4, 0x0C, 0, 0, 0, 0});  // button 4: DPI down
    Set({7, 0x10, 5, 0x0A, 0, 0, 0, 0});  // button 5: report rate
    Set({7, 0x10, 6, 0x02, 0, 0, 0, 0});  // button 6: the mouse's own
    const struct {
        bool press;
        int button;
        const char* report;  // nullptr: nothing sent
    } steps[] = {
        {true, 1, "06 f1 00 00 00 00 00 00"},
        {false, 1, "06 f1 80 00 00 00 00 00"},
        {true, 2, "06 f2 03 00 00 00 00 00"},
        {true, 2, "06 f2 00 00 00 00 00 00"},  // wraps
        {false, 2, "06 f2 80 00 00 00 00 00"},
        {true, 3, "06 f3 01 00 00 00 00 00"},
        {true, 3, "06 f3 03 00 00 00 00 00"},
        {true, 3, "06 f3 03 00 00 00 00 00"},  // top
        {true, 4, "06 f4 01 00 00 00 00 00"},
        {true, 4, "06 f4 00 00 00 00 00 00"},
        {true, 4, "06 f4 00 00 00 00 00 00"},
        {false, 4, "06 f4 80 00 00 00 00 00"},
        {true, 5, "06 f5 00 00 00 00 00 00"},
        {false, 5, "06 f5 80 00 00 00 00 00"},
        {true, 6, nullptr},
        {false, 6, nullptr},
        {true, 7, nullptr},
        {true, 0, nullptr},
    };
    const std::uint8_t rateBefore = mouse_->State().reportRate;
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << (step.press ? "press " : "release ") << step.button);
        if (step.press) {
            mouse_->Press(step.button);
        } else {
            mouse_->Release(step.button);
        }
        if (step.report != nullptr) {
            EXPECT_EQ(NextInput(), step.report);
        } else {
            EXPECT_TRUE(NoInput());
        }
    }
    EXPECT_EQ(mouse_->State().reportRate, (rateBefore + 1) % 4);
    EXPECT_EQ(mouse_->State().dpiLevel, 0);
}

TEST_F(VirtualMouseTest, LogsEveryEventAndUnplugEndsEverything) {
    std::vector<DeviceChangeNotification> seen;
    {
        const std::unique_ptr<DeviceWatch> watch =
            backend_.WatchDevices([&](const DeviceChangeNotification& n) { seen.push_back(n); });
        Set({7, 0x10, 1, 0x00, 0, 0, 0, 0});
        mouse_->Press(1);
        mouse_->SendInput(Bytes({6, 0xF0, 0x12}));
        mouse_->Unplug();
        mouse_->Unplug();
    }
    mouse_->Press(1);
    EXPECT_FALSE(feature_->SendFeature(Bytes({7, 0x20, 0, 0})));
    std::array<std::uint8_t, 8> buffer{};
    EXPECT_EQ(input_->Read(buffer).status, ReadStatus::Failed);
    EXPECT_TRUE(backend_.Enumerate().empty());
    EXPECT_EQ(backend_.Open("virtual-mouse#col04", HidAccess::Read), nullptr);

    ASSERT_EQ(seen.size(), 5u);
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].event, DeviceChangeEvent::RemoveComplete);
        EXPECT_EQ(seen[i].interfacePath, "virtual-mouse#col0" + std::to_string(i + 1));
    }

    std::istringstream log(test::ReadFile(folder_ / "mouse.log"));
    const std::vector<std::string> events{
        "set 07 10 01 00 00 00 00 00",
        "input 06 f1 00 00 00 00 00 00",
        "input 06 f0 12",
        "unplug",
    };
    std::string line;
    for (const std::string& event : events) {
        ASSERT_TRUE(std::getline(log, line));
        EXPECT_TRUE(std::regex_match(line, std::regex("[0-9]+ " + event))) << line;
    }
    EXPECT_FALSE(std::getline(log, line)) << line;
}

TEST(ControlCommandTest, Parses) {
    const struct {
        const char* line;
        std::optional<ControlCommand> expected;
    } cases[] = {
        {"press 1", PressCommand{1}},
        {"  release 6\r", ReleaseCommand{6}},
        {"click 3", ClickCommand{3}},
        {"report 06 f3 0 FF", ReportCommand{{0x06, 0xF3, 0x00, 0xFF}}},
        {"unplug", UnplugCommand{}},
        {"press 7", std::nullopt},
        {"press 0", std::nullopt},
        {"press", std::nullopt},
        {"press 1 2", std::nullopt},
        {"press x", std::nullopt},
        {"report", std::nullopt},
        {"report 100", std::nullopt},
        {"report 0g", std::nullopt},
        {"unplug now", std::nullopt},
        {"Press 1", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const std::optional<ControlCommand> got = ParseControlCommand(c.line);
        ASSERT_EQ(got.has_value(), c.expected.has_value());
        if (!got.has_value()) {
            continue;
        }
        ASSERT_EQ(got->index(), c.expected->index());
        if (const auto* press = std::get_if<PressCommand>(&*got)) {
            EXPECT_EQ(press->button, std::get<PressCommand>(*c.expected).button);
        } else if (const auto* release = std::get_if<ReleaseCommand>(&*got)) {
            EXPECT_EQ(release->button, std::get<ReleaseCommand>(*c.expected).button);
        } else if (const auto* click = std::get_if<ClickCommand>(&*got)) {
            EXPECT_EQ(click->button, std::get<ClickCommand>(*c.expected).button);
        } else if (const auto* report = std::get_if<ReportCommand>(&*got)) {
            EXPECT_EQ(report->bytes, std::get<ReportCommand>(*c.expected).bytes);
        }
    }
}

void WriteToPipe(const std::filesystem::path& path, const std::string& text) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    ::close(fd);
}

TEST_F(VirtualMouseTest, ControlPipeTakesCommandsFromSuccessiveWriters) {
    std::string error;
    const auto pipe = folder_ / "control";
    std::unique_ptr<VirtualMouseControl> control = VirtualMouseControl::Start(mouse_, pipe, &error);
    ASSERT_NE(control, nullptr) << error;
    Set({7, 0x10, 2, 0x00, 0, 0, 0, 0});
    testing::internal::CaptureStderr();
    WriteToPipe(pipe, "press 2\n");
    EXPECT_EQ(NextInput(), "06 f2 00 00 00 00 00 00");
    WriteToPipe(pipe, "wiggle\nreport 06 f9 00\nclick 2\n");
    EXPECT_EQ(NextInput(), "06 f9 00");
    EXPECT_EQ(NextInput(), "06 f2 00 00 00 00 00 00");
    EXPECT_EQ(NextInput(), "06 f2 80 00 00 00 00 00");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "virtual mouse: unknown command: wiggle\n");
    WriteToPipe(pipe, "unp");  // a line may arrive in pieces
    WriteToPipe(pipe, "lug\n");
    std::array<std::uint8_t, 8> buffer{};
    EXPECT_EQ(input_->Read(buffer).status, ReadStatus::Failed);
    EXPECT_FALSE(mouse_->Plugged());
    control.reset();

    // An existing pipe is used as it is.
    control = VirtualMouseControl::Start(mouse_, pipe, &error);
    EXPECT_NE(control, nullptr) << error;
    EXPECT_EQ(VirtualMouseControl::Start(mouse_, folder_ / "missing" / "control", &error), nullptr);
    EXPECT_NE(error.find("missing"), std::string::npos) << error;
}

}  // namespace
}  // namespace pelmar
