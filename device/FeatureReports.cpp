#include "device/FeatureReports.h"

#include <algorithm>
#include <array>
#include <mutex>
#include <thread>

#include "app/Notifier.h"
#include "platform/hid/HidDevice.h"
#include "platform/system/PointerSettings.h"
#include "profile/FunctionCodes.h"
#include "profile/ProfileStore.h"

namespace pelmar {

namespace {

// Lighting code sent for each lighting mode (ledStatus 0 to 3).
constexpr std::array<std::uint8_t, 4> kLightingCodes{0, 3, 6, 7};
constexpr std::uint8_t kLightingCodeBase = 0x10;

// System pointer speed (1 to 20) for each pointer-speed step (dpiSpeed 0 to
// 9); a larger step takes the last speed.
constexpr std::array<int, 10> kMouseSpeeds{1, 2, 4, 6, 8, 10, 12, 14, 16, 18};
constexpr int kNeutralMouseSpeed = 10;

constexpr std::uint8_t kDpiLevelBase = 0x40;
constexpr std::uint8_t kDpiLevelCodeBase = 8;
constexpr std::int32_t kFireTimeUnit = 8;  // the mouse counts the interval in 8 ms steps
constexpr std::chrono::milliseconds kReleaseWait{10};

// Active-low bit of each injected mouse button, by code - kLeftButtonCode.
constexpr std::array<std::uint8_t, 3> kButtonBits{0x01, 0x02, 0x04};
constexpr std::uint8_t kAllButtonBits = 0x07;

// What a report does when no write handle is open.
enum class WithoutHandle { Skip, Fill };

// Fills reportBuffer from byte `first` on with `bytes` and sends it, all under
// the report lock. The length sent is the feature collection's report length.
void SendReport(SharedState& state, Command command, std::size_t first,
                std::initializer_list<std::uint8_t> bytes,
                WithoutHandle withoutHandle = WithoutHandle::Fill) {
    const std::lock_guard lock(state.reportMutex);
    const std::shared_ptr<HidDevice> device = state.writeHandle.load();
    if (device == nullptr && withoutHandle == WithoutHandle::Skip) {
        return;
    }
    std::array<std::uint8_t, kReportBufferSize>& buffer = state.reportBuffer;
    buffer[0] = kFeatureReportId;
    buffer[1] = static_cast<std::uint8_t>(command);
    std::copy(bytes.begin(), bytes.end(), buffer.begin() + static_cast<std::ptrdiff_t>(first));
    const std::size_t length =
        std::min<std::size_t>(state.writeCaps.featureReportByteLength, buffer.size());
    if (device != nullptr) {
        device->SendFeature(std::span(buffer.data(), length));
    }
}

std::uint8_t LowByte(std::int32_t value) {
    return static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) & 0xFFu);
}

std::uint8_t HighByte(std::int32_t value) {
    return static_cast<std::uint8_t>((static_cast<std::uint32_t>(value) >> 8) & 0xFFu);
}

// A negative code can only come from an edited settings file; the mouse is
// sent its low byte.
std::uint8_t DeviceCode(std::int32_t functionCode) {
    return functionCode < 0 ? LowByte(functionCode) : DescribeFunction(functionCode).deviceCode;
}

std::uint8_t DpiValueCode(const Model& model, std::uint8_t dpiSet) {
    const std::size_t index = std::min<std::size_t>(dpiSet, model.dpiValueCodes.size() - 1);
    return model.dpiValueCodes[index];
}

// A mode outside the four (an edited settings file) gets the code of mode 0.
std::uint8_t LightingCode(std::uint8_t ledStatus) {
    return ledStatus < kLightingCodes.size() ? kLightingCodes[ledStatus] : kLightingCodes[0];
}

int MouseSpeed(std::uint8_t dpiSpeed) {
    return kMouseSpeeds[std::min<std::size_t>(dpiSpeed, kMouseSpeeds.size() - 1)];
}

void SendHeldKeys(SharedState& state) {
    const auto& keys = state.heldKeys;
    SendReport(state, Command::HeldKeys, 2, {keys[0], keys[1], keys[2], keys[3], keys[4], keys[5]});
}

void SendHeldButtons(SharedState& state) {
    SendReport(state, Command::HeldButtons, 3, {state.injectedButtons});
}

void PressKey(std::array<std::uint8_t, kHeldKeySlots>& keys, std::uint8_t code) {
    const auto free = std::find(keys.begin(), keys.end(), std::uint8_t{0});
    if (free != keys.end()) {
        *free = code;
    }
}

// Removes the first slot holding code and closes the gap; a key that is not
// held changes nothing (it must not drop another key the macro still holds).
void ReleaseKey(std::array<std::uint8_t, kHeldKeySlots>& keys, std::uint8_t code) {
    const auto held = std::find(keys.begin(), keys.end(), code);
    if (held == keys.end()) {
        return;
    }
    std::copy(held + 1, keys.end(), held);
    keys.back() = 0;
}

// Sets a system setting only when its current value can be read.
void ChangeSetting(PointerSettings& pointer, PointerSetting setting, int value) {
    if (pointer.Get(setting).has_value()) {
        static_cast<void>(pointer.Set(setting, value));
    }
}

}  // namespace

void SleepOnThisThread(std::chrono::milliseconds duration) {
    std::this_thread::sleep_for(duration);
}

void SendKeyEvent(SharedState& state, std::uint8_t code, std::uint8_t action) {
    if (code < kLeftButtonCode) {
        if (action == kPressAction) {
            PressKey(state.heldKeys, code);
        } else if (action == kReleaseAction) {
            ReleaseKey(state.heldKeys, code);
        }
        SendHeldKeys(state);
        return;
    }
    const std::size_t button = code - kLeftButtonCode;
    if (button < kButtonBits.size()) {
        if (action == kPressAction) {
            state.injectedButtons =
                static_cast<std::uint8_t>(state.injectedButtons & ~kButtonBits[button]);
        } else if (action == kReleaseAction) {
            state.injectedButtons =
                static_cast<std::uint8_t>(state.injectedButtons | kButtonBits[button]);
        }
    }
    SendHeldButtons(state);
}

void ReleaseAllInputs(SharedState& state, const SleepFunction& sleep) {
    sleep(kReleaseWait);
    state.injectedButtons = static_cast<std::uint8_t>(state.injectedButtons | kAllButtonBits);
    SendHeldButtons(state);
    sleep(kReleaseWait);
    state.heldKeys.fill(0);
    SendHeldKeys(state);
}

void SendConsumerKey(SharedState& state, std::uint16_t usage) {
    SendReport(state, Command::ConsumerKey, 2, {HighByte(usage), LowByte(usage)});
}

void SendExitReport(SharedState& state) {
    SendReport(state, Command::Exit, 2, {0, 0}, WithoutHandle::Skip);
}

void ApplyProfile(SharedState& state, PointerSettings& pointer) {
    const Model& model = *state.model;

    // CurConfig, the applied-settings section and the profile's own section
    // go into the file as one replacement, in the order a new file lists them.
    // The profile is taken and written under the profile lock, so that a DPI
    // level or report rate the player follows meanwhile is either in all of
    // them or saved after them.
    Profile profile;
    {
        const std::lock_guard lock(state.profileMutex);
        profile = state.profile;
        ini::IniBatch batch(state.configPath);
        AddCurrentProfileNumber(batch, state.currentProfileNumber);
        AddProfileKeys(batch, profile, kAppliedSection);
        AddProfileKeys(batch, profile, state.currentProfileNumber);
        static_cast<void>(batch.Commit());  // settings writes report no error
    }

    for (std::size_t i = 0; i < kButtonCount; ++i) {
        const std::int32_t function = profile.buttonFunction[i];
        const FollowedChange followed =
            function < 0 ? FollowedChange::None : DescribeFunction(function).followed;
        state.reportsDpiLevel[i] = followed == FollowedChange::DpiLevel ? 1 : 0;
        state.reportsUsbStep[i] = followed == FollowedChange::ReportRate ? 1 : 0;
        SendReport(state, Command::ButtonFunction, 2,
                   {SharedState::buttonNumbers[i], DeviceCode(function)}, WithoutHandle::Skip);
    }

    SendReport(state, Command::Wheel, 2, {LowByte(profile.wheelStatus), 0});

    std::int32_t enableMask = 0;  // entry 0 + 2 x entry 1 + 4 x entry 2 + 8 x entry 3
    for (std::size_t j = 0; j < kDpiLevelCount; ++j) {
        enableMask += profile.dpiSetEnabled[j] << j;
    }
    const std::uint8_t level = LowByte(profile.dpiLevel + kDpiLevelBase);
    for (std::size_t j = 0; j < kDpiLevelCount; ++j) {
        const std::uint8_t code = DpiValueCode(model, profile.dpiSet[j]);
        state.dpiValueCode[j] = code;
        const auto levelCode = static_cast<std::int32_t>(code * 16 + kDpiLevelCodeBase + j);
        SendReport(state, Command::DpiLevel, 2, {level, LowByte(levelCode), LowByte(enableMask)});
    }

    state.appliedLedStatus = profile.ledStatus;
    SendReport(state, Command::Lighting, 2,
               {model.lightingReportByte,
                static_cast<std::uint8_t>(kLightingCodeBase + LightingCode(profile.ledStatus))});

    notifier.RequestRepaint();

    ChangeSetting(pointer, PointerSetting::MouseSpeed, MouseSpeed(profile.dpiSpeed));
    ChangeSetting(pointer, PointerSetting::WheelScrollLines, (profile.wheelSpeed + 1) % 256);

    // Division truncates toward zero, as it does for a negative interval
    // read from an edited file.
    const std::int32_t interval = profile.fireTime / kFireTimeUnit;
    SendReport(state, Command::RapidFire, 2, {HighByte(interval), LowByte(interval), 0, 0, 0, 0});
}

void RestoreNeutralPointerSpeed(PointerSettings& pointer) {
    ChangeSetting(pointer, PointerSetting::MouseSpeed, kNeutralMouseSpeed);
}

}  // namespace pelmar
