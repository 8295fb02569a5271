#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/hid/HidBackend.h"

namespace pelmar {

// Several backends as one: their interfaces one after another, in the order
// the backends were added.
class CombinedHidBackend final : public HidBackend {
  public:
    void Add(std::shared_ptr<HidBackend> backend);

    HidInterfaceList Enumerate() override;
    // Opens through the backend that listed the path in the last enumeration.
    std::shared_ptr<HidDevice> Open(const std::string& path, HidAccess access) override;
    std::unique_ptr<DeviceWatch> WatchDevices(DeviceChangeCallback onChange) override;

  private:
    std::mutex mutex_;
    std::vector<std::shared_ptr<HidBackend>> backends_;
    std::map<std::string, HidBackend*> owners_;
};

}  // namespace pelmar
