#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace pelmar {

enum class DeviceChangeEvent : std::uint8_t { Arrival, RemoveComplete };

// What a device-change notification is about; the HID layer only raises
// interface notifications, the other kinds exist so that a handler can be
// shown one it must ignore.
enum class DeviceChangeKind : std::uint8_t { Interface, Volume };

struct DeviceChangeNotification {
    DeviceChangeEvent event = DeviceChangeEvent::Arrival;
    DeviceChangeKind kind = DeviceChangeKind::Interface;
    std::string interfacePath;
};

using DeviceChangeCallback = std::function<void(const DeviceChangeNotification&)>;

}  // namespace pelmar
