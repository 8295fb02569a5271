#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace pelmar::test {

// What the USB host is told about a gadget's HID function.
struct UsbGadgetIdentity {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::span<const std::uint8_t> reportDescriptor;
    std::size_t reportLength = 0;
};

// A USB HID device made through configfs on the dummy host controller, which
// the kernel enumerates on its USB bus like a plugged-in device: usbhid binds
// it and gives it a hidraw node with a USB device as parent.
class UsbGadget {
  public:
    // Builds the gadget and plugs it in; nullptr and an error text when the
    // kernel refuses a step.
    [[nodiscard]] static std::unique_ptr<UsbGadget> Create(const UsbGadgetIdentity& identity,
                                                           std::string& error);
    // Unplugs the gadget, waits for its hidraw node to go and takes it apart.
    ~UsbGadget();
    UsbGadget(const UsbGadget&) = delete;
    UsbGadget& operator=(const UsbGadget&) = delete;

    // The gadget's hidraw node as the host sees it ("/dev/hidraw2") once it
    // has appeared, waiting for it.
    [[nodiscard]] std::optional<std::string> AwaitHidrawNode() const;

    explicit UsbGadget(std::filesystem::path root);

  private:
    std::filesystem::path root_;
};

}  // namespace pelmar::test
