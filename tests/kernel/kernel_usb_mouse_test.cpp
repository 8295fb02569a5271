// Runs inside the virtual machine, whose udev reads the installed rule from
// /etc/udev/rules.d. The mouse is a USB gadget on the dummy host controller,
// so its hidraw node has a USB device as parent, as a plugged-in mouse's
// has; uhid devices with the same identifiers have none.
#include <grp.h>
#include <libudev.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <string>

#include "app/UdevRules.h"
#include "device/Discovery.h"
#include "platform/hid/HidrawBackend.h"
#include "platform/hid/VirtualMouse.h"
#include "tests/kernel/Eventually.h"
#include "tests/kernel/UhidDevice.h"
#include "tests/kernel/UnrelatedKeyboard.h"
#include "tests/kernel/UsbGadget.h"

namespace pelmar {
namespace {

using test::Eventually;
using test::kKeyboardDescriptor;
using test::kOtherProductId;
using test::kOtherVendorId;
using test::UhidDevice;
using test::UsbGadget;

const std::string kRulesFile = "/etc/udev/rules.d/" + std::string(kUdevRulesFileName);
constexpr std::size_t kInterfacesOfTheMouse = 5;
// The user and group nobody.
constexpr uid_t kNobody = 65534;
constexpr gid_t kNogroup = 65534;

std::unique_ptr<UsbGadget> PlugInUsbMouse(std::string& node) {
    std::string error;
    std::unique_ptr<UsbGadget> gadget =
        UsbGadget::Create({VirtualMouse::kVendorId, VirtualMouse::kProductId,
                           VirtualMouse::ReportDescriptor(), VirtualMouse::kReportLength},
                          error);
    EXPECT_NE(gadget, nullptr) << error;
    if (gadget == nullptr) {
        return nullptr;
    }
    const std::optional<std::string> found = gadget->AwaitHidrawNode();
    EXPECT_TRUE(found.has_value()) << "the USB host made no hidraw node for the gadget";
    node = found.value_or("");
    return found.has_value() ? std::move(gadget) : nullptr;
}

// The hidraw node of the uhid device with these identifiers.
std::optional<std::string> UhidNodeOf(std::uint16_t vendorId, std::uint16_t productId) {
    char name[32];
    std::snprintf(name, sizeof name, "0003:%04X:%04X.", vendorId, productId);
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/sys/class/hidraw", error)) {
        const std::filesystem::path device =
            std::filesystem::canonical(entry.path() / "device", error);
        if (!error && device.string().find("/uhid/") != std::string::npos &&
            device.filename().string().starts_with(name)) {
            return "/dev/" + entry.path().filename().string();
        }
    }
    return std::nullopt;
}

std::unique_ptr<UhidDevice> CreateUhidDevice(const test::UhidIdentity& identity,
                                             std::string& node) {
    std::string error;
    std::unique_ptr<UhidDevice> device = UhidDevice::Create(identity, error);
    EXPECT_NE(device, nullptr) << identity.name << ": " << error;
    const bool appeared = device != nullptr && Eventually([&] {
                              const auto found = UhidNodeOf(identity.vendorId, identity.productId);
                              node = found.value_or("");
                              return found.has_value();
                          });
    EXPECT_TRUE(appeared) << "the kernel made no hidraw node for " << identity.name;
    return appeared ? std::move(device) : nullptr;
}

// What udev recorded about a device node.
struct UdevRecord {
    std::string sysPath;
    bool initialized = false;
    std::set<std::string> tags;
    std::string userWants;  // SYSTEMD_USER_WANTS
};

std::optional<UdevRecord> UdevRecordOf(const std::string& node) {
    struct stat status {};
    if (::stat(node.c_str(), &status) != 0) {
        return std::nullopt;
    }
    const std::unique_ptr<udev, decltype(&udev_unref)> context(udev_new(), udev_unref);
    if (context == nullptr) {
        return std::nullopt;
    }
    const std::unique_ptr<udev_device, decltype(&udev_device_unref)> device(
        udev_device_new_from_devnum(context.get(), 'c', status.st_rdev), udev_device_unref);
    if (device == nullptr) {
        return std::nullopt;
    }
    UdevRecord record;
    record.sysPath = udev_device_get_syspath(device.get());
    record.initialized = udev_device_get_is_initialized(device.get()) > 0;
    udev_list_entry* tag = nullptr;
    udev_list_entry_foreach(tag, udev_device_get_tags_list_entry(device.get())) {
        record.tags.insert(udev_list_entry_get_name(tag));
    }
    if (const char* wants = udev_device_get_property_value(device.get(), "SYSTEMD_USER_WANTS")) {
        record.userWants = wants;
    }
    return record;
}

// Runs a shell command and gives its output with standard error, or nullopt
// when it could not be started.
std::optional<std::string> CommandOutput(const std::string& command) {
    const std::unique_ptr<FILE, decltype(&pclose)> pipe(::popen((command + " 2>&1").c_str(), "r"),
                                                        pclose);
    if (pipe == nullptr) {
        return std::nullopt;
    }
    std::string output;
    std::array<char, 4096> buffer{};
    while (const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), pipe.get())) {
        output.append(buffer.data(), got);
    }
    return output;
}

TEST(KernelUsbMouseTest, TheUdevRuleTagsTheUsbMouseOnly) {
    std::string keyboardNode;
    const auto keyboard = CreateUhidDevice(
        {"Pelmar test keyboard", kOtherVendorId, kOtherProductId, kKeyboardDescriptor},
        keyboardNode);
    ASSERT_NE(keyboard, nullptr);
    std::string uhidMouseNode;
    const auto uhidMouse =
        CreateUhidDevice({"Pelmar test mouse", VirtualMouse::kVendorId, VirtualMouse::kProductId,
                          VirtualMouse::ReportDescriptor()},
                         uhidMouseNode);
    ASSERT_NE(uhidMouse, nullptr);
    std::string usbMouseNode;
    const auto usbMouse = PlugInUsbMouse(usbMouseNode);
    ASSERT_NE(usbMouse, nullptr);
    ASSERT_EQ(std::system("udevadm settle --timeout=60"), 0) << "udev did not settle";

    struct Case {
        std::string what;
        std::string node;
        bool ours;
    };
    const std::string service = UserServiceName(ModelA());
    for (const Case& c : {Case{"the USB mouse", usbMouseNode, true},
                          Case{"the uhid mouse, without a USB parent", uhidMouseNode, false},
                          Case{"the uhid keyboard", keyboardNode, false}}) {
        SCOPED_TRACE(c.what + " at " + c.node);
        const std::optional<UdevRecord> record = UdevRecordOf(c.node);
        ASSERT_TRUE(record.has_value()) << "libudev knows no device of the node";
        ASSERT_TRUE(record->initialized) << "udev has not handled the node";
        EXPECT_EQ(record->tags.contains("uaccess"), c.ours);
        EXPECT_EQ(record->tags.contains("systemd"), c.ours);
        EXPECT_EQ(record->userWants, c.ours ? service : "");
    }

    // udev reads the rule without a complaint: each would begin with the
    // file's name and the line's number.
    const std::optional<UdevRecord> usb = UdevRecordOf(usbMouseNode);
    ASSERT_TRUE(usb.has_value());
    const std::optional<std::string> output = CommandOutput("udevadm test " + usb->sysPath);
    ASSERT_TRUE(output.has_value()) << "udevadm test did not run";
    EXPECT_NE(output->find("Reading rules file: " + kRulesFile), std::string::npos) << *output;
    std::istringstream lines(*output);
    for (std::string line; std::getline(lines, line);) {
        EXPECT_FALSE(line.starts_with(kRulesFile + ":")) << line;
    }
}

// What a user other than root finds of the mouse.
struct NobodysView {
    bool dropped = false;
    std::size_t interfaces = 0;
    std::size_t denied = 0;
    bool discoveryDenied = false;
    bool opened = false;
};

// Enumerates the interfaces of node and looks for the mouse as this process's user.
NobodysView ViewOf(const std::string& node) {
    std::set<std::string> paths;
    for (std::size_t i = 0; i < kInterfacesOfTheMouse; ++i) {
        paths.insert(CollectionPath(node, i));
    }
    NobodysView view;
    HidrawBackend backend;
    for (const std::optional<HidInterfaceInfo>& info : backend.Enumerate()) {
        if (info.has_value() && paths.contains(info->path)) {
            ++view.interfaces;
            view.denied += info->accessDenied ? 1 : 0;
        }
    }
    SharedState state;
    const Discovery discovery = FindDevice(state, backend, {});
    view.discoveryDenied = discovery.accessDenied;
    view.opened = state.readHandle.load() != nullptr || state.writeHandle.load() != nullptr;
    return view;
}

// ViewOf(node) in a child process that runs as nobody.
std::optional<NobodysView> ViewOfNobody(const std::string& node) {
    std::array<int, 2> pipe{};
    if (::pipe(pipe.data()) != 0) {
        return std::nullopt;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe[0]);
        NobodysView view;
        view.dropped = ::setgroups(0, nullptr) == 0 &&
                       ::setresgid(kNogroup, kNogroup, kNogroup) == 0 &&
                       ::setresuid(kNobody, kNobody, kNobody) == 0;
        if (view.dropped) {
            view = ViewOf(node);
            view.dropped = true;
        }
        const bool written = ::write(pipe[1], &view, sizeof view) == sizeof view;
        ::_exit(written ? 0 : 1);
    }
    ::close(pipe[1]);
    NobodysView view;
    const bool read = child > 0 && ::read(pipe[0], &view, sizeof view) == sizeof view;
    ::close(pipe[0]);
    int status = 0;
    const bool ended = child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
                       WEXITSTATUS(status) == 0;
    return read && ended ? std::optional(view) : std::nullopt;
}

TEST(KernelUsbMouseTest, AnotherUserIsToldThatTheNodeIsNotTheirs) {
    std::string node;
    const auto mouse = PlugInUsbMouse(node);
    ASSERT_NE(mouse, nullptr);
    ASSERT_EQ(std::system("udevadm settle --timeout=60"), 0) << "udev did not settle";
    ASSERT_EQ(::chown(node.c_str(), 0, 0), 0);
    ASSERT_EQ(::chmod(node.c_str(), 0600), 0);

    const NobodysView root = ViewOf(node);
    EXPECT_EQ(root.interfaces, kInterfacesOfTheMouse);
    EXPECT_EQ(root.denied, 0U);
    EXPECT_FALSE(root.discoveryDenied);
    EXPECT_TRUE(root.opened);

    const std::optional<NobodysView> nobody = ViewOfNobody(node);
    ASSERT_TRUE(nobody.has_value()) << "the child process failed";
    ASSERT_TRUE(nobody->dropped) << "the child could not become nobody";
    EXPECT_EQ(nobody->interfaces, kInterfacesOfTheMouse);
    EXPECT_EQ(nobody->denied, kInterfacesOfTheMouse);
    EXPECT_TRUE(nobody->discoveryDenied);
    EXPECT_FALSE(nobody->opened);
}

}  // namespace
}  // namespace pelmar
