#include "platform/system/X11PointerSettings.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <memory>

namespace pelmar {

namespace {

constexpr int kMinSpeed = 1;
constexpr int kMaxSpeed = 20;
constexpr int kAccelerationDenominator = 10;

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayHandle = std::unique_ptr<Display, DisplayCloser>;

// A connection per call: settings change rarely, and no connection is then
// shared between threads.
DisplayHandle OpenDisplay() {
    return DisplayHandle(XOpenDisplay(nullptr));
}

}  // namespace

bool X11PointerSettings::Holds(PointerSetting setting) {
    return setting == PointerSetting::MouseSpeed && OpenDisplay() != nullptr;
}

std::optional<int> X11PointerSettings::Get(PointerSetting setting) {
    const DisplayHandle display = OpenDisplay();
    if (setting != PointerSetting::MouseSpeed || display == nullptr) {
        return std::nullopt;
    }
    int numerator = 0;
    int denominator = 0;
    int threshold = 0;
    XGetPointerControl(display.get(), &numerator, &denominator, &threshold);
    if (denominator <= 0) {
        return std::nullopt;
    }
    const int speed = (numerator * kAccelerationDenominator + denominator / 2) / denominator;
    return std::clamp(speed, kMinSpeed, kMaxSpeed);
}

SettingResult X11PointerSettings::Set(PointerSetting setting, int value) {
    if (setting != PointerSetting::MouseSpeed) {
        return SettingResult::Unsupported;
    }
    const DisplayHandle display = OpenDisplay();
    if (display == nullptr) {
        return SettingResult::Failed;
    }
    XChangePointerControl(display.get(), True, False, std::clamp(value, kMinSpeed, kMaxSpeed),
                          kAccelerationDenominator, 0);
    XSync(display.get(), False);
    return SettingResult::Done;
}

}  // namespace pelmar
