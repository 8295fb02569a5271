#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/SharedState.h"
#include "platform/hid/HidBackend.h"

namespace pelmar {

// Usage page and usage of the mouse's two vendor collections.
inline constexpr std::uint16_t kInputCollectionUsagePage = 0xFF00;
inline constexpr std::uint16_t kFeatureCollectionUsagePage = 0xFF01;
inline constexpr std::uint16_t kVendorCollectionUsage = 1;
// Interfaces discovery looks at; later ones are never examined.
inline constexpr std::size_t kDiscoveryIndices = 100;

struct Discovery {
    // 1 when both vendor collections were opened, else whether the last
    // interface that could be enumerated carried the mouse's identifiers.
    std::uint8_t found = 0;
    // A vendor collection of the mouse could not be opened because this user
    // lacks the permission to read and write its device node.
    bool accessDenied = false;
    // Watches for device changes from the first matching interface on; keep
    // it as long as the window that handles removal.
    std::unique_ptr<DeviceWatch> watch;
};

// Looks for the mouse at enumeration indices 0 to 99 of backend. Stores in
// state the path of the last interface with the mouse's identifiers, the
// capabilities and handles of the input collection (capabilities first) and
// of the feature collection, and stops once both were opened (an open that
// failed counts). The first matching interface starts a device watch that
// calls onDeviceChange. An interface whose identifiers or capabilities
// cannot be read does not match.
[[nodiscard]] Discovery FindDevice(SharedState& state, HidBackend& backend,
                                   DeviceChangeCallback onDeviceChange);

// True for an interface notification about devicePath, compared without
// regard to letter case.
bool IsOurDeviceNotification(const DeviceChangeNotification& notification,
                             const std::string& devicePath);

}  // namespace pelmar
