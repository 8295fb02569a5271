#include "platform/system/PointerSettings.h"

#include <cstdlib>
#include <string_view>

#include "platform/system/DesktopPointerSettings.h"
#include "platform/system/X11PointerSettings.h"

namespace pelmar {

void PointerSettingsChain::Add(std::unique_ptr<PointerSettingsBackend> backend) {
    backends_.push_back(std::move(backend));
}

PointerSettingsBackend* PointerSettingsChain::BackendFor(PointerSetting setting) {
    for (const std::unique_ptr<PointerSettingsBackend>& backend : backends_) {
        if (backend->Holds(setting)) {
            return backend.get();
        }
    }
    return nullptr;
}

std::optional<int> PointerSettingsChain::Get(PointerSetting setting) {
    PointerSettingsBackend* backend = BackendFor(setting);
    return backend != nullptr ? backend->Get(setting) : std::nullopt;
}

SettingResult PointerSettingsChain::Set(PointerSetting setting, int value) {
    PointerSettingsBackend* backend = BackendFor(setting);
    return backend != nullptr ? backend->Set(setting, value) : SettingResult::Unsupported;
}

PointerSettingsChain& SystemPointerSettings() {
    static PointerSettingsChain chain = [] {
        PointerSettingsChain built;
        const char* desktopVariable = std::getenv("XDG_CURRENT_DESKTOP");
        const std::string_view desktop = desktopVariable != nullptr ? desktopVariable : "";
        if (desktop.find("GNOME") != std::string_view::npos) {
            built.Add(std::make_unique<GnomePointerSettings>(RunCommand));
        }
        if (desktop.find("KDE") != std::string_view::npos) {
            built.Add(std::make_unique<KdePointerSettings>(KdeConfigFolder()));
        }
        built.Add(std::make_unique<X11PointerSettings>());
        return built;
    }();
    return chain;
}

}  // namespace pelmar
