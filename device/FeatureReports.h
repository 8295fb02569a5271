#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

#include "app/SharedState.h"
#include "platform/hid/FeatureCommand.h"

namespace pelmar {

class PointerSettings;

// Feature reports that program the mouse and inject input through it. Every
// report is filled into state.reportBuffer and sent on state.writeHandle under
// state.reportMutex, so reports from the user-interface thread and the player
// thread never mix. Only the bytes a command lists are written; the rest of
// the buffer keeps what the previous report left. Send failures are silent.

// Command byte (byte 1) of a feature report.
using Command = FeatureCommand;

// Injected input codes: below 0xF0 a HID keyboard usage, then the buttons.
inline constexpr std::uint8_t kLeftButtonCode = 0xF0;
inline constexpr std::uint8_t kRightButtonCode = 0xF1;
inline constexpr std::uint8_t kMiddleButtonCode = 0xF2;
// Actions of SendKeyEvent; any other value changes nothing but still sends.
inline constexpr std::uint8_t kPressAction = 1;
inline constexpr std::uint8_t kReleaseAction = 2;

using SleepFunction = std::function<void(std::chrono::milliseconds)>;

// Sleeps on the calling thread.
void SleepOnThisThread(std::chrono::milliseconds duration);

// Presses or releases one key (code below 0xF0, report 0x15) or mouse button
// (report 0x16). Sends exactly one report, also when nothing changed. A key
// released while not held leaves heldKeys unchanged.
void SendKeyEvent(SharedState& state, std::uint8_t code, std::uint8_t action);

// Releases every injected button and key: waits 10 ms, sends the buttons
// (0x16), waits 10 ms, sends the keys (0x15). The waits go through sleep.
void ReleaseAllInputs(SharedState& state, const SleepFunction& sleep = SleepOnThisThread);

// Sends one multimedia key (0x17) as a consumer-page usage; no release follows.
void SendConsumerKey(SharedState& state, std::uint16_t usage);

// Sends the exit report (0x20) when a write handle is open.
void SendExitReport(SharedState& state);

// Writes CurConfig, the applied-settings section and the current profile's
// section of state.configPath, sends the whole profile to the mouse, fills
// the derived values (dpiValueCode, reportsDpiLevel, reportsUsbStep,
// appliedLedStatus), requests a repaint and sets the system pointer speed and
// wheel scroll lines. The file and system changes happen without a mouse too.
void ApplyProfile(SharedState& state, PointerSettings& pointer);

// Sets the system pointer speed to its neutral value 10, as the program does
// when it ends; left alone when the current speed cannot be read.
void RestoreNeutralPointerSpeed(PointerSettings& pointer);

}  // namespace pelmar
