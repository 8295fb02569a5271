#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/system/PointerSettings.h"

namespace pelmar {

// Runs a program (no shell) and gives its standard output, or nothing when
// it cannot be started or exits with a failure.
using CommandRunner = std::function<std::optional<std::string>(const std::vector<std::string>&)>;

std::optional<std::string> RunCommand(const std::vector<std::string>& arguments);

// Pointer speed 1 to 20 as a desktop's acceleration -1 to 1 (10 is 0), and back.
double SpeedToAcceleration(int speed);
int AccelerationToSpeed(double acceleration);

// GNOME's pointer speed, through the gsettings tool. GNOME has no wheel
// scroll lines setting.
class GnomePointerSettings final : public PointerSettingsBackend {
  public:
    explicit GnomePointerSettings(CommandRunner run);

    bool Holds(PointerSetting setting) override;
    std::optional<int> Get(PointerSetting setting) override;
    SettingResult Set(PointerSetting setting, int value) override;

  private:
    CommandRunner run_;
};

// KDE's pointer acceleration (kcminputrc) and wheel scroll lines (kdeglobals)
// in the user's configuration folder.
class KdePointerSettings final : public PointerSettingsBackend {
  public:
    explicit KdePointerSettings(std::filesystem::path configFolder);

    bool Holds(PointerSetting setting) override;
    std::optional<int> Get(PointerSetting setting) override;
    SettingResult Set(PointerSetting setting, int value) override;

  private:
    std::filesystem::path configFolder_;
};

// $XDG_CONFIG_HOME, or ~/.config.
std::filesystem::path KdeConfigFolder();

}  // namespace pelmar
