#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "macro/MacroStore.h"
#include "profile/Profile.h"

namespace pelmar {

// The longest macro name: the record's 20 units hold a terminator too.
inline constexpr int kMacroNameLength = static_cast<int>(kMacroNameUnits) - 1;
inline constexpr std::int32_t kMinRepeatCount = 1;
inline constexpr std::int32_t kMaxRepeatCount = 65535;

// Operations of the advanced page on the user macro table. They hold the
// table's lock while they change records, and make the macro they end on
// the current macro.

struct AddedMacro {
    int index;     // the macro named so, new or already there
    bool created;  // false when a macro of that name existed
};

// Adds a macro of this name at the end of the table (the slot keeps its other
// fields), or finds the one that already has it. Nothing for an empty name or
// a full table. A name longer than kMacroNameLength is cut to fit.
std::optional<AddedMacro> AddMacroRecord(MacroStore& store, std::u16string_view name);

// Deletes macro `macro`, moving the later ones down; the freed last slot
// gets one pass, repeat off and no events. Returns the macro to select next
// (the one before, or the first); nothing when `macro` is not in use.
std::optional<int> DeleteMacroRecord(MacroStore& store, int macro);

// A repeat count typed by the user, held to 1 to 65535.
struct RepeatCountEntry {
    std::uint16_t value;
    bool rewritten;  // the typed text was outside the range and must show `value`
};
RepeatCountEntry ParseRepeatCount(std::string_view text);

// Stores the repeat count of macro `macro`; nothing when it is not in use.
void StoreRepeatCount(MacroStore& store, int macro, std::uint16_t count);

// Switches the repeat setting of macro `macro`; the new setting, nothing when
// the macro is not in use.
std::optional<bool> ToggleRepeatOn(MacroStore& store, int macro);

// Switches the loop mode, which the macro player reads while it runs.
void ToggleLoopMode(Profile& profile);

}  // namespace pelmar
