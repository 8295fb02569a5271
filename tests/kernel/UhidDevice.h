#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "platform/hid/EventFd.h"
#include "platform/hid/FileDescriptor.h"

namespace pelmar::test {

// What the kernel is told about a device created through /dev/uhid.
struct UhidIdentity {
    std::string name;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::span<const std::uint8_t> reportDescriptor;
};

// A feature report the kernel asked the device to take: the report number and
// the bytes as the host sent them, identifier byte included.
struct TakenFeature {
    std::uint8_t reportNumber = 0;
    std::vector<std::uint8_t> bytes;
};

// A HID device of our own, created in the kernel through /dev/uhid. A thread
// answers the kernel's requests as a device would: every feature report set
// is recorded and acknowledged, every report read is refused.
class UhidDevice {
  public:
    // Creates the device on the USB bus; nullptr and an error text when the
    // kernel refuses.
    [[nodiscard]] static std::unique_ptr<UhidDevice> Create(const UhidIdentity& identity,
                                                            std::string& error);
    ~UhidDevice();
    UhidDevice(const UhidDevice&) = delete;
    UhidDevice& operator=(const UhidDevice&) = delete;

    // Hands the kernel an input report, identifier byte first.
    [[nodiscard]] bool SendInput(std::span<const std::uint8_t> report);
    // Unplugs the device; true when the kernel took the request.
    [[nodiscard]] bool Destroy();

    // Waits until at least count feature reports were taken, at most timeout.
    [[nodiscard]] bool AwaitFeatures(std::size_t count, std::chrono::milliseconds timeout);
    [[nodiscard]] std::vector<TakenFeature> Features() const;
    // Whether a host program holds the device open.
    [[nodiscard]] bool Opened() const;

    UhidDevice(FileDescriptor fd, EventFd stop);

  private:
    void Run();
    bool Write(const void* event, std::size_t size);

    FileDescriptor fd_;
    EventFd stop_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<TakenFeature> features_;
    int opens_ = 0;
    bool destroyed_ = false;
    std::thread thread_;
};

}  // namespace pelmar::test
