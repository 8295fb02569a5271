#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string_view>

#include "macro/MacroRecord.h"

namespace pelmar {

inline constexpr std::size_t kUserMacroCapacity = 12;     // button codes 41 to 52
inline constexpr std::size_t kBuiltInMacroCapacity = 13;  // button codes 31 to 38 use 0 to 7

// A fixed table of records and the number in use. Records at or beyond count keep whatever
// they held before and are not used.
template <std::size_t Capacity>
struct MacroTable {
    static constexpr std::size_t capacity = Capacity;

    std::array<MacroRecord, Capacity> records{};
    std::int16_t count = 0;

    bool operator==(const MacroTable&) const = default;
};

using UserMacroTable = MacroTable<kUserMacroCapacity>;
using BuiltInMacroTable = MacroTable<kBuiltInMacroCapacity>;

// The macros in memory: the user's macros with the one selected in the macro list, and the
// built-in macros. The user-interface thread is the only writer; it holds `mutex` while it
// changes a record or replaces a table, and the player holds it while it copies the record
// it is about to play, so a pass never sees half an edit.
struct MacroStore {
    UserMacroTable user;
    std::int32_t currentMacro = 0;
    BuiltInMacroTable builtIn;
    mutable std::mutex mutex;
};

// Inserts (code, action) with the default delay before event `index` of user macro `macro`,
// moving the later events up with their delays; an index past the last event appends. Refuses
// with the message "Overflow!!!" when the macro already holds 254 events, and silently when
// `macro` or `index` is negative or `macro` is not a slot of the table.
bool InsertMacroEvent(MacroStore& store, int macro, int index, std::uint8_t code,
                      std::uint8_t action);

// Removes event `index` of user macro `macro`, moving the later events down with their
// delays. An index at or beyond the last event only shortens the list; an empty macro and a
// macro or index outside the table are left alone.
void DeleteMacroEvent(MacroStore& store, int macro, int index);

// Index of the first user macro in use whose name equals `name` exactly, or the count.
int FindMacroByName(const MacroStore& store, std::u16string_view name);

}  // namespace pelmar
