#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace pelmar {

// Event codes are HID keyboard usages (240 to 242 the mouse buttons); the event list names
// them and macro files store them as virtual-key codes. Pure functions, safe on any thread.

// The key's display name; "NON-AVAILABLE" for a code the key table does not list.
std::string_view KeyCodeName(std::uint8_t code);

// The event code paired with a virtual key; a virtual key without a pair is returned unchanged.
std::uint8_t KeyCodeFromVirtualKey(std::uint8_t virtualKey);

// The virtual key paired with an event code; a code without a pair is returned unchanged.
std::uint8_t VirtualKeyFromKeyCode(std::uint8_t code);

// The event code of a display name, for readable macro sources; nothing for an unknown name.
std::optional<std::uint8_t> KeyCodeFromName(std::string_view name);

}  // namespace pelmar
