#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace pelmar {

// The seven comma-separated text fields of one layout file value.
inline constexpr std::size_t kSkinEntryFields = 7;
using SkinEntry = std::array<std::string, kSkinEntryFields>;

// Values are read as into a buffer of 260 UTF-16 units: at most 259 are seen.
inline constexpr std::size_t kSkinValueCapacity = 260;

// Shown once for every value with more than six commas.
inline constexpr std::string_view kMalformedEntryMessage = "加载ini错误！";

// Splits a value at its first six commas: fields 0 to 5 are the texts before
// them, field 6 is everything after the sixth (further commas included). A
// value with fewer commas fills the fields it has, and the text after its last
// comma becomes the next field; the remaining fields are empty. No field is
// trimmed.
SkinEntry ParseSkinEntry(std::string_view value);

// True when the value has more than the six commas an entry is made of.
bool HasExtraCommas(std::string_view value);

// Reads key `key` of `section` from a layout file and splits it. A missing
// file, section or key gives seven empty fields. A value with more than six
// commas shows kMalformedEntryMessage and is split all the same.
SkinEntry ReadSkinEntry(const std::filesystem::path& file, std::string_view section, int key);

}  // namespace pelmar
