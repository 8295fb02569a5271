#include "device/Discovery.h"

#include <algorithm>
#include <cctype>
#include <mutex>

namespace pelmar {

namespace {

bool IsCollection(const HidCaps& caps, std::uint16_t usagePage) {
    return caps.usagePage == usagePage && caps.usage == kVendorCollectionUsage;
}

bool IsMouse(const HidAttributes& attributes) {
    return attributes.vendorId == SharedState::vendorId &&
           attributes.productId == SharedState::productId;
}

}  // namespace

Discovery FindDevice(SharedState& state, HidBackend& backend, DeviceChangeCallback onDeviceChange) {
    const HidInterfaceList interfaces = backend.Enumerate();
    Discovery discovery;
    bool readOpened = false;
    bool writeOpened = false;
    const std::size_t count = std::min(interfaces.size(), kDiscoveryIndices);
    for (std::size_t index = 0; index < count; ++index) {
        if (!interfaces[index].has_value()) {
            continue;
        }
        const HidInterfaceInfo& info = *interfaces[index];
        discovery.found = 0;
        if (!info.attributes.has_value() || !info.caps.has_value() || !IsMouse(*info.attributes)) {
            continue;
        }
        discovery.found = 1;
        state.devicePath = info.path;
        if (discovery.watch == nullptr) {
            discovery.watch = backend.WatchDevices(onDeviceChange);
        }
        const HidCaps& caps = *info.caps;
        if (IsCollection(caps, kInputCollectionUsagePage)) {
            // The listener is already polling readHandle and takes the report
            // length from readCaps once it sees the handle.
            state.readCaps = caps;
            std::shared_ptr<HidDevice> device = backend.Open(info.path, HidAccess::Read);
            discovery.accessDenied |= device == nullptr && info.accessDenied;
            state.readHandle.store(std::move(device));
            readOpened = true;
        }
        if (IsCollection(caps, kFeatureCollectionUsagePage)) {
            const std::lock_guard lock(state.reportMutex);
            state.writeCaps = caps;
            std::shared_ptr<HidDevice> device = backend.Open(info.path, HidAccess::Write);
            discovery.accessDenied |= device == nullptr && info.accessDenied;
            state.writeHandle.store(std::move(device));
            writeOpened = true;
        }
        if (readOpened && writeOpened) {
            break;
        }
    }
    return discovery;
}

bool IsOurDeviceNotification(const DeviceChangeNotification& notification,
                             const std::string& devicePath) {
    const std::string& name = notification.interfacePath;
    return notification.kind == DeviceChangeKind::Interface && name.size() == devicePath.size() &&
           std::equal(name.begin(), name.end(), devicePath.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

}  // namespace pelmar
