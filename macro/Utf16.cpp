#include "macro/Utf16.h"

#include <array>
#include <cstdint>

namespace pelmar {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Lead bytes of the multi-byte UTF-8 sequences: the bits that identify the lead, the sequence
// length and the smallest value that needs that length (shorter encodings are malformed).
struct Utf8Lead {
    std::uint8_t mask;
    std::uint8_t pattern;
    std::size_t length;
    char32_t minimum;
};
constexpr std::array kUtf8Leads{
    Utf8Lead{0xE0, 0xC0, 2, 0x80},
    Utf8Lead{0xF0, 0xE0, 3, 0x800},
    Utf8Lead{0xF8, 0xF0, 4, 0x10000},
};

// Decodes one character at text[pos], advancing pos past it (one byte for a malformed start).
char32_t DecodeUtf8(std::string_view text, std::size_t& pos) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(pos);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    for (const Utf8Lead& form : kUtf8Leads) {
        if ((lead & form.mask) != form.pattern) {
            continue;
        }
        if (pos + form.length > text.size()) {
            break;
        }
        char32_t value = lead & static_cast<std::uint8_t>(~form.mask);
        for (std::size_t i = 1; i < form.length; ++i) {
            if ((byte(pos + i) & 0xC0) != 0x80) {
                ++pos;
                return kReplacement;
            }
            value = (value << 6) | (byte(pos + i) & 0x3F);
        }
        pos += form.length;
        const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
        return value < form.minimum || value > 0x10FFFF || surrogate ? kReplacement : value;
    }
    ++pos;
    return kReplacement;
}

void AppendUtf8(std::string& out, char32_t value) {
    const auto put = [&](char32_t bits) { out.push_back(static_cast<char>(bits)); };
    if (value < 0x80) {
        put(value);
    } else if (value < 0x800) {
        put(0xC0 | (value >> 6));
        put(0x80 | (value & 0x3F));
    } else if (value < 0x10000) {
        put(0xE0 | (value >> 12));
        put(0x80 | ((value >> 6) & 0x3F));
        put(0x80 | (value & 0x3F));
    } else {
        put(0xF0 | (value >> 18));
        put(0x80 | ((value >> 12) & 0x3F));
        put(0x80 | ((value >> 6) & 0x3F));
        put(0x80 | (value & 0x3F));
    }
}

}  // namespace

std::u16string Utf16FromUtf8(std::string_view text) {
    std::u16string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char32_t value = DecodeUtf8(text, pos);
        if (value < 0x10000) {
            out.push_back(static_cast<char16_t>(value));
        } else {
            out.push_back(static_cast<char16_t>(0xD800 + ((value - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((value - 0x10000) & 0x3FF)));
        }
    }
    return out;
}

std::string Utf8FromUtf16(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else {
            AppendUtf8(out, high || low ? kReplacement : unit);
        }
    }
    return out;
}

}  // namespace pelmar
