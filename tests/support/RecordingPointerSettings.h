#pragma once

#include <map>
#include <optional>
#include <vector>

#include "platform/system/PointerSettings.h"

namespace pelmar::test {

// Pointer settings held in memory. A setting without a value cannot be read
// and is unsupported; every Set is recorded.
class RecordingPointerSettings final : public PointerSettings {
  public:
    struct Change {
        PointerSetting setting;
        int value;
        bool operator==(const Change&) const = default;
    };

    std::map<PointerSetting, int> values{{PointerSetting::MouseSpeed, 10},
                                         {PointerSetting::WheelScrollLines, 3}};
    std::vector<Change> changes;

    std::optional<int> Get(PointerSetting setting) override {
        const auto found = values.find(setting);
        return found != values.end() ? std::optional(found->second) : std::nullopt;
    }
    SettingResult Set(PointerSetting setting, int value) override {
        if (!values.contains(setting)) {
            return SettingResult::Unsupported;
        }
        changes.push_back({setting, value});
        values[setting] = value;
        return SettingResult::Done;
    }
};

}  // namespace pelmar::test
