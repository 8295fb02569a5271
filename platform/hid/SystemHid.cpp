#include "platform/hid/SystemHid.h"

#include "platform/hid/CombinedHidBackend.h"
#include "platform/hid/HidrawBackend.h"
#include "platform/hid/VirtualMouseBackend.h"
#include "platform/hid/VirtualMouseControl.h"

namespace pelmar {

namespace {

struct SystemHidLayer {
    CombinedHidBackend backend;
    std::shared_ptr<VirtualMouse> mouse;
    std::unique_ptr<VirtualMouseControl> control;
    bool configured = false;
};

SystemHidLayer& Layer() {
    static SystemHidLayer layer;
    return layer;
}

}  // namespace

std::string ConfigureSystemHid(const VirtualMouseOptions& options) {
    SystemHidLayer& layer = Layer();
    if (layer.configured) {
        return {};
    }
    layer.configured = true;
    layer.backend.Add(std::make_shared<HidrawBackend>());
    if (!options.enabled) {
        return {};
    }
    layer.mouse = std::make_shared<VirtualMouse>(options.logPath);
    layer.backend.Add(std::make_shared<VirtualMouseBackend>(layer.mouse));
    std::string error;
    if (!options.controlPath.empty()) {
        layer.control = VirtualMouseControl::Start(layer.mouse, options.controlPath, &error);
    }
    return error;
}

HidBackend& SystemHid() {
    SystemHidLayer& layer = Layer();
    if (!layer.configured) {
        static_cast<void>(ConfigureSystemHid({}));
    }
    return layer.backend;
}

std::shared_ptr<VirtualMouse> SystemVirtualMouse() {
    return Layer().mouse;
}

}  // namespace pelmar
