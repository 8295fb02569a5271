#include "macro/MacroRecorder.h"

#include <algorithm>
#include <mutex>

#include "macro/KeyTable.h"

namespace pelmar {

MacroRecorder::MacroRecorder(SharedState& state, UtcClock& clock) : state_(state), clock_(clock) {}

void MacroRecorder::Start(int macro) {
    MacroStore& store = state_.macros;
    if (macro < 0 || static_cast<std::size_t>(macro) >= store.user.capacity) {
        return;
    }
    heldKeys_.fill(0);
    heldCount_ = 0;
    // A key left held when the last recording stopped may have been released
    // since, unseen: its next press is a new one.
    lastMessage_.reset();
    recordingMacro_ = macro;
    recordedCount_ = 0;
    state_.recordedPresses = 0;
    state_.recordedReleases = 0;
    {
        const std::lock_guard lock(store.mutex);
        MacroRecord& record = store.user.records[static_cast<std::size_t>(macro)];
        const std::u16string name = MacroName(record);
        record = MacroRecord{};
        SetMacroName(record, name);
        record.repeatOn = 0;
        record.repeatCount = 1;
        store.currentMacro = macro;
    }
    state_.recording = true;
}

void MacroRecorder::Stop() {
    if (!state_.recording) {
        return;
    }
    state_.recording = false;
    MacroStore& store = state_.macros;
    const std::lock_guard lock(store.mutex);
    store.user.records[static_cast<std::size_t>(recordingMacro_)].eventCount =
        static_cast<std::uint8_t>(recordedCount_);
}

bool MacroRecorder::TakeHeldKey(std::uint8_t virtualKey) {
    const auto held = heldKeys_.begin() + static_cast<std::ptrdiff_t>(heldCount_);
    const auto found = std::find(heldKeys_.begin(), held, virtualKey);
    if (found == held) {
        return false;
    }
    std::copy(found + 1, held, found);
    --heldCount_;
    heldKeys_[heldCount_] = 0;
    return true;
}

bool MacroRecorder::RecordKeyMessage(KeyAction action, std::uint8_t virtualKey) {
    const KeyMessage message{action, virtualKey};
    if (!state_.recording || lastMessage_ == message) {
        return false;
    }
    if (recordedCount_ >= kRecordEventLimit) {
        lastMessage_ = message;
        return false;
    }
    // Turned-away presses and stray releases leave the last message as it
    // was, so that the next message is judged against the last one taken.
    std::uint8_t eventAction = kEventPress;
    if (action == KeyAction::Press) {
        if (state_.recordedPresses >= kRecordPressLimit || heldCount_ == heldKeys_.size()) {
            return false;
        }
        heldKeys_[heldCount_++] = virtualKey;
    } else {
        if (!TakeHeldKey(virtualKey)) {
            return false;
        }
        eventAction = kEventRelease;
    }

    const std::int32_t interval = EventInterval();
    const auto n = static_cast<std::size_t>(recordedCount_);
    {
        const std::lock_guard lock(state_.macros.mutex);
        MacroRecord& record = state_.macros.user.records[static_cast<std::size_t>(recordingMacro_)];
        record.events[n] = {KeyCodeFromVirtualKey(virtualKey), eventAction};
        if (n > 0) {
            // Each event's delay is the time until the next one.
            record.delays[n - 1] = static_cast<std::uint16_t>(interval);
        }
        record.delays[n] = kDefaultEventDelay;
    }
    ++recordedCount_;
    lastMessage_ = message;
    return true;
}

std::int32_t MacroRecorder::EventInterval() {
    const std::int32_t now = clock_.MillisecondsOfDay();
    std::int32_t interval = now - lastEventTime_;
    lastEventTime_ = now;
    if (interval < 0) {
        interval += kMillisecondsPerDay;  // midnight has passed
    }
    return std::min(interval, kLongestEventInterval);
}

}  // namespace pelmar
