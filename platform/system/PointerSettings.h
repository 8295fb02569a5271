#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace pelmar {

// The two system settings the program changes.
enum class PointerSetting : std::uint8_t {
    MouseSpeed,        // pointer speed on the scale 1 (slowest) to 20, 10 neutral
    WheelScrollLines,  // lines one wheel notch scrolls
};

enum class SettingResult : std::uint8_t {
    Done,
    Failed,       // a backend holds the setting but could not change it
    Unsupported,  // nothing on this system holds the setting
};

// Reads and changes the system's pointer settings.
class PointerSettings {
  public:
    virtual ~PointerSettings() = default;

    // The current value, or nothing when it cannot be read or is unsupported.
    [[nodiscard]] virtual std::optional<int> Get(PointerSetting setting) = 0;
    [[nodiscard]] virtual SettingResult Set(PointerSetting setting, int value) = 0;
};

// One way of holding the settings (a desktop's configuration, the X server).
class PointerSettingsBackend : public PointerSettings {
  public:
    // Whether this backend holds the setting on this system.
    [[nodiscard]] virtual bool Holds(PointerSetting setting) = 0;
};

// Asks, for each setting, the first backend that holds it.
class PointerSettingsChain final : public PointerSettings {
  public:
    void Add(std::unique_ptr<PointerSettingsBackend> backend);

    std::optional<int> Get(PointerSetting setting) override;
    SettingResult Set(PointerSetting setting, int value) override;

  private:
    PointerSettingsBackend* BackendFor(PointerSetting setting);

    std::vector<std::unique_ptr<PointerSettingsBackend>> backends_;
};

// The chain for the desktop this process runs on: GNOME's or KDE's settings
// where the session is one of those desktops, then the X server's pointer
// control. Built once; other backends can be added at start-up.
PointerSettingsChain& SystemPointerSettings();

}  // namespace pelmar
