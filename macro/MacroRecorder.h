#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "app/SharedState.h"
#include "macro/UtcClock.h"

namespace pelmar {

// Limits of one recording: events taken in all, and press lines shown in the
// event list after which a further press is turned away.
inline constexpr int kRecordEventLimit = 216;
inline constexpr int kRecordPressLimit = 108;
// Keys pressed during a recording and not yet released.
inline constexpr std::size_t kRecordHeldKeyCapacity = 9;
// The longest delay an event can store, in milliseconds.
inline constexpr std::int32_t kLongestEventInterval = 65535;

enum class KeyAction : std::uint8_t { Press, Release };

// Records key presses and releases, given as virtual keys, into a user macro
// with the time between them as delays. Runs on the user-interface thread;
// the recording flag and the press and release line counters are those of
// the shared state, which the page shows.
class MacroRecorder {
  public:
    // The clock must outlive the recorder.
    MacroRecorder(SharedState& state, UtcClock& clock);

    // Begins recording into user macro `macro`: the record is emptied and
    // keeps only its name, with one pass and repeat off; currentMacro becomes
    // `macro` and both line counters 0. A slot outside the table starts
    // nothing.
    void Start(int macro);
    // Ends the recording: the macro keeps the events recorded.
    void Stop();

    bool recording() const { return state_.recording; }
    int recordingMacro() const { return recordingMacro_; }
    int recordedCount() const { return recordedCount_; }
    std::span<const std::uint8_t> heldKeys() const {
        return std::span(heldKeys_).first(heldCount_);
    }

    // Takes one key message while recording. True when it became event
    // recordedCount() - 1, whose lines the caller then adds to the event
    // list. Not recorded: a repeat of the last message taken (a held key),
    // anything past the event limit, a press past the press-line limit or
    // while the held-key list is full, and a release of a key not pressed
    // during this recording.
    bool RecordKeyMessage(KeyAction action, std::uint8_t virtualKey);

    // Milliseconds since the previous call, across midnight, at most
    // kLongestEventInterval.
    std::int32_t EventInterval();

  private:
    struct KeyMessage {
        KeyAction action;
        std::uint8_t virtualKey;
        bool operator==(const KeyMessage&) const = default;
    };

    bool TakeHeldKey(std::uint8_t virtualKey);

    SharedState& state_;
    UtcClock& clock_;
    int recordingMacro_ = 0;
    int recordedCount_ = 0;
    std::array<std::uint8_t, kRecordHeldKeyCapacity> heldKeys_{};
    std::size_t heldCount_ = 0;
    std::optional<KeyMessage> lastMessage_;
    std::int32_t lastEventTime_ = 0;
};

}  // namespace pelmar
