// Parses arbitrary bytes as a settings file, looks keys up, applies one edit and checks what
// must hold for every input: values are valid UTF-8 without line feeds, a capacity cut fits,
// an accepted edit reads back, repeating it changes nothing, other keys are untouched, and a
// refused edit leaves the bytes as they were.
//
// Input layout: the first three bytes give the lengths of a section name, a key name and a
// value taken from the end of the input; the bytes between are the file.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ini/IniDocument.h"
#include "platform/ini/IniEncoding.h"

namespace {

using pelmar::ini::Document;
using pelmar::ini::EditError;

struct Lookup {
    std::string_view section;
    std::string_view key;
};

// Names the program uses, plus odd ones: empty, blank, and a key that is a comment.
constexpr std::array<Lookup, 8> kLookups{{
    {"Init", "CurConfig"},
    {"init", "VER_SEL"},
    {"Config1", "FIRE_TIME"},
    {"Macros", "macroNum"},
    {"Macros", "0"},
    {"", ""},
    {" ", "K"},
    {"A", ";K"},
}};

// Read capacities the program uses.
constexpr std::array<std::size_t, 4> kCapacities{3, 5, 10, 3193};

constexpr std::size_t kHeaderBytes = 3;
constexpr std::size_t kMaxNameBytes = 16;
constexpr std::size_t kMaxValueBytes = 32;

void Check(bool condition) {
    if (!condition)
        std::abort();
}

bool SameName(std::string_view a, std::string_view b) {
    const auto fold = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (fold(a[i]) != fold(b[i]))
            return false;
    }
    return true;
}

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<std::string> FindCopy(const Document& document, std::string_view section,
                                    std::string_view key) {
    const std::optional<std::string_view> value = document.Find(section, key);
    if (!value)
        return std::nullopt;
    return std::string(*value);
}

void CheckLookups(const Document& document) {
    for (const Lookup& lookup : kLookups) {
        const std::optional<std::string_view> value = document.Find(lookup.section, lookup.key);
        if (!value)
            continue;
        Check(pelmar::ini::IsValidUtf8(*value));
        Check(value->find('\n') == std::string_view::npos);
        for (const std::size_t capacity : kCapacities) {
            const std::string_view cut = pelmar::ini::PrefixOfUtf16Units(*value, capacity - 1);
            Check(value->substr(0, cut.size()) == cut);
            Check(pelmar::ini::IsValidUtf8(cut));
            Check(cut.size() <= 4 * (capacity - 1));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kHeaderBytes)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::size_t sectionLength = static_cast<unsigned char>(input[0]) % (kMaxNameBytes + 1);
    std::size_t keyLength = static_cast<unsigned char>(input[1]) % (kMaxNameBytes + 1);
    std::size_t valueLength = static_cast<unsigned char>(input[2]) % (kMaxValueBytes + 1);
    std::string_view rest = input.substr(kHeaderBytes);
    const auto takeFromEnd = [&rest](std::size_t length) {
        length = std::min(length, rest.size());
        const std::string_view taken = rest.substr(rest.size() - length);
        rest.remove_suffix(length);
        return taken;
    };
    const std::string value(takeFromEnd(valueLength));
    const std::string key(takeFromEnd(keyLength));
    const std::string section(takeFromEnd(sectionLength));

    const Document original = Document::Parse(std::string(rest));
    CheckLookups(original);

    Document edited = original;
    const EditError error = edited.Set(section, key, value);
    if (error != EditError::kNone) {
        Check(edited.Bytes() == original.Bytes());
        return 0;
    }
    CheckLookups(edited);
    const std::optional<std::string_view> readBack = edited.Find(section, key);
    Check(readBack.has_value() && *readBack == TrimBlanks(value));

    Document again = edited;
    Check(again.Set(section, key, value) == EditError::kNone);
    Check(again.Bytes() == edited.Bytes());

    for (const Lookup& lookup : kLookups) {
        if (SameName(TrimBlanks(lookup.section), TrimBlanks(section)) &&
            SameName(TrimBlanks(lookup.key), TrimBlanks(key))) {
            continue;
        }
        Check(FindCopy(edited, lookup.section, lookup.key) ==
              FindCopy(original, lookup.section, lookup.key));
    }
    return 0;
}
