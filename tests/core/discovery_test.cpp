#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/Discovery.h"
#include "tests/support/FakeHid.h"

namespace pelmar {
namespace {

using test::FakeHidBackend;
using test::FakeHidDevice;

constexpr HidAttributes kMouse{0x18F8, 0x1286};
constexpr HidAttributes kOther{0x046D, 0xC077};
constexpr HidCaps kInputCaps{0xFF00, 1, 8, 0, 0};
constexpr HidCaps kFeatureCaps{0xFF01, 1, 0, 0, 8};
constexpr HidCaps kPointerCaps{0x0001, 2, 5, 0, 0};

// One slot of the fake enumeration.
struct Slot {
    enum Kind { Gap, Other, MouseInput, MouseFeature, MousePointer, NoAttributes, NoCaps } kind;
};

HidInterfaceList Interfaces(const std::vector<Slot>& slots) {
    HidInterfaceList list;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const std::string path = "/dev/hidraw" + std::to_string(i) + "#col01";
        switch (slots[i].kind) {
            case Slot::Gap:
                list.emplace_back(std::nullopt);
                break;
            case Slot::Other:
                list.push_back(HidInterfaceInfo{path, kOther, kPointerCaps});
                break;
            case Slot::MouseInput:
                list.push_back(HidInterfaceInfo{path, kMouse, kInputCaps});
                break;
            case Slot::MouseFeature:
                list.push_back(HidInterfaceInfo{path, kMouse, kFeatureCaps});
                break;
            case Slot::MousePointer:
                list.push_back(HidInterfaceInfo{path, kMouse, kPointerCaps});
                break;
            case Slot::NoAttributes:
                list.push_back(HidInterfaceInfo{path, std::nullopt, kFeatureCaps});
                break;
            case Slot::NoCaps:
                list.push_back(HidInterfaceInfo{path, kMouse, std::nullopt});
                break;
        }
    }
    return list;
}

std::vector<Slot> Repeat(Slot slot, std::size_t count) {
    return std::vector<Slot>(count, slot);
}

std::vector<Slot> operator+(std::vector<Slot> a, const std::vector<Slot>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct DiscoveryCase {
    const char* name;
    std::vector<Slot> slots;
    std::uint8_t found;
    int devicePathIndex;  // -1: empty
    int readIndex;        // interface opened for reading, -1: none
    int writeIndex;
};

const Slot kGap{Slot::Gap};
const Slot kOtherSlot{Slot::Other};
const Slot kIn{Slot::MouseInput};
const Slot kFeature{Slot::MouseFeature};
const Slot kPointer{Slot::MousePointer};

TEST(FindDeviceTest, FollowsTheEnumerationRules) {
    const DiscoveryCase cases[] = {
        {"vendor collections first stop the search",
         {kIn, kFeature, kPointer, kOtherSlot},
         1,
         1,
         0,
         1},
        {"feature before input", {kOtherSlot, kPointer, kFeature, kIn, kOtherSlot}, 1, 3, 3, 2},
        {"nothing at all", {}, 0, -1, -1, -1},
        {"only other devices", {kOtherSlot, kOtherSlot}, 0, -1, -1, -1},
        {"mouse beyond index 99", Repeat(kOtherSlot, 100) + std::vector{kIn, kFeature}, 0, -1, -1,
         -1},
        {"mouse ending at index 99", Repeat(kOtherSlot, 98) + std::vector{kIn, kFeature}, 1, 99, 98,
         99},
        {"gaps do not stop the search", {kGap, kIn, kGap, kGap, kFeature}, 1, 4, 1, 4},
        {"same identifiers without vendor collections, last", {kOtherSlot, kPointer}, 1, 1, -1, -1},
        {"same identifiers without vendor collections, not last",
         {kPointer, kOtherSlot},
         0,
         0,
         -1,
         -1},
        {"last enumerable interface decides past trailing gaps",
         {kOtherSlot, kPointer, kGap, kGap},
         1,
         1,
         -1,
         -1},
        {"one vendor collection, then another device", {kIn, kOtherSlot}, 0, 0, 0, -1},
        {"one vendor collection last", {kOtherSlot, kFeature}, 1, 1, -1, 1},
        {"unreadable identifiers do not match", {kIn, Slot{Slot::NoAttributes}}, 0, 0, 0, -1},
        {"unreadable capabilities do not match", {kIn, Slot{Slot::NoCaps}}, 0, 0, 0, -1},
    };
    for (const DiscoveryCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakeHidBackend backend;
        backend.interfaces = Interfaces(c.slots);
        const auto path = [](int index) {
            return index < 0 ? std::string() : "/dev/hidraw" + std::to_string(index) + "#col01";
        };
        const auto readDevice = std::make_shared<FakeHidDevice>();
        const auto writeDevice = std::make_shared<FakeHidDevice>();
        backend.devices[path(c.readIndex)] = readDevice;
        backend.devices[path(c.writeIndex)] = writeDevice;
        SharedState state;
        const Discovery discovery = FindDevice(state, backend, {});

        EXPECT_EQ(discovery.found, c.found);
        EXPECT_EQ(state.devicePath, path(c.devicePathIndex));
        EXPECT_EQ(state.readHandle.load(), c.readIndex < 0 ? nullptr : readDevice);
        EXPECT_EQ(state.writeHandle.load(), c.writeIndex < 0 ? nullptr : writeDevice);
        EXPECT_EQ(state.readCaps.usagePage, c.readIndex < 0 ? 0 : 0xFF00);
        EXPECT_EQ(state.writeCaps.featureReportByteLength, c.writeIndex < 0 ? 0 : 8);
        EXPECT_EQ(backend.opened.size(),
                  (c.readIndex >= 0 ? 1u : 0u) + (c.writeIndex >= 0 ? 1u : 0u));
        const bool matched = c.devicePathIndex >= 0;
        EXPECT_EQ(backend.watchers.size(), matched ? 1u : 0u);
        EXPECT_EQ(discovery.watch != nullptr, matched);
    }
}

TEST(FindDeviceTest, OpensWithTheRightAccessAfterStoringCapabilities) {
    FakeHidBackend backend;
    backend.interfaces = Interfaces({kPointer, kIn, kFeature});
    SharedState state;
    backend.onOpen = [&](const std::string& path, HidAccess access) {
        if (access == HidAccess::Read) {
            EXPECT_EQ(path, "/dev/hidraw1#col01");
            EXPECT_EQ(state.readCaps.inputReportByteLength, 8) << "readCaps before readHandle";
        } else {
            EXPECT_EQ(path, "/dev/hidraw2#col01");
            EXPECT_EQ(state.writeCaps.featureReportByteLength, 8);
        }
    };
    const Discovery discovery = FindDevice(state, backend, {});
    EXPECT_EQ(discovery.found, 1);
    ASSERT_EQ(backend.opened.size(), 2u);
    EXPECT_EQ(backend.opened[0].access, HidAccess::Read);
    EXPECT_EQ(backend.opened[1].access, HidAccess::Write);
}

TEST(FindDeviceTest, AFailedOpenStillCountsAsOpened) {
    FakeHidBackend backend;  // no devices: every open fails
    backend.interfaces = Interfaces({kIn, kFeature, kPointer});
    SharedState state;
    const Discovery discovery = FindDevice(state, backend, {});
    EXPECT_EQ(discovery.found, 1);
    EXPECT_EQ(state.devicePath, "/dev/hidraw1#col01");
    EXPECT_EQ(state.readHandle.load(), nullptr);
    EXPECT_EQ(state.writeHandle.load(), nullptr);
}

// A vendor collection whose node the user may not open is reported, so the
// window can say how to get access instead of acting as if the mouse worked.
TEST(FindDeviceTest, ReportsAVendorCollectionTheUserMayNotOpen) {
    const struct {
        const char* name;
        std::vector<bool> denied;  // per interface: in, feature, pointer
        bool opens;                // the backend opens what it is asked to
        bool accessDenied;
    } cases[] = {
        {"both denied", {true, true, true}, false, true},
        {"feature denied", {false, true, false}, false, true},
        {"open failed for another reason", {false, false, false}, false, false},
        {"marked but opened after all", {true, true, true}, true, false},
        {"only the pointer collection denied", {false, false, true}, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeHidBackend backend;
        backend.interfaces = Interfaces({kIn, kFeature, kPointer});
        for (std::size_t i = 0; i < c.denied.size(); ++i) {
            backend.interfaces[i]->accessDenied = c.denied[i];
            if (c.opens) {
                backend.devices[backend.interfaces[i]->path] = std::make_shared<FakeHidDevice>();
            }
        }
        SharedState state;
        const Discovery discovery = FindDevice(state, backend, {});
        EXPECT_EQ(discovery.found, 1);
        EXPECT_EQ(discovery.accessDenied, c.accessDenied);
    }
}

TEST(FindDeviceTest, TheWatchDeliversToTheGivenCallback) {
    FakeHidBackend backend;
    backend.interfaces = Interfaces({kIn, kFeature});
    SharedState state;
    std::vector<std::string> seen;
    const Discovery discovery = FindDevice(state, backend, [&](const DeviceChangeNotification& n) {
        seen.push_back(n.interfacePath);
    });
    ASSERT_EQ(backend.watchers.size(), 1u);
    backend.watchers[0]({DeviceChangeEvent::RemoveComplete, DeviceChangeKind::Interface, "x"});
    EXPECT_EQ(seen, std::vector<std::string>{"x"});
}

TEST(IsOurDeviceNotificationTest, InterfaceNotificationsForOurPathOnly) {
    const std::string ours = "/dev/hidraw3#col05";
    const struct {
        DeviceChangeKind kind;
        const char* path;
        bool expected;
    } cases[] = {
        {DeviceChangeKind::Interface, "/dev/hidraw3#col05", true},
        {DeviceChangeKind::Interface, "/DEV/HIDRAW3#COL05", true},
        {DeviceChangeKind::Interface, "/dev/hidraw3#col04", false},
        {DeviceChangeKind::Interface, "/dev/hidraw3#col0", false},
        {DeviceChangeKind::Interface, "", false},
        {DeviceChangeKind::Volume, "/dev/hidraw3#col05", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const DeviceChangeNotification notification{DeviceChangeEvent::RemoveComplete, c.kind,
                                                    c.path};
        EXPECT_EQ(IsOurDeviceNotification(notification, ours), c.expected);
    }
}

}  // namespace
}  // namespace pelmar
