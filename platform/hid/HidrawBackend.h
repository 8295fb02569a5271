#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/hid/HidBackend.h"
#include "platform/hid/HidrawDevice.h"

namespace pelmar {

// The kernel's hidraw nodes: one interface per top-level collection of each
// node, found through sysfs. The roots are configurable so that tests run on
// a fake tree.
class HidrawBackend final : public HidBackend {
  public:
    explicit HidrawBackend(std::filesystem::path sysfsRoot = "/sys",
                           std::filesystem::path deviceRoot = "/dev");

    // Nodes in number order, each node's collections in descriptor order.
    HidInterfaceList Enumerate() override;
    std::shared_ptr<HidDevice> Open(const std::string& path, HidAccess access) override;
    // Watches the hidraw subsystem through a udev monitor; the backend must
    // outlive the watch.
    std::unique_ptr<DeviceWatch> WatchDevices(DeviceChangeCallback onChange) override;

    // The interfaces of one node ("hidraw3"); one entry without identifiers or
    // capabilities when its sysfs attributes cannot be read.
    [[nodiscard]] std::vector<HidInterfaceInfo> InterfacesOf(const std::string& node) const;

  private:
    [[nodiscard]] std::vector<std::string> NodeNames() const;

    std::filesystem::path sysfsRoot_;
    std::filesystem::path deviceRoot_;
};

// Interface path of collection `index` (0-based) of a node path.
std::string CollectionPath(const std::string& nodePath, std::size_t index);

}  // namespace pelmar
