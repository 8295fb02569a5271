#include "platform/hid/CombinedHidBackend.h"

namespace pelmar {

namespace {

class WatchGroup final : public DeviceWatch {
  public:
    explicit WatchGroup(std::vector<std::unique_ptr<DeviceWatch>> watches)
        : watches_(std::move(watches)) {}

  private:
    std::vector<std::unique_ptr<DeviceWatch>> watches_;
};

}  // namespace

void CombinedHidBackend::Add(std::shared_ptr<HidBackend> backend) {
    const std::lock_guard lock(mutex_);
    backends_.push_back(std::move(backend));
}

HidInterfaceList CombinedHidBackend::Enumerate() {
    const std::lock_guard lock(mutex_);
    HidInterfaceList all;
    owners_.clear();
    for (const std::shared_ptr<HidBackend>& backend : backends_) {
        for (std::optional<HidInterfaceInfo>& info : backend->Enumerate()) {
            if (info.has_value()) {
                owners_[info->path] = backend.get();
            }
            all.push_back(std::move(info));
        }
    }
    return all;
}

std::shared_ptr<HidDevice> CombinedHidBackend::Open(const std::string& path, HidAccess access) {
    HidBackend* owner = nullptr;
    {
        const std::lock_guard lock(mutex_);
        const auto found = owners_.find(path);
        if (found == owners_.end()) {
            return nullptr;
        }
        owner = found->second;
    }
    return owner->Open(path, access);
}

std::unique_ptr<DeviceWatch> CombinedHidBackend::WatchDevices(DeviceChangeCallback onChange) {
    const std::lock_guard lock(mutex_);
    std::vector<std::unique_ptr<DeviceWatch>> watches;
    for (const std::shared_ptr<HidBackend>& backend : backends_) {
        watches.push_back(backend->WatchDevices(onChange));
    }
    return std::make_unique<WatchGroup>(std::move(watches));
}

}  // namespace pelmar
