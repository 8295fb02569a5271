#include "profile/MacroValue.h"

#include <array>
#include <cstdint>

#include "macro/KeyTable.h"
#include "platform/ini/IniFile.h"

namespace pelmar {

namespace {

constexpr std::size_t kHeaderFields = macro_layout::kEvents;  // name, repeat, event count
constexpr std::size_t kFieldsPerEvent = 4;

// Each event slot occupies four fields: its code, its action, its delay's low and high byte.
// Record offsets of those four bytes for slot 0; slot k adds 2k.
constexpr std::array<std::size_t, kFieldsPerEvent> kEventFieldOffsets{
    macro_layout::kEvents, macro_layout::kEvents + 1, macro_layout::kDelays,
    macro_layout::kDelays + 1};
constexpr std::size_t kCodeField = 0;
static_assert(kHeaderFields + kFieldsPerEvent * kMacroEventSlots == kMacroRecordSize,
              "one field per record byte");

// The record byte that a field of the value holds.
std::size_t RecordOffsetOfField(std::size_t field) {
    if (field < kHeaderFields) {
        return field;
    }
    const std::size_t slot = (field - kHeaderFields) / kFieldsPerEvent;
    return kEventFieldOffsets[(field - kHeaderFields) % kFieldsPerEvent] + 2 * slot;
}

bool IsCodeField(std::size_t field) {
    return field >= kHeaderFields && (field - kHeaderFields) % kFieldsPerEvent == kCodeField;
}

}  // namespace

std::string EncodeMacroValue(const MacroRecord& record) {
    const MacroBytes bytes = EncodeMacroRecord(record);
    std::string value;
    value.reserve(kMacroValueLength);
    for (std::size_t field = 0; field < kMacroRecordSize; ++field) {
        std::uint8_t byte = bytes[RecordOffsetOfField(field)];
        if (IsCodeField(field)) {
            byte = VirtualKeyFromKeyCode(byte);
        }
        value.push_back(static_cast<char>('0' + byte / 100));
        value.push_back(static_cast<char>('0' + byte / 10 % 10));
        value.push_back(static_cast<char>('0' + byte % 10));
    }
    return value;
}

MacroRecord DecodeMacroValue(std::string_view value) {
    MacroBytes bytes{};
    for (std::size_t field = 0; field < kMacroRecordSize; ++field) {
        const std::size_t start = kMacroValueFieldWidth * field;
        if (start >= value.size()) {
            break;
        }
        auto byte = static_cast<std::uint8_t>(
            ini::ToInt(value.substr(start, kMacroValueFieldWidth)) & 0xFF);
        if (IsCodeField(field)) {
            byte = KeyCodeFromVirtualKey(byte);
        }
        bytes[RecordOffsetOfField(field)] = byte;
    }
    return DecodeMacroRecord(bytes);
}

}  // namespace pelmar
