#pragma once

#include <string>
#include <string_view>

namespace pelmar {

// Conversions between the UTF-16 text of macro names and the UTF-8 text used everywhere
// else. Malformed input never fails: each undecodable sequence becomes U+FFFD.
std::u16string Utf16FromUtf8(std::string_view text);
std::string Utf8FromUtf16(std::u16string_view text);

}  // namespace pelmar
