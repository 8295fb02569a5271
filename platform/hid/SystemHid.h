#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "platform/hid/HidBackend.h"
#include "platform/hid/VirtualMouse.h"

namespace pelmar {

struct VirtualMouseOptions {
    bool enabled = false;
    std::filesystem::path logPath;      // empty: no log
    std::filesystem::path controlPath;  // empty: no control pipe
};

// Chooses the process's HID layer: the hidraw devices, followed by a virtual
// mouse when enabled. Call once at start-up, before SystemHid(). Gives an
// error text when the virtual mouse's control pipe cannot be set up (the
// mouse itself still works).
[[nodiscard]] std::string ConfigureSystemHid(const VirtualMouseOptions& options);

// The HID layer chosen by ConfigureSystemHid (the hidraw devices alone when
// it was not called).
HidBackend& SystemHid();

// The process's virtual mouse, or nullptr when none is enabled.
std::shared_ptr<VirtualMouse> SystemVirtualMouse();

}  // namespace pelmar
