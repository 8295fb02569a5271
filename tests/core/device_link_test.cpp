// The device link end to end, in one process: discovery among other HID
// devices, the profile reaching the virtual mouse, and a button press on its
// control pipe reaching the trigger handshake.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <mutex>
#include <regex>
#include <sstream>
#include <thread>

#include "device/Discovery.h"
#include "device/FeatureReports.h"
#include "device/InputListener.h"
#include "platform/hid/CombinedHidBackend.h"
#include "platform/hid/HidrawBackend.h"
#include "platform/hid/VirtualMouseBackend.h"
#include "platform/hid/VirtualMouseControl.h"
#include "profile/ProfileStore.h"
#include "tests/support/RecordingPointerSettings.h"
#include "tests/support/TempFolder.h"

namespace pelmar {
namespace {

using test::TempFolder;

// Waits for a condition another thread makes true; false after five seconds.
template <typename Condition>
bool Eventually(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

void WriteToPipe(const std::filesystem::path& path, const std::string& text) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    ::close(fd);
}

// The "set" lines of the log, without their time stamps.
std::vector<std::string> SetLines(const std::filesystem::path& log) {
    std::istringstream lines(test::ReadFile(log));
    std::vector<std::string> sets;
    const std::regex set("[0-9]+ set (.*)");
    for (std::string line; std::getline(lines, line);) {
        std::smatch match;
        if (std::regex_match(line, match, set)) {
            sets.push_back(match[1]);
        }
    }
    return sets;
}

TEST(DeviceLinkTest, DiscoveryApplyAndAPressThroughTheVirtualMouse) {
    TempFolder folder;
    // Two real-looking devices come before the virtual mouse.
    for (const char* node : {"hidraw0", "hidraw1"}) {
        const auto device = folder.path() / "sys/class/hidraw" / node / "device";
        std::filesystem::create_directories(device);
        test::WriteFile(device / "uevent", "HID_ID=0003:0000046D:0000C31C\n");
        test::WriteFile(device / "report_descriptor",
                        std::string("\x05\x01\x09\x06\xA1\x01\x75\x08\x95\x08\x81\x02\xC0", 13));
    }
    const auto mouse = std::make_shared<VirtualMouse>(folder / "mouse.log");
    CombinedHidBackend backend;
    backend.Add(std::make_shared<HidrawBackend>(folder.path() / "sys", folder.path() / "dev"));
    backend.Add(std::make_shared<VirtualMouseBackend>(mouse));
    std::string error;
    const auto control = VirtualMouseControl::Start(mouse, folder / "control", &error);
    ASSERT_NE(control, nullptr) << error;

    SharedState state;
    state.configPath = folder / "config.ini";
    state.currentProfileNumber = 1;
    state.profile = BuiltInProfile(ModelA(), 0);
    state.profile.buttonFunction[2] = 41;  // button number 3 plays a user macro
    state.profile.dpiLevel = 2;
    state.profile.ledStatus = 3;
    state.profile.fireTime = 300;

    InputListenerThread listener(state);
    listener.Start();

    std::mutex seenMutex;
    std::vector<DeviceChangeNotification> seen;
    const Discovery discovery = FindDevice(state, backend, [&](const DeviceChangeNotification& n) {
        const std::lock_guard lock(seenMutex);
        seen.push_back(n);
    });
    ASSERT_EQ(discovery.found, 1);
    EXPECT_EQ(state.devicePath, "virtual-mouse#col05");
    EXPECT_EQ(state.readCaps.inputReportByteLength, 8);
    EXPECT_EQ(state.writeCaps.featureReportByteLength, 8);

    test::RecordingPointerSettings pointer;
    ApplyProfile(state, pointer);
    EXPECT_EQ(SetLines(folder / "mouse.log"), (std::vector<std::string>{
                                                  "07 10 01 01 00 00 00 00",
                                                  "07 10 02 02 00 00 00 00",
                                                  "07 10 03 00 00 00 00 00",
                                                  "07 10 05 05 00 00 00 00",
                                                  "07 10 04 04 00 00 00 00",
                                                  "07 10 06 06 00 00 00 00",
                                                  "07 11 00 00 00 00 00 00",
                                                  "07 09 42 68 0f 00 00 00",
                                                  "07 09 42 79 0f 00 00 00",
                                                  "07 09 42 ba 0f 00 00 00",
                                                  "07 09 42 fb 0f 00 00 00",
                                                  "07 13 3f 17 0f 00 00 00",
                                                  "07 12 00 25 00 00 00 00",
                                              }));

    WriteToPipe(folder / "control", "press 3\n");
    ASSERT_TRUE(Eventually([&] { return state.macroPlaying.load() == 1; }));
    EXPECT_EQ(state.macroTrigger.load(), 0xF3);
    EXPECT_EQ(state.macroTriggerLevel.load(), 0x00);

    WriteToPipe(folder / "control", "unplug\n");
    ASSERT_TRUE(Eventually([&] {
        const std::lock_guard lock(seenMutex);
        return seen.size() == 5;
    }));
    listener.Stop();
    int ours = 0;
    for (const DeviceChangeNotification& notification : seen) {
        EXPECT_EQ(notification.event, DeviceChangeEvent::RemoveComplete);
        ours += IsOurDeviceNotification(notification, state.devicePath) ? 1 : 0;
    }
    EXPECT_EQ(ours, 1);
}

}  // namespace
}  // namespace pelmar
