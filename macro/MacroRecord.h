#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pelmar {

inline constexpr std::size_t kMacroNameUnits = 20;       // UTF-16 units, terminator included
inline constexpr std::size_t kMacroEventSlots = 255;     // event and delay slots of a record
inline constexpr int kMaxMacroEvents = 254;              // events the program keeps in use
inline constexpr std::uint16_t kDefaultEventDelay = 30;  // ms given to a newly inserted event

// Event actions and the mouse-button event codes; codes below 240 are HID keyboard usages.
inline constexpr std::uint8_t kEventPress = 1;
inline constexpr std::uint8_t kEventRelease = 2;
inline constexpr std::uint8_t kEventLeftButton = 240;
inline constexpr std::uint8_t kEventRightButton = 241;
inline constexpr std::uint8_t kEventMiddleButton = 242;

// Byte offsets of the fields in the 1064-byte record that macro files store.
namespace macro_layout {
inline constexpr std::size_t kName = 0;
inline constexpr std::size_t kRepeatOn = kName + 2 * kMacroNameUnits;
inline constexpr std::size_t kRepeatCount = kRepeatOn + 1;  // little-endian uint16
inline constexpr std::size_t kEventCount = kRepeatCount + 2;
inline constexpr std::size_t kEvents = kEventCount + 1;                 // code, action per slot
inline constexpr std::size_t kDelays = kEvents + 2 * kMacroEventSlots;  // little-endian uint16
inline constexpr std::size_t kRecordSize = kDelays + 2 * kMacroEventSlots;
}  // namespace macro_layout

inline constexpr std::size_t kMacroRecordSize = macro_layout::kRecordSize;
static_assert(kMacroRecordSize == 1064, "macro files store 1064 bytes per record");

struct MacroEvent {
    std::uint8_t code = 0;
    std::uint8_t action = 0;

    bool operator==(const MacroEvent&) const = default;
};

// One macro: a name, the repeat setting and up to 255 timed events. Slots at or beyond
// eventCount are neither shown nor played and may hold stale values.
struct MacroRecord {
    std::array<char16_t, kMacroNameUnits> name{};  // zero-terminated when written by the program
    std::uint8_t repeatOn = 0;  // 0: one pass per trigger; otherwise repeatCount passes
    std::uint16_t repeatCount = 0;
    std::uint8_t eventCount = 0;
    std::array<MacroEvent, kMacroEventSlots> events{};
    std::array<std::uint16_t, kMacroEventSlots> delays{};  // ms to wait after each event

    bool operator==(const MacroRecord&) const = default;
};

using MacroBytes = std::array<std::uint8_t, kMacroRecordSize>;

MacroBytes EncodeMacroRecord(const MacroRecord& record);
MacroRecord DecodeMacroRecord(const MacroBytes& bytes);

// The name up to its first zero unit (all 20 units when a file left out the terminator).
std::u16string MacroName(const MacroRecord& record);
// Stores at most 19 units, never half a surrogate pair, and zero-fills the rest.
void SetMacroName(MacroRecord& record, std::u16string_view name);

}  // namespace pelmar
