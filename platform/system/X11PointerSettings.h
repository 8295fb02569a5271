#pragma once

#include "platform/system/PointerSettings.h"

namespace pelmar {

// The X server's core pointer acceleration, as a pointer speed: speed s is an
// acceleration of s/10. The X server has no wheel scroll lines setting.
class X11PointerSettings final : public PointerSettingsBackend {
  public:
    bool Holds(PointerSetting setting) override;
    std::optional<int> Get(PointerSetting setting) override;
    SettingResult Set(PointerSetting setting, int value) override;
};

}  // namespace pelmar
