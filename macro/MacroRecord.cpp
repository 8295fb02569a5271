#include "macro/MacroRecord.h"

#include <algorithm>

namespace pelmar {

namespace {

void PutUint16(MacroBytes& bytes, std::size_t offset, std::uint16_t value) {
    bytes[offset] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

std::uint16_t GetUint16(const MacroBytes& bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

}  // namespace

MacroBytes EncodeMacroRecord(const MacroRecord& record) {
    namespace layout = macro_layout;
    MacroBytes bytes{};
    for (std::size_t i = 0; i < kMacroNameUnits; ++i) {
        PutUint16(bytes, layout::kName + 2 * i, record.name[i]);
    }
    bytes[layout::kRepeatOn] = record.repeatOn;
    PutUint16(bytes, layout::kRepeatCount, record.repeatCount);
    bytes[layout::kEventCount] = record.eventCount;
    for (std::size_t k = 0; k < kMacroEventSlots; ++k) {
        bytes[layout::kEvents + 2 * k] = record.events[k].code;
        bytes[layout::kEvents + 2 * k + 1] = record.events[k].action;
        PutUint16(bytes, layout::kDelays + 2 * k, record.delays[k]);
    }
    return bytes;
}

MacroRecord DecodeMacroRecord(const MacroBytes& bytes) {
    namespace layout = macro_layout;
    MacroRecord record;
    for (std::size_t i = 0; i < kMacroNameUnits; ++i) {
        record.name[i] = GetUint16(bytes, layout::kName + 2 * i);
    }
    record.repeatOn = bytes[layout::kRepeatOn];
    record.repeatCount = GetUint16(bytes, layout::kRepeatCount);
    record.eventCount = bytes[layout::kEventCount];
    for (std::size_t k = 0; k < kMacroEventSlots; ++k) {
        record.events[k] = {bytes[layout::kEvents + 2 * k], bytes[layout::kEvents + 2 * k + 1]};
        record.delays[k] = GetUint16(bytes, layout::kDelays + 2 * k);
    }
    return record;
}

std::u16string MacroName(const MacroRecord& record) {
    std::u16string name;
    for (const char16_t unit : record.name) {
        if (unit == 0) {
            break;
        }
        name.push_back(unit);
    }
    return name;
}

void SetMacroName(MacroRecord& record, std::u16string_view name) {
    std::size_t length = std::min(name.size(), kMacroNameUnits - 1);
    if (length > 0 && length < name.size() && IsHighSurrogate(name[length - 1])) {
        --length;
    }
    record.name.fill(0);
    name.substr(0, length).copy(record.name.data(), length);
}

}  // namespace pelmar
