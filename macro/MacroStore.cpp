#include "macro/MacroStore.h"

#include <algorithm>

#include "app/Notifier.h"

namespace pelmar {

namespace {

constexpr const char* kOverflowMessage = "Overflow!!!";

MacroRecord* UserRecord(MacroStore& store, int macro) {
    if (macro < 0 || static_cast<std::size_t>(macro) >= store.user.capacity) {
        return nullptr;
    }
    return &store.user.records[static_cast<std::size_t>(macro)];
}

}  // namespace

bool InsertMacroEvent(MacroStore& store, int macro, int index, std::uint8_t code,
                      std::uint8_t action) {
    MacroRecord* record = UserRecord(store, macro);
    if (record == nullptr || index < 0) {
        return false;
    }
    if (record->eventCount + 1 > kMaxMacroEvents) {
        notifier.ShowMessage(kOverflowMessage);
        return false;
    }
    const std::lock_guard lock(store.mutex);
    const int oldCount = record->eventCount;
    const int slot = std::min(index, oldCount);
    for (int k = oldCount; k > slot; --k) {
        record->events[k] = record->events[k - 1];
        record->delays[k] = record->delays[k - 1];
    }
    record->events[slot] = {code, action};
    record->delays[slot] = kDefaultEventDelay;
    record->eventCount = static_cast<std::uint8_t>(oldCount + 1);
    return true;
}

void DeleteMacroEvent(MacroStore& store, int macro, int index) {
    MacroRecord* record = UserRecord(store, macro);
    if (record == nullptr || index < 0 || record->eventCount == 0) {
        return;
    }
    const std::lock_guard lock(store.mutex);
    const int newCount = record->eventCount - 1;
    for (int k = index; k < newCount; ++k) {
        record->events[k] = record->events[k + 1];
        record->delays[k] = record->delays[k + 1];
    }
    record->eventCount = static_cast<std::uint8_t>(newCount);
}

int FindMacroByName(const MacroStore& store, std::u16string_view name) {
    const int count = std::max<int>(store.user.count, 0);
    for (int i = 0; i < count && static_cast<std::size_t>(i) < store.user.capacity; ++i) {
        if (MacroName(store.user.records[static_cast<std::size_t>(i)]) == name) {
            return i;
        }
    }
    return count;
}

}  // namespace pelmar
