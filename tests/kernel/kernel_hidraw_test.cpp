// Runs inside a virtual machine on a real Linux kernel. The mouse is a device
// created through /dev/uhid with the virtual mouse's identifiers and report
// descriptor, beside an unrelated keyboard; the program's hidraw backend,
// discovery, profile apply, input listener and macro player reach it through
// the kernel's hidraw driver, and udev reports its removal.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <iterator>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "device/Discovery.h"
#include "device/FeatureReports.h"
#include "device/InputListener.h"
#include "macro/MacroPlayerThread.h"
#include "platform/hid/HidrawBackend.h"
#include "platform/hid/VirtualMouse.h"
#include "profile/ProfileStore.h"
#include "tests/kernel/Eventually.h"
#include "tests/kernel/UhidDevice.h"
#include "tests/kernel/UnrelatedKeyboard.h"
#include "tests/support/RecordingLauncher.h"
#include "tests/support/RecordingPointerSettings.h"
#include "tests/support/TempFolder.h"

namespace pelmar {
namespace {

using namespace std::chrono_literals;
using test::Eventually;
using test::kKeyboardDescriptor;
using test::kOtherProductId;
using test::kOtherVendorId;
using test::kWait;
using test::TakenFeature;
using test::UhidDevice;

constexpr std::int32_t kFirstUserMacro = 41;
constexpr std::size_t kMacroButton = 2;  // button number 3
constexpr std::size_t kInterfacesOfTheMouse = 5;
constexpr std::size_t kInputCollection = 3;  // the vendor input collection's index

// The hidraw node of the device with these identifiers, found through the
// HID bus rather than the hidraw class that the backend enumerates.
std::optional<std::string> HidrawNodeOf(std::uint16_t vendorId, std::uint16_t productId) {
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "0003:%04X:%04X.", vendorId, productId);
    std::error_code error;
    for (const auto& device : std::filesystem::directory_iterator("/sys/bus/hid/devices", error)) {
        if (!device.path().filename().string().starts_with(prefix)) {
            continue;
        }
        for (const auto& node :
             std::filesystem::directory_iterator(device.path() / "hidraw", error)) {
            const std::filesystem::path path = "/dev" / node.path().filename();
            if (std::filesystem::exists(path)) {
                return path.string();
            }
        }
    }
    return std::nullopt;
}

std::vector<std::string> HexLines(const std::vector<TakenFeature>& features, std::size_t from) {
    std::vector<std::string> lines;
    for (std::size_t i = from; i < features.size(); ++i) {
        lines.push_back(HexBytes(features[i].bytes));
    }
    return lines;
}

// An input report of the vendor collection: a button's event code and byte 2.
std::vector<std::uint8_t> ButtonReport(std::uint8_t button, std::uint8_t value) {
    std::vector<std::uint8_t> report(VirtualMouse::kReportLength, 0);
    report[0] = VirtualMouse::kInputReportId;
    report[1] = static_cast<std::uint8_t>(kButtonEventBase + button);
    report[2] = value;
    return report;
}

std::unique_ptr<UhidDevice> CreateDevice(const test::UhidIdentity& identity, std::string& node) {
    std::string error;
    std::unique_ptr<UhidDevice> device = UhidDevice::Create(identity, error);
    EXPECT_NE(device, nullptr) << identity.name << ": " << error;
    const bool appeared = device != nullptr && Eventually([&] {
                              const auto found =
                                  HidrawNodeOf(identity.vendorId, identity.productId);
                              node = found.value_or("");
                              return found.has_value();
                          });
    EXPECT_TRUE(appeared) << "the kernel made no hidraw node for " << identity.name;
    return appeared ? std::move(device) : nullptr;
}

MacroRecord KeyAndClickMacro() {
    constexpr std::uint8_t kKeyA = 4;
    constexpr std::uint16_t kDelay = 5;
    MacroRecord record;
    for (const MacroEvent event :
         {MacroEvent{kKeyA, kEventPress}, MacroEvent{kEventLeftButton, kEventPress},
          MacroEvent{kEventLeftButton, kEventRelease}, MacroEvent{kKeyA, kEventRelease}}) {
        record.events[record.eventCount] = event;
        record.delays[record.eventCount] = kDelay;
        ++record.eventCount;
    }
    return record;
}

TEST(KernelHidrawTest, TheMouseThroughTheKernelsHidrawDriver) {
    // The unrelated device comes first, so discovery passes over it.
    std::string otherNode;
    const auto other = CreateDevice(
        {"Pelmar test keyboard", kOtherVendorId, kOtherProductId, kKeyboardDescriptor}, otherNode);
    ASSERT_NE(other, nullptr);
    std::string mouseNode;
    const auto mouse = CreateDevice({"Pelmar test mouse", VirtualMouse::kVendorId,
                                     VirtualMouse::kProductId, VirtualMouse::ReportDescriptor()},
                                    mouseNode);
    ASSERT_NE(mouse, nullptr);
    ASSERT_NE(mouseNode, otherNode);
    // udev announces both devices before the program starts watching, as on a
    // desktop where the mouse was plugged in before the program started.
    ASSERT_EQ(std::system("udevadm settle --timeout=60"), 0) << "udev did not settle";

    test::TempFolder folder;
    SharedState state;
    state.configPath = folder / "config.ini";
    state.currentProfileNumber = 1;
    state.profile = BuiltInProfile(ModelA(), 0);
    state.profile.buttonFunction[kMacroButton] = kFirstUserMacro;
    state.profile.dpiLevel = 1;
    state.profile.ledStatus = 3;
    state.profile.fireTime = 300;
    {
        const std::lock_guard lock(state.macros.mutex);
        state.macros.user.records[0] = KeyAndClickMacro();
        state.macros.user.count = 1;
    }

    InputListenerThread listener(state);
    listener.Start();
    SteadyPlayerClock clock;
    test::RecordingLauncher launcher;
    MacroPlayerThread player(state, clock, launcher);
    player.Start();

    // Discovery through the real sysfs and device nodes.
    HidrawBackend backend;
    std::mutex seenMutex;
    std::vector<DeviceChangeNotification> seen;
    const Discovery discovery = FindDevice(state, backend, [&](const DeviceChangeNotification& n) {
        const std::lock_guard lock(seenMutex);
        seen.push_back(n);
    });
    ASSERT_EQ(discovery.found, 1) << "the mouse at " << mouseNode << " was not found";
    EXPECT_EQ(state.devicePath, CollectionPath(mouseNode, kInterfacesOfTheMouse - 1));
    ASSERT_NE(state.readHandle.load(), nullptr);
    ASSERT_NE(state.writeHandle.load(), nullptr);
    EXPECT_EQ(state.readCaps.usagePage, kInputCollectionUsagePage);
    EXPECT_EQ(state.readCaps.inputReportByteLength, VirtualMouse::kReportLength);
    EXPECT_EQ(state.writeCaps.usagePage, kFeatureCollectionUsagePage);
    EXPECT_EQ(state.writeCaps.featureReportByteLength, VirtualMouse::kReportLength);

    // The profile reaches the device as feature reports, each acknowledged.
    test::RecordingPointerSettings pointer;
    ApplyProfile(state, pointer);
    const std::vector<std::string> applied{
        "07 10 01 01 00 00 00 00", "07 10 02 02 00 00 00 00", "07 10 03 00 00 00 00 00",
        "07 10 05 05 00 00 00 00", "07 10 04 04 00 00 00 00", "07 10 06 06 00 00 00 00",
        "07 11 00 00 00 00 00 00", "07 09 41 68 0f 00 00 00", "07 09 41 79 0f 00 00 00",
        "07 09 41 ba 0f 00 00 00", "07 09 41 fb 0f 00 00 00", "07 13 3f 17 0f 00 00 00",
        "07 12 00 25 00 00 00 00",
    };
    ASSERT_TRUE(mouse->AwaitFeatures(applied.size(), kWait));
    EXPECT_EQ(HexLines(mouse->Features(), 0), applied);
    for (const TakenFeature& feature : mouse->Features()) {
        EXPECT_EQ(feature.reportNumber, kFeatureReportId) << HexBytes(feature.bytes);
    }

    // A press and release of the macro button: the listener hands it to the
    // player, which plays the macro through the device's feature reports.
    ASSERT_TRUE(mouse->SendInput(ButtonReport(SharedState::buttonNumbers[kMacroButton], 0)));
    ASSERT_TRUE(mouse->SendInput(ButtonReport(SharedState::buttonNumbers[kMacroButton], 0x80)));
    const std::vector<std::string> played{
        "07 15 04 00 00 00 00 00", "07 16 04 fe 00 00 00 00", "07 16 04 ff 00 00 00 00",
        "07 15 00 00 00 00 00 00", "07 16 00 ff 00 00 00 00", "07 15 00 00 00 00 00 00",
    };
    ASSERT_TRUE(mouse->AwaitFeatures(applied.size() + played.size(), kWait))
        << "the macro did not reach the device";
    ASSERT_TRUE(Eventually([&] { return state.macroPlaying.load() == 0; }));
    EXPECT_EQ(HexLines(mouse->Features(), applied.size()), played);

    // The DPI button reports the level the mouse switched to in byte 2; the
    // player follows it without sending anything.
    constexpr std::size_t kDpiButton = 5;
    ASSERT_EQ(state.reportsDpiLevel[kDpiButton], 1);
    ASSERT_TRUE(mouse->SendInput(ButtonReport(SharedState::buttonNumbers[kDpiButton], 2)));
    ASSERT_TRUE(mouse->SendInput(ButtonReport(SharedState::buttonNumbers[kDpiButton], 0x80)));
    EXPECT_TRUE(Eventually([&] {
        return state.profile.dpiLevel == 2 && state.macroPlaying.load() == 0;
    })) << "the DPI level was not followed";
    EXPECT_EQ(state.macroTrigger.load(), kButtonEventBase + SharedState::buttonNumbers[kDpiButton]);
    EXPECT_EQ(mouse->Features().size(), applied.size() + played.size());
    EXPECT_TRUE(other->Features().empty());

    // A feature report succeeds once the device has acknowledged it.
    const auto wheel = std::to_array<std::uint8_t>(
        {kFeatureReportId, static_cast<std::uint8_t>(FeatureCommand::Wheel), 1, 0, 0, 0, 0, 0});
    EXPECT_TRUE(state.writeHandle.load()->SendFeature(wheel));
    ASSERT_TRUE(mouse->AwaitFeatures(applied.size() + played.size() + 1, kWait));
    EXPECT_EQ(HexBytes(mouse->Features().back().bytes), HexBytes(wheel));

    // Unplugging while a reader of the input collection is blocked; udev
    // reports the removal of each of the mouse's interfaces.
    const std::shared_ptr<HidDevice> reader =
        backend.Open(CollectionPath(mouseNode, kInputCollection), HidAccess::Read);
    ASSERT_NE(reader, nullptr);
    auto read = std::async(std::launch::async, [&] {
        std::array<std::uint8_t, VirtualMouse::kReportLength> buffer{};
        return reader->Read(buffer).status;
    });
    ASSERT_TRUE(mouse->Destroy());
    // Should udev still be announcing the devices when the watch started,
    // arrivals come first; the removals are what counts here.
    const auto removals = [&] {
        const std::lock_guard lock(seenMutex);
        std::vector<DeviceChangeNotification> removed;
        std::copy_if(seen.begin(), seen.end(), std::back_inserter(removed),
                     [](const auto& n) { return n.event == DeviceChangeEvent::RemoveComplete; });
        return removed;
    };
    EXPECT_TRUE(Eventually([&] { return removals().size() >= kInterfacesOfTheMouse; }))
        << "the removal was not seen";
    listener.Stop();
    player.Stop();
    std::vector<std::string> removedPaths;
    int ours = 0;
    for (const DeviceChangeNotification& notification : removals()) {
        removedPaths.push_back(notification.interfacePath);
        ours += IsOurDeviceNotification(notification, state.devicePath) ? 1 : 0;
    }
    std::vector<std::string> mousePaths;
    for (std::size_t i = 0; i < kInterfacesOfTheMouse; ++i) {
        mousePaths.push_back(CollectionPath(mouseNode, i));
    }
    EXPECT_EQ(removedPaths, mousePaths);
    EXPECT_EQ(ours, 1);

    // The read blocked on the removed device ends with a failure, and a
    // feature report to it fails.
    if (read.wait_for(kWait) != std::future_status::ready) {
        reader->Wake();
        ADD_FAILURE() << "a read of the removed device blocked";
    } else {
        EXPECT_EQ(read.get(), ReadStatus::Failed);
    }
    EXPECT_FALSE(state.writeHandle.load()->SendFeature(wheel));

    // A new search finds nothing: the keyboard is still there, the mouse is not.
    SharedState after;
    EXPECT_EQ(FindDevice(after, backend, {}).found, 0);
    EXPECT_EQ(after.readHandle.load(), nullptr);
    EXPECT_EQ(after.writeHandle.load(), nullptr);
    EXPECT_TRUE(HidrawNodeOf(kOtherVendorId, kOtherProductId).has_value());
}

}  // namespace
}  // namespace pelmar
