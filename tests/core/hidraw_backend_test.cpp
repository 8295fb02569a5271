#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <functional>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "platform/hid/HidrawBackend.h"
#include "platform/hid/UdevWatch.h"
#include "platform/hid/VirtualMouse.h"
#include "tests/support/TempFolder.h"

namespace pelmar {
namespace {

using test::TempFolder;
using test::WriteFile;

// A single-collection mouse without report identifiers: 3 bytes of input.
const std::vector<std::uint8_t> kPlainMouse{
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x05, 0x09, 0x19, 0x01, 0x29, 0x03, 0x15, 0x00, 0x25,
    0x01, 0x95, 0x03, 0x75, 0x01, 0x81, 0x02, 0x95, 0x01, 0x75, 0x05, 0x81, 0x03, 0x05, 0x01,
    0x09, 0x30, 0x09, 0x31, 0x15, 0x81, 0x25, 0x7F, 0x75, 0x08, 0x95, 0x02, 0x81, 0x06, 0xC0,
};

class HidrawBackendTest : public ::testing::Test {
  protected:
    void AddNode(const std::string& name, const std::string& uevent,
                 const std::vector<std::uint8_t>* descriptor) {
        const auto device = folder_.path() / "sys/class/hidraw" / name / "device";
        std::filesystem::create_directories(device);
        WriteFile(device / "uevent", uevent);
        if (descriptor != nullptr) {
            WriteFile(device / "report_descriptor",
                      std::string(descriptor->begin(), descriptor->end()));
        }
    }

    TempFolder folder_;
    // Node paths under the fake device root.
    std::string Dev(const std::string& name) const {
        return (folder_.path() / "dev" / name).string();
    }

    HidrawBackend backend_{folder_.path() / "sys", folder_.path() / "dev"};
};

TEST_F(HidrawBackendTest, ListsEveryTopLevelCollectionInNodeOrder) {
    const auto mouse = VirtualMouse::ReportDescriptor();
    const std::vector<std::uint8_t> mouseBytes(mouse.begin(), mouse.end());
    AddNode("hidraw10", "DRIVER=hid-generic\nHID_ID=0003:0000046D:0000C077\n", &kPlainMouse);
    AddNode("hidraw2", "HID_ID=0003:000018F8:00001286\nHID_NAME=Mouse\n", &mouseBytes);
    AddNode("hidraw3", "HID_NAME=No identifiers\n", nullptr);
    std::filesystem::create_directories(folder_.path() / "sys/class/hidraw/not-a-node");

    const HidInterfaceList list = backend_.Enumerate();
    ASSERT_EQ(list.size(), 7u);
    const std::vector<std::string> paths{
        Dev("hidraw2#col01"), Dev("hidraw2#col02"), Dev("hidraw2#col03"),  Dev("hidraw2#col04"),
        Dev("hidraw2#col05"), Dev("hidraw3#col01"), Dev("hidraw10#col01"),
    };
    for (std::size_t i = 0; i < list.size(); ++i) {
        ASSERT_TRUE(list[i].has_value());
        EXPECT_EQ(list[i]->path, paths[i]);
    }
    EXPECT_EQ(list[3]->attributes->vendorId, 0x18F8);
    EXPECT_EQ(list[3]->attributes->productId, 0x1286);
    EXPECT_EQ(list[3]->caps->usagePage, 0xFF00);
    EXPECT_EQ(list[4]->caps->featureReportByteLength, 8);
    EXPECT_FALSE(list[5]->attributes.has_value());
    EXPECT_FALSE(list[5]->caps.has_value());
    EXPECT_EQ(list[6]->attributes->vendorId, 0x046D);
    EXPECT_EQ(list[6]->caps->inputReportByteLength, 4);
}

// Runs check in a child process as an unprivileged user when the test runs as
// root (root may open any node), else in this process; true when it held.
bool HoldsWithoutPrivileges(const std::function<bool()>& check) {
    constexpr uid_t kNobody = 65534;
    if (::geteuid() != 0) {
        return check();
    }
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped = ::setresgid(kNobody, kNobody, kNobody) == 0 &&
                             ::setresuid(kNobody, kNobody, kNobody) == 0;
        ::_exit(dropped && check() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

TEST_F(HidrawBackendTest, MarksNodesTheUserMayNotOpen) {
    const auto mouse = VirtualMouse::ReportDescriptor();
    const std::vector<std::uint8_t> mouseBytes(mouse.begin(), mouse.end());
    AddNode("hidraw0", "HID_ID=0003:000018F8:00001286\n", &mouseBytes);
    AddNode("hidraw1", "HID_ID=0003:0000046D:0000C077\n", &kPlainMouse);
    std::filesystem::create_directories(folder_.path() / "dev");
    WriteFile(Dev("hidraw0"), "");
    WriteFile(Dev("hidraw1"), "");
    std::filesystem::permissions(Dev("hidraw0"), std::filesystem::perms::owner_read);
    std::filesystem::permissions(Dev("hidraw1"), std::filesystem::perms::all);

    EXPECT_TRUE(HoldsWithoutPrivileges([this] {
        const HidInterfaceList list = backend_.Enumerate();
        if (list.size() != 6) {
            return false;
        }
        for (std::size_t i = 0; i < 5; ++i) {
            if (!list[i]->accessDenied) {
                return false;
            }
        }
        return !list[5]->accessDenied;
    }));
    // A node that does not exist (gone since enumeration) is not a matter of
    // permission.
    std::filesystem::remove(Dev("hidraw0"));
    const HidInterfaceList list = backend_.Enumerate();
    ASSERT_EQ(list.size(), 6u);
    EXPECT_FALSE(list[0]->accessDenied);
}

TEST_F(HidrawBackendTest, MissingTreeAndBadPathsGiveNothing) {
    EXPECT_TRUE(backend_.Enumerate().empty());
    const auto mouse = VirtualMouse::ReportDescriptor();
    const std::vector<std::uint8_t> mouseBytes(mouse.begin(), mouse.end());
    AddNode("hidraw0", "HID_ID=0003:000018F8:00001286\n", &mouseBytes);
    for (const char* name : {"hidraw0", "hidraw0#col06", "hidraw0#col00", "hidraw0#colx",
                             "hidraw9#col01", "hidraw0#col04"}) {
        SCOPED_TRACE(name);
        // The last one names a real collection, but the node file is missing.
        EXPECT_EQ(backend_.Open(Dev(name), HidAccess::Read), nullptr);
    }
    // With the node present it opens.
    std::filesystem::create_directories(folder_.path() / "dev");
    WriteFile(folder_.path() / "dev" / "hidraw0", "");
    EXPECT_NE(backend_.Open(Dev("hidraw0#col04"), HidAccess::Read), nullptr);
}

// A datagram socket pair stands in for a node: one report per read.
struct NodePair {
    std::shared_ptr<HidrawDevice> device;
    FileDescriptor mouse;
};

NodePair MakeNode(InputReportFilter filter) {
    std::array<int, 2> fds{};
    EXPECT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, fds.data()), 0);
    return {HidrawDevice::FromDescriptor(FileDescriptor(fds[0]), std::move(filter)),
            FileDescriptor(fds[1])};
}

void Send(const FileDescriptor& fd, std::vector<std::uint8_t> report) {
    ASSERT_EQ(::write(fd.get(), report.data(), report.size()), static_cast<ssize_t>(report.size()));
}

TEST(HidrawDeviceTest, ReadsOnlyItsCollectionsReports) {
    NodePair node = MakeNode({true, {3, 6}});
    Send(node.mouse, {1, 0x01, 0x02, 0x03});
    Send(node.mouse, {6, 0xF3, 0x00, 0, 0, 0, 0, 0});
    Send(node.mouse, {2, 0x00});
    Send(node.mouse, {3, 0xE9, 0x00});
    std::array<std::uint8_t, 8> buffer{};
    ReadResult result = node.device->Read(buffer);
    ASSERT_EQ(result.status, ReadStatus::Report);
    EXPECT_EQ(std::vector(buffer.begin(), buffer.begin() + 8),
              (std::vector<std::uint8_t>{6, 0xF3, 0x00, 0, 0, 0, 0, 0}));
    std::array<std::uint8_t, 2> small{};
    result = node.device->Read(small);  // cut to the buffer
    EXPECT_EQ(result.size, 2u);
    EXPECT_EQ(small, (std::array<std::uint8_t, 2>{3, 0xE9}));
}

TEST(HidrawDeviceTest, UnnumberedReportsGetAZeroIdentifier) {
    NodePair node = MakeNode({false, {}});
    Send(node.mouse, {0x01, 0x05, 0xFB});
    std::array<std::uint8_t, 4> buffer{};
    const ReadResult result = node.device->Read(buffer);
    EXPECT_EQ(result.size, 4u);
    EXPECT_EQ(buffer, (std::array<std::uint8_t, 4>{0, 0x01, 0x05, 0xFB}));
}

TEST(HidrawDeviceTest, WakeEndsABlockedReadAndAGoneNodeFails) {
    NodePair node = MakeNode({true, {6}});
    std::array<std::uint8_t, 8> buffer{};
    auto blocked = std::async(std::launch::async, [&] { return node.device->Read(buffer).status; });
    EXPECT_EQ(blocked.wait_for(std::chrono::milliseconds(20)), std::future_status::timeout);
    node.device->Wake();
    EXPECT_EQ(blocked.get(), ReadStatus::Woken);

    node.device->Wake();  // a wake before the read still ends it
    EXPECT_EQ(node.device->Read(buffer).status, ReadStatus::Woken);

    node.mouse = FileDescriptor();
    EXPECT_EQ(node.device->Read(buffer).status, ReadStatus::Failed);
    const std::array<std::uint8_t, 3> feature{7, 0x20, 0};
    EXPECT_FALSE(node.device->SendFeature(feature));  // not a hidraw node
}

TEST(HidrawRemovalTrackerTest, RemovalNamesEveryCollectionLearntWhilePresent) {
    std::vector<std::string> nodesAsked;
    std::vector<DeviceChangeNotification> seen;
    HidrawRemovalTracker tracker(
        [&](const std::string& node) {
            nodesAsked.push_back(node);
            return std::vector<std::string>{"/dev/" + node + "#col01", "/dev/" + node + "#col02"};
        },
        [&](const DeviceChangeNotification& n) { seen.push_back(n); });

    tracker.Remember("hidraw1");
    EXPECT_TRUE(seen.empty());
    tracker.OnEvent(HidrawEvent::Remove, "hidraw7");  // never seen: nothing to say
    EXPECT_TRUE(seen.empty());
    tracker.OnEvent(HidrawEvent::Add, "hidraw4");
    tracker.OnEvent(HidrawEvent::Remove, "hidraw1");
    tracker.OnEvent(HidrawEvent::Remove, "hidraw1");  // already gone
    EXPECT_EQ(nodesAsked, (std::vector<std::string>{"hidraw1", "hidraw4"}));

    const struct {
        DeviceChangeEvent event;
        const char* path;
    } expected[] = {
        {DeviceChangeEvent::Arrival, "/dev/hidraw4#col01"},
        {DeviceChangeEvent::Arrival, "/dev/hidraw4#col02"},
        {DeviceChangeEvent::RemoveComplete, "/dev/hidraw1#col01"},
        {DeviceChangeEvent::RemoveComplete, "/dev/hidraw1#col02"},
    };
    ASSERT_EQ(seen.size(), std::size(expected));
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].event, expected[i].event);
        EXPECT_EQ(seen[i].kind, DeviceChangeKind::Interface);
        EXPECT_EQ(seen[i].interfacePath, expected[i].path);
    }
}

TEST_F(HidrawBackendTest, AWatchStartsAndStops) {
    AddNode("hidraw0", "HID_ID=0003:000018F8:00001286\n", &kPlainMouse);
    std::unique_ptr<DeviceWatch> watch = backend_.WatchDevices(
        [](const DeviceChangeNotification&) { ADD_FAILURE() << "no device changes here"; });
    ASSERT_NE(watch, nullptr);
    watch.reset();  // joins the monitor thread
}

}  // namespace
}  // namespace pelmar
