#include "macro/MacroEditing.h"

#include <algorithm>
#include <mutex>

#include "platform/ini/IniFile.h"

namespace pelmar {

namespace {

bool InUse(const MacroStore& store, int macro) {
    return macro >= 0 && macro < store.user.count &&
           static_cast<std::size_t>(macro) < store.user.capacity;
}

MacroRecord& Record(MacroStore& store, int macro) {
    return store.user.records[static_cast<std::size_t>(macro)];
}

}  // namespace

std::optional<AddedMacro> AddMacroRecord(MacroStore& store, std::u16string_view name) {
    if (name.empty() || static_cast<std::size_t>(store.user.count) >= store.user.capacity) {
        return std::nullopt;
    }
    const std::lock_guard lock(store.mutex);
    const int found = FindMacroByName(store, name);
    const bool created = found == store.user.count;
    if (created) {
        SetMacroName(Record(store, found), name);
        ++store.user.count;
    }
    store.currentMacro = found;
    return AddedMacro{found, created};
}

std::optional<int> DeleteMacroRecord(MacroStore& store, int macro) {
    if (!InUse(store, macro)) {
        return std::nullopt;
    }
    const std::lock_guard lock(store.mutex);
    auto& records = store.user.records;
    const auto first = records.begin() + macro;
    const auto end = records.begin() + store.user.count;
    std::move(first + 1, end, first);
    --store.user.count;
    MacroRecord& freed = Record(store, store.user.count);
    freed.repeatOn = 0;
    freed.repeatCount = 1;
    freed.eventCount = 0;
    const int next = std::max(macro - 1, 0);
    store.currentMacro = next;
    return next;
}

RepeatCountEntry ParseRepeatCount(std::string_view text) {
    const std::int32_t typed = ini::ToInt(text);
    const std::int32_t value = std::clamp(typed, kMinRepeatCount, kMaxRepeatCount);
    return {static_cast<std::uint16_t>(value), value != typed};
}

void StoreRepeatCount(MacroStore& store, int macro, std::uint16_t count) {
    if (!InUse(store, macro)) {
        return;
    }
    const std::lock_guard lock(store.mutex);
    Record(store, macro).repeatCount = count;
}

std::optional<bool> ToggleRepeatOn(MacroStore& store, int macro) {
    if (!InUse(store, macro)) {
        return std::nullopt;
    }
    const std::lock_guard lock(store.mutex);
    MacroRecord& record = Record(store, macro);
    record.repeatOn = record.repeatOn == 0 ? 1 : 0;
    return record.repeatOn != 0;
}

void ToggleLoopMode(Profile& profile) {
    profile.macroMode2 = profile.macroMode2 == 0 ? 1 : 0;
}

}  // namespace pelmar
