#pragma once

#include <memory>
#include <mutex>

namespace pelmar {

class HidDevice;

// A device handle that one thread publishes while other threads read it.
// Publishing happens-before every load that sees the new device, so what the
// publisher stored before (the capabilities) is visible with it.
class HidHandle {
  public:
    [[nodiscard]] std::shared_ptr<HidDevice> load() const {
        const std::lock_guard lock(mutex_);
        return device_;
    }
    void store(std::shared_ptr<HidDevice> device) {
        const std::lock_guard lock(mutex_);
        device_ = std::move(device);
    }
    HidHandle& operator=(std::shared_ptr<HidDevice> device) {
        store(std::move(device));
        return *this;
    }

  private:
    mutable std::mutex mutex_;
    std::shared_ptr<HidDevice> device_;
};

}  // namespace pelmar
