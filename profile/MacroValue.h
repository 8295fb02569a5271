#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "macro/MacroRecord.h"

namespace pelmar {

// A macro file stores each record as one value of 1064 three-digit decimal fields, one per
// byte: the 44 bytes of name and repeat settings as they are, then for each of the 255 event
// slots its code (as a virtual key), its action and its delay's low and high byte.
inline constexpr std::size_t kMacroValueFieldWidth = 3;
inline constexpr std::size_t kMacroValueLength = kMacroValueFieldWidth * kMacroRecordSize;
static_assert(kMacroValueLength == 3192);

std::string EncodeMacroValue(const MacroRecord& record);

// Reads as many fields as the text holds: each is converted by its decimal prefix and keeps
// its low byte; missing or empty fields read as 0. Never fails.
MacroRecord DecodeMacroValue(std::string_view value);

}  // namespace pelmar
