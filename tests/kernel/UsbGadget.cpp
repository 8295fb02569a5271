#include "tests/kernel/UsbGadget.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string_view>
#include <system_error>

#include "tests/kernel/Eventually.h"

namespace pelmar::test {

namespace {

const std::filesystem::path kGadgets = "/sys/kernel/config/usb_gadget";
const std::filesystem::path kControllers = "/sys/class/udc";
// The gadget's parts below its configfs folder.
constexpr std::string_view kFunction = "functions/hid.mouse";
constexpr std::string_view kConfiguration = "configs/c.1";
constexpr std::string_view kStrings = "strings/0x409";
constexpr std::string_view kLink = "configs/c.1/hid.mouse";
// Host controller drivers put their name in the sysfs paths of the devices on their bus.
constexpr std::string_view kHostController = "/dummy_hcd.";

// One step of making a gadget and what it does, for the error text.
struct Step {
    std::string what;
    std::function<bool()> run;
};

bool WriteBytes(const std::filesystem::path& file, std::span<const char> bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

bool WriteAttribute(const std::filesystem::path& file, std::string_view text) {
    return WriteBytes(file, std::span(text.data(), text.size()));
}

std::string Hex(std::uint16_t value) {
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), "0x%04x", value);
    return text.data();
}

// The hidraw node whose device sits on the dummy host controller's bus.
std::optional<std::string> HidrawNodeOnDummyBus() {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/sys/class/hidraw", error)) {
        const std::filesystem::path device =
            std::filesystem::canonical(entry.path() / "device", error);
        if (!error && device.string().find(kHostController) != std::string::npos) {
            return "/dev/" + entry.path().filename().string();
        }
    }
    return std::nullopt;
}

}  // namespace

UsbGadget::UsbGadget(std::filesystem::path root) : root_(std::move(root)) {}

std::unique_ptr<UsbGadget> UsbGadget::Create(const UsbGadgetIdentity& identity,
                                             std::string& error) {
    std::error_code failure;
    std::string controller;
    for (const auto& entry : std::filesystem::directory_iterator(kControllers, failure)) {
        controller = entry.path().filename().string();
        break;
    }
    if (controller.empty()) {
        error = "no USB device controller in " + kControllers.string();
        return nullptr;
    }
    const std::filesystem::path root = kGadgets / "pelmar";
    if (!std::filesystem::create_directory(root, failure)) {
        error = "cannot make " + root.string() + ": " + failure.message();
        return nullptr;
    }
    // From here on the destructor takes apart whatever was made.
    auto gadget = std::make_unique<UsbGadget>(root);
    const std::filesystem::path function = root / kFunction;
    const std::span descriptor(reinterpret_cast<const char*>(identity.reportDescriptor.data()),
                               identity.reportDescriptor.size());
    const auto makeFolder = [&](const std::filesystem::path& folder) {
        return std::filesystem::create_directories(folder, failure);
    };
    const std::array<Step, 12> steps{
        Step{"set idVendor",
             [&] { return WriteAttribute(root / "idVendor", Hex(identity.vendorId)); }},
        Step{"set idProduct",
             [&] { return WriteAttribute(root / "idProduct", Hex(identity.productId)); }},
        Step{"make the strings", [&] { return makeFolder(root / kStrings); }},
        Step{"name the product",
             [&] { return WriteAttribute(root / kStrings / "product", "Pelmar test USB mouse"); }},
        Step{"make the HID function", [&] { return makeFolder(function); }},
        Step{"set the protocol", [&] { return WriteAttribute(function / "protocol", "0"); }},
        Step{"set the subclass", [&] { return WriteAttribute(function / "subclass", "0"); }},
        Step{"set report_length",
             [&] {
                 return WriteAttribute(function / "report_length",
                                       std::to_string(identity.reportLength));
             }},
        Step{"set report_desc", [&] { return WriteBytes(function / "report_desc", descriptor); }},
        Step{"make the configuration", [&] { return makeFolder(root / kConfiguration); }},
        Step{"link the function into the configuration",
             [&] {
                 std::filesystem::create_directory_symlink(function, root / kLink, failure);
                 return !failure;
             }},
        Step{"bind the gadget to " + controller,
             [&] { return WriteAttribute(root / "UDC", controller); }},
    };
    for (const Step& step : steps) {
        if (!step.run()) {
            error = "cannot " + step.what;
            return nullptr;
        }
    }
    return gadget;
}

std::optional<std::string> UsbGadget::AwaitHidrawNode() const {
    std::optional<std::string> node;
    static_cast<void>(Eventually([&] {
        node = HidrawNodeOnDummyBus();
        return node.has_value();
    }));
    return node;
}

UsbGadget::~UsbGadget() {
    std::error_code ignored;
    if (std::filesystem::exists(root_ / "UDC", ignored)) {
        static_cast<void>(WriteAttribute(root_ / "UDC", "\n"));
        static_cast<void>(Eventually([] { return !HidrawNodeOnDummyBus().has_value(); }));
    }
    // configfs takes a gadget apart in the reverse order of its making.
    for (const std::string_view part : {kLink, kConfiguration, kFunction, kStrings}) {
        std::filesystem::remove(root_ / part, ignored);
    }
    std::filesystem::remove(root_, ignored);
}

}  // namespace pelmar::test
