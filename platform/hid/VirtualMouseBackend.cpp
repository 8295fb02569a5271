#include "platform/hid/VirtualMouseBackend.h"

#include <algorithm>

#include "platform/hid/HidrawBackend.h"
#include "platform/hid/ReportDescriptor.h"

namespace pelmar {

namespace {

constexpr std::uint16_t kVendorInputUsagePage = 0xFF00;

// One opened collection of the virtual mouse. Only the vendor input
// collection receives reports and only the vendor feature collection takes
// feature reports.
class VirtualMouseDevice final : public HidDevice {
  public:
    VirtualMouseDevice(std::shared_ptr<VirtualMouse> mouse,
                       std::shared_ptr<VirtualInputQueue> input, bool takesFeatures)
        : mouse_(std::move(mouse)), input_(std::move(input)), takesFeatures_(takesFeatures) {}

    ReadResult Read(std::span<std::uint8_t> buffer) override { return input_->Pop(buffer); }
    void Wake() override { input_->Wake(); }
    bool SendFeature(std::span<const std::uint8_t> report) override {
        return takesFeatures_ && mouse_->TakeFeature(report);
    }

  private:
    std::shared_ptr<VirtualMouse> mouse_;
    std::shared_ptr<VirtualInputQueue> input_;
    bool takesFeatures_;
};

class VirtualMouseWatch final : public DeviceWatch {
  public:
    VirtualMouseWatch(std::shared_ptr<VirtualMouse> mouse, int watch)
        : mouse_(std::move(mouse)), watch_(watch) {}
    ~VirtualMouseWatch() override { mouse_->Unwatch(watch_); }
    VirtualMouseWatch(const VirtualMouseWatch&) = delete;
    VirtualMouseWatch& operator=(const VirtualMouseWatch&) = delete;

  private:
    std::shared_ptr<VirtualMouse> mouse_;
    int watch_;
};

}  // namespace

VirtualMouseBackend::VirtualMouseBackend(std::shared_ptr<VirtualMouse> mouse)
    : mouse_(std::move(mouse)) {
    const ReportDescriptor descriptor = ParseReportDescriptor(VirtualMouse::ReportDescriptor());
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < descriptor.collections.size(); ++i) {
        const std::string path = CollectionPath(std::string(kNodePath), i);
        interfaces_.push_back({path,
                               HidAttributes{VirtualMouse::kVendorId, VirtualMouse::kProductId},
                               descriptor.collections[i].caps});
        paths.push_back(path);
    }
    mouse_->SetInterfacePaths(std::move(paths));
}

HidInterfaceList VirtualMouseBackend::Enumerate() {
    if (!mouse_->Plugged()) {
        return {};
    }
    return HidInterfaceList(interfaces_.begin(), interfaces_.end());
}

std::shared_ptr<HidDevice> VirtualMouseBackend::Open(const std::string& path, HidAccess) {
    const auto found =
        std::find_if(interfaces_.begin(), interfaces_.end(),
                     [&](const HidInterfaceInfo& info) { return info.path == path; });
    if (found == interfaces_.end() || !mouse_->Plugged()) {
        return nullptr;
    }
    const HidCaps& caps = *found->caps;
    // Only the vendor input collection receives the mouse's reports; a read
    // on another collection waits for a wake-up or the unplug.
    return std::make_shared<VirtualMouseDevice>(
        mouse_, mouse_->OpenQueue(caps.usagePage == kVendorInputUsagePage),
        caps.featureReportByteLength > 0);
}

std::unique_ptr<DeviceWatch> VirtualMouseBackend::WatchDevices(DeviceChangeCallback onChange) {
    return std::make_unique<VirtualMouseWatch>(mouse_, mouse_->Watch(std::move(onChange)));
}

}  // namespace pelmar
