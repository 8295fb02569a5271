#pragma once

#include <QObject>
#include <cstdint>
#include <functional>

#include "macro/MacroRecorder.h"

namespace pelmar {

// Watches the window's key events while a recording runs (the window then
// holds the keyboard grab, so every key comes to it): each key is turned
// into its virtual key and handed on, and no key reaches the window's own
// handling. The window system's repeats of a held key arrive as presses;
// its repeated releases are dropped, as a held key is released only once.
class RecordingKeyFilter : public QObject {
  public:
    using KeySink = std::function<void(KeyAction, std::uint8_t virtualKey)>;

    // `recording` tells whether a recording runs.
    RecordingKeyFilter(std::function<bool()> recording, KeySink sink);

    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<bool()> recording_;
    KeySink sink_;
};

}  // namespace pelmar
