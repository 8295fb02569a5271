#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/hid/DeviceChange.h"
#include "platform/hid/HidBackend.h"

struct udev;
struct udev_monitor;

namespace pelmar {

enum class HidrawEvent : std::uint8_t { Add, Remove };

// Turns hidraw node events into interface notifications, one per collection
// of the node. The interfaces of a node are learnt while it is present,
// because its sysfs entry is gone by the time it is removed.
class HidrawRemovalTracker {
  public:
    using InterfacePaths = std::function<std::vector<std::string>(const std::string& node)>;

    HidrawRemovalTracker(InterfacePaths interfacePaths, DeviceChangeCallback onChange);

    // Learns the interfaces of a node that is already present, silently.
    void Remember(const std::string& node);
    // node is the node's name, for example "hidraw3".
    void OnEvent(HidrawEvent event, const std::string& node);

  private:
    void Notify(DeviceChangeEvent event, const std::vector<std::string>& paths) const;

    InterfacePaths interfacePaths_;
    DeviceChangeCallback onChange_;
    std::map<std::string, std::vector<std::string>> known_;
};

struct UdevEvent {
    std::string action;  // "add", "remove", ...
    std::string node;    // the node's name
};

// A udev monitor of one subsystem; move-only.
class UdevMonitor {
  public:
    // Nothing when the monitor cannot be created.
    [[nodiscard]] static std::optional<UdevMonitor> Open(const std::string& subsystem);
    ~UdevMonitor();
    UdevMonitor(UdevMonitor&& other) noexcept;
    UdevMonitor& operator=(UdevMonitor&& other) noexcept;
    UdevMonitor(const UdevMonitor&) = delete;
    UdevMonitor& operator=(const UdevMonitor&) = delete;

    [[nodiscard]] int fd() const;
    // The next pending event, or nothing when none is pending.
    [[nodiscard]] std::optional<UdevEvent> Receive();

  private:
    UdevMonitor(struct udev* context, udev_monitor* monitor);
    void Reset();

    struct udev* context_ = nullptr;
    udev_monitor* monitor_ = nullptr;
};

// Feeds the hidraw events of a udev monitor into tracker on a thread of its
// own until the watch is destroyed. Without udev the watch sees nothing.
[[nodiscard]] std::unique_ptr<DeviceWatch> StartUdevWatch(HidrawRemovalTracker tracker);

}  // namespace pelmar
