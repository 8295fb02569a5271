#pragma once

#include <cstdint>

namespace pelmar {

// The mouse's feature reports: identifier 7, then a command byte and its
// parameters. Shared by the program's protocol and the virtual mouse.
inline constexpr std::uint8_t kFeatureReportId = 7;

// Command byte (byte 1) of a feature report.
enum class FeatureCommand : std::uint8_t {
    DpiLevel = 0x09,
    ButtonFunction = 0x10,
    Wheel = 0x11,
    RapidFire = 0x12,
    Lighting = 0x13,
    HeldKeys = 0x15,
    HeldButtons = 0x16,
    ConsumerKey = 0x17,
    Exit = 0x20,
};

}  // namespace pelmar
