#include "platform/hid/UdevWatch.h"

#include <libudev.h>
#include <poll.h>

#include <array>
#include <cerrno>
#include <thread>
#include <utility>

#include "platform/hid/EventFd.h"

namespace pelmar {

HidrawRemovalTracker::HidrawRemovalTracker(InterfacePaths interfacePaths,
                                           DeviceChangeCallback onChange)
    : interfacePaths_(std::move(interfacePaths)), onChange_(std::move(onChange)) {}

void HidrawRemovalTracker::Remember(const std::string& node) {
    known_[node] = interfacePaths_(node);
}

void HidrawRemovalTracker::OnEvent(HidrawEvent event, const std::string& node) {
    switch (event) {
        case HidrawEvent::Add:
            Remember(node);
            Notify(DeviceChangeEvent::Arrival, known_[node]);
            break;
        case HidrawEvent::Remove:
            if (const auto known = known_.find(node); known != known_.end()) {
                const std::vector<std::string> paths = std::move(known->second);
                known_.erase(known);
                Notify(DeviceChangeEvent::RemoveComplete, paths);
            }
            break;
    }
}

void HidrawRemovalTracker::Notify(DeviceChangeEvent event,
                                  const std::vector<std::string>& paths) const {
    for (const std::string& path : paths) {
        onChange_({event, DeviceChangeKind::Interface, path});
    }
}

UdevMonitor::UdevMonitor(struct udev* context, udev_monitor* monitor)
    : context_(context), monitor_(monitor) {}

UdevMonitor::~UdevMonitor() {
    Reset();
}

UdevMonitor::UdevMonitor(UdevMonitor&& other) noexcept
    : context_(std::exchange(other.context_, nullptr)),
      monitor_(std::exchange(other.monitor_, nullptr)) {}

UdevMonitor& UdevMonitor::operator=(UdevMonitor&& other) noexcept {
    if (this != &other) {
        Reset();
        context_ = std::exchange(other.context_, nullptr);
        monitor_ = std::exchange(other.monitor_, nullptr);
    }
    return *this;
}

void UdevMonitor::Reset() {
    if (monitor_ != nullptr) {
        udev_monitor_unref(monitor_);
        monitor_ = nullptr;
    }
    if (context_ != nullptr) {
        udev_unref(context_);
        context_ = nullptr;
    }
}

std::optional<UdevMonitor> UdevMonitor::Open(const std::string& subsystem) {
    struct udev* context = udev_new();
    if (context == nullptr) {
        return std::nullopt;
    }
    udev_monitor* monitor = udev_monitor_new_from_netlink(context, "udev");
    UdevMonitor owner(context, monitor);
    if (monitor == nullptr ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor, subsystem.c_str(), nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor) < 0) {
        return std::nullopt;
    }
    return owner;
}

int UdevMonitor::fd() const {
    return udev_monitor_get_fd(monitor_);
}

std::optional<UdevEvent> UdevMonitor::Receive() {
    udev_device* device = udev_monitor_receive_device(monitor_);
    if (device == nullptr) {
        return std::nullopt;
    }
    const char* action = udev_device_get_action(device);
    const char* name = udev_device_get_sysname(device);
    UdevEvent event{action != nullptr ? action : "", name != nullptr ? name : ""};
    udev_device_unref(device);
    return event;
}

namespace {

constexpr std::string_view kAddAction = "add";
constexpr std::string_view kRemoveAction = "remove";

class UdevDeviceWatch final : public DeviceWatch {
  public:
    UdevDeviceWatch(UdevMonitor monitor, EventFd stop, HidrawRemovalTracker tracker)
        : monitor_(std::move(monitor)), stop_(std::move(stop)), tracker_(std::move(tracker)) {
        thread_ = std::thread([this] { Run(); });
    }
    ~UdevDeviceWatch() override {
        stop_.Signal();
        thread_.join();
    }
    UdevDeviceWatch(const UdevDeviceWatch&) = delete;
    UdevDeviceWatch& operator=(const UdevDeviceWatch&) = delete;

  private:
    void Run() {
        for (;;) {
            std::array<pollfd, 2> waits{pollfd{monitor_.fd(), POLLIN, 0},
                                        pollfd{stop_.fd(), POLLIN, 0}};
            if (::poll(waits.data(), waits.size(), -1) < 0 && errno != EINTR) {
                return;
            }
            if ((waits[1].revents & POLLIN) != 0) {
                return;
            }
            while (const std::optional<UdevEvent> event = monitor_.Receive()) {
                if (event->action == kAddAction) {
                    tracker_.OnEvent(HidrawEvent::Add, event->node);
                } else if (event->action == kRemoveAction) {
                    tracker_.OnEvent(HidrawEvent::Remove, event->node);
                }
            }
        }
    }

    UdevMonitor monitor_;
    EventFd stop_;
    HidrawRemovalTracker tracker_;
    std::thread thread_;
};

class InertWatch final : public DeviceWatch {};

}  // namespace

std::unique_ptr<DeviceWatch> StartUdevWatch(HidrawRemovalTracker tracker) {
    std::optional<UdevMonitor> monitor = UdevMonitor::Open("hidraw");
    std::optional<EventFd> stop = EventFd::Create();
    if (!monitor.has_value() || !stop.has_value()) {
        return std::make_unique<InertWatch>();
    }
    return std::make_unique<UdevDeviceWatch>(std::move(*monitor), std::move(*stop),
                                             std::move(tracker));
}

}  // namespace pelmar
