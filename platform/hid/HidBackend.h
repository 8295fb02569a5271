#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/hid/DeviceChange.h"
#include "platform/hid/HidCaps.h"
#include "platform/hid/HidDevice.h"

namespace pelmar {

struct HidAttributes {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
};

// One HID interface: one top-level collection of a device. What could not be
// read about it is left empty.
struct HidInterfaceInfo {
    std::string path;
    std::optional<HidAttributes> attributes;
    std::optional<HidCaps> caps;
    // The interface's device node exists but this user may not read and
    // write it.
    bool accessDenied = false;
};

// The interfaces in enumeration order; an empty slot is an index whose
// enumeration failed.
using HidInterfaceList = std::vector<std::optional<HidInterfaceInfo>>;

enum class HidAccess : std::uint8_t { Read, Write };

// Ends a removal watch when destroyed.
class DeviceWatch {
  public:
    virtual ~DeviceWatch() = default;
};

// A source of HID interfaces.
class HidBackend {
  public:
    virtual ~HidBackend() = default;

    [[nodiscard]] virtual HidInterfaceList Enumerate() = 0;

    // Opens an enumerated interface, or gives nullptr when it cannot be opened.
    [[nodiscard]] virtual std::shared_ptr<HidDevice> Open(const std::string& path,
                                                          HidAccess access) = 0;

    // Calls onChange for every interface of this backend that arrives or is
    // removed, from a thread of the backend, until the watch is destroyed.
    [[nodiscard]] virtual std::unique_ptr<DeviceWatch> WatchDevices(
        DeviceChangeCallback onChange) = 0;
};

}  // namespace pelmar
