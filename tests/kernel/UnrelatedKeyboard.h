#pragma once

#include <array>
#include <cstdint>

namespace pelmar::test {

// A device beside the mouse that nothing of ours may claim: a keyboard
// without report identifiers.
inline constexpr std::uint16_t kOtherVendorId = 0x1234;
inline constexpr std::uint16_t kOtherProductId = 0x0001;
inline constexpr auto kKeyboardDescriptor = std::to_array<std::uint8_t>(
    {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x08, 0x81, 0x02, 0xC0});

}  // namespace pelmar::test
