#pragma once

#include <Qt>
#include <cstdint>
#include <optional>

class QKeyEvent;

namespace pelmar {

// The virtual-key code of a key, as the recorder takes it. Where the window
// system gives the key's scan code (an X11 or Wayland keycode, which is the
// kernel's key code plus 8), the key is known by its place on the keyboard:
// left and right modifiers and the keypad are told apart, and a shifted key
// is the same key. Otherwise Qt's key code decides, with the keypad modifier.
// Nothing for a key without a row in the key table.
std::optional<std::uint8_t> VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers,
                                         quint32 nativeScanCode);
std::optional<std::uint8_t> VirtualKeyOf(const QKeyEvent& event);

}  // namespace pelmar
