#pragma once

#include <memory>
#include <string>

#include "platform/hid/HidBackend.h"
#include "platform/hid/VirtualMouse.h"

namespace pelmar {

// Lists the virtual mouse's collections as interfaces, as long as it is
// plugged in, and opens them.
class VirtualMouseBackend final : public HidBackend {
  public:
    explicit VirtualMouseBackend(std::shared_ptr<VirtualMouse> mouse);

    HidInterfaceList Enumerate() override;
    std::shared_ptr<HidDevice> Open(const std::string& path, HidAccess access) override;
    // Reports the mouse's unplug.
    std::unique_ptr<DeviceWatch> WatchDevices(DeviceChangeCallback onChange) override;

    static constexpr std::string_view kNodePath = "virtual-mouse";

  private:
    std::shared_ptr<VirtualMouse> mouse_;
    std::vector<HidInterfaceInfo> interfaces_;
};

}  // namespace pelmar
