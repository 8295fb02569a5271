#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/hid/HidBackend.h"

namespace pelmar::test {

// A HID collection that records the feature reports sent to it and hands out
// the input reports a test queues.
class FakeHidDevice final : public HidDevice {
  public:
    ReadResult Read(std::span<std::uint8_t> buffer) override {
        std::unique_lock lock(mutex_);
        ++reads_;
        changed_.notify_all();
        changed_.wait(lock, [this] { return woken_ || failed_ || !inputs_.empty(); });
        if (woken_) {
            woken_ = false;
            return {ReadStatus::Woken, 0};
        }
        if (failed_) {
            return {ReadStatus::Failed, 0};
        }
        const std::vector<std::uint8_t> report = std::move(inputs_.front());
        inputs_.pop_front();
        const std::size_t size = std::min(report.size(), buffer.size());
        std::copy_n(report.begin(), size, buffer.begin());
        return {ReadStatus::Report, size};
    }
    void Wake() override {
        const std::lock_guard lock(mutex_);
        woken_ = true;
        changed_.notify_all();
    }
    bool SendFeature(std::span<const std::uint8_t> report) override {
        const std::lock_guard lock(mutex_);
        features_.emplace_back(report.begin(), report.end());
        return true;
    }

    void QueueInput(std::vector<std::uint8_t> report) {
        const std::lock_guard lock(mutex_);
        inputs_.push_back(std::move(report));
        changed_.notify_all();
    }
    // Every read fails from now on, as on a removed device.
    void Fail() {
        const std::lock_guard lock(mutex_);
        failed_ = true;
        changed_.notify_all();
    }
    // Waits until `count` reads have begun and the queue is empty, that is
    // until everything queued was read and the reader is waiting again.
    void AwaitReads(int count) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return reads_ >= count && inputs_.empty(); });
    }
    std::vector<std::vector<std::uint8_t>> Features() const {
        const std::lock_guard lock(mutex_);
        return features_;
    }

  private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::vector<std::uint8_t>> inputs_;
    std::vector<std::vector<std::uint8_t>> features_;
    int reads_ = 0;
    bool woken_ = false;
    bool failed_ = false;
};

// A fixed interface list. Open gives the device registered for a path (or
// nullptr) and records the call; onOpen runs first, to look at the state at
// that moment.
class FakeHidBackend final : public HidBackend {
  public:
    struct Opened {
        std::string path;
        HidAccess access;
    };

    HidInterfaceList interfaces;
    std::map<std::string, std::shared_ptr<HidDevice>> devices;
    std::function<void(const std::string& path, HidAccess access)> onOpen;
    std::vector<Opened> opened;
    std::vector<DeviceChangeCallback> watchers;

    HidInterfaceList Enumerate() override { return interfaces; }
    std::shared_ptr<HidDevice> Open(const std::string& path, HidAccess access) override {
        if (onOpen) {
            onOpen(path, access);
        }
        opened.push_back({path, access});
        const auto found = devices.find(path);
        return found != devices.end() ? found->second : nullptr;
    }
    std::unique_ptr<DeviceWatch> WatchDevices(DeviceChangeCallback onChange) override {
        watchers.push_back(std::move(onChange));
        return std::make_unique<DeviceWatch>();
    }
};

}  // namespace pelmar::test
