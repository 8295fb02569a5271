#include "macro/KeyTable.h"

#include <array>

namespace pelmar {

namespace {

constexpr std::uint8_t kNoVirtualKey = 0;  // virtual key 0 names no key
constexpr std::string_view kUnlistedName = "NON-AVAILABLE";

struct KeyRow {
    std::uint8_t code;
    std::string_view name;
    std::uint8_t virtualKey;
};

// Every key an event can name: event code, display name, paired virtual-key code. The
// grave-accent key is code 50 (not the usual 53), the equals key is named "+", and keypad
// Enter (88) and codes 53, 100, 102 and 103 have no row.
constexpr auto kKeyTable = std::to_array<KeyRow>({
    {4, "A", 65},
    {5, "B", 66},
    {6, "C", 67},
    {7, "D", 68},
    {8, "E", 69},
    {9, "F", 70},
    {10, "G", 71},
    {11, "H", 72},
    {12, "I", 73},
    {13, "J", 74},
    {14, "K", 75},
    {15, "L", 76},
    {16, "M", 77},
    {17, "N", 78},
    {18, "O", 79},
    {19, "P", 80},
    {20, "Q", 81},
    {21, "R", 82},
    {22, "S", 83},
    {23, "T", 84},
    {24, "U", 85},
    {25, "V", 86},
    {26, "W", 87},
    {27, "X", 88},
    {28, "Y", 89},
    {29, "Z", 90},
    {30, "1", 49},
    {31, "2", 50},
    {32, "3", 51},
    {33, "4", 52},
    {34, "5", 53},
    {35, "6", 54},
    {36, "7", 55},
    {37, "8", 56},
    {38, "9", 57},
    {39, "0", 48},
    {40, "RETURN", 13},
    {41, "ESCAPE", 27},
    {42, "BACK", 8},
    {43, "TAB", 9},
    {44, "SPACE", 32},
    {45, "-", 189},
    {46, "+", 187},
    {47, "[{", 219},
    {48, "]}", 221},
    {49, "\\|", 220},
    {50, "`~", 192},
    {51, ";:", 186},
    {52, " ' ", 222},
    {54, ",", 188},
    {55, ".", 190},
    {56, "/?", 191},
    {57, "CAPITAL", 20},
    {58, "F1", 112},
    {59, "F2", 113},
    {60, "F3", 114},
    {61, "F4", 115},
    {62, "F5", 116},
    {63, "F6", 117},
    {64, "F7", 118},
    {65, "F8", 119},
    {66, "F9", 120},
    {67, "F10", 121},
    {68, "F11", 122},
    {69, "F12", 123},
    {70, "SNAPSHOT", 44},
    {71, "SCROLL", 145},
    {72, "PAUSE", 19},
    {73, "INSERT", 45},
    {74, "HOME", 36},
    {75, "PRIOR", 33},
    {76, "DELETE", 46},
    {77, "END", 35},
    {78, "NEXT", 34},
    {79, "RIGHT", 39},
    {80, "LEFT", 37},
    {81, "DOWN", 40},
    {82, "UP", 38},
    {83, "NUMLOCK", 144},
    {84, "DIVIDE", 111},
    {85, "MULTIPLY", 106},
    {86, "SUBTRACT", 109},
    {87, "ADD", 107},
    {89, "NUMPAD1", 97},
    {90, "NUMPAD2", 98},
    {91, "NUMPAD3", 99},
    {92, "NUMPAD4", 100},
    {93, "NUMPAD5", 101},
    {94, "NUMPAD6", 102},
    {95, "NUMPAD7", 103},
    {96, "NUMPAD8", 104},
    {97, "NUMPAD9", 105},
    {98, "NUMPAD0", 96},
    {99, "DECIMAL", 110},
    {101, "APPS", 93},
    {104, "F13", 124},
    {105, "F14", 125},
    {106, "F15", 126},
    {107, "F16", 127},
    {108, "F17", 128},
    {109, "F18", 129},
    {110, "F19", 130},
    {111, "F20", 131},
    {112, "F21", 132},
    {113, "F22", 133},
    {114, "F23", 134},
    {115, "F24", 135},
    {116, "EXECUTE", 43},
    {117, "HELP", 47},
    {118, "MENU", kNoVirtualKey},
    {119, "SELECT", 41},
    {156, "CLEAR", 12},
    {159, "SEPARATOR", 108},
    {224, "LCONTROL", 162},
    {225, "LSHIFT", 160},
    {226, "LMENU", 164},
    {227, "LWIN", 91},
    {228, "RCONTROL", 163},
    {229, "RSHIFT", 161},
    {230, "RMENU", 165},
    {231, "RWIN", 92},
    {240, "L-KEY", kNoVirtualKey},
    {241, "R-KEY", kNoVirtualKey},
    {242, "M-KEY", kNoVirtualKey},
});

constexpr std::size_t kNoRow = kKeyTable.size();

// Lookups over all 256 byte values, derived from the key table at compile time.
struct KeyIndex {
    std::array<std::size_t, 256> rowOfCode{};
    std::array<std::uint8_t, 256> codeOfVirtualKey{};
    std::array<std::uint8_t, 256> virtualKeyOfCode{};
    bool oneToOne = true;  // no code or virtual key appears in two rows
};

constexpr KeyIndex BuildKeyIndex() {
    KeyIndex index;
    std::array<bool, 256> virtualKeySeen{};
    for (std::size_t value = 0; value < 256; ++value) {
        index.rowOfCode[value] = kNoRow;
        index.codeOfVirtualKey[value] = static_cast<std::uint8_t>(value);
        index.virtualKeyOfCode[value] = static_cast<std::uint8_t>(value);
    }
    for (std::size_t row = 0; row < kKeyTable.size(); ++row) {
        const KeyRow& key = kKeyTable[row];
        index.oneToOne = index.oneToOne && index.rowOfCode[key.code] == kNoRow;
        index.rowOfCode[key.code] = row;
        if (key.virtualKey == kNoVirtualKey) {
            continue;
        }
        index.oneToOne = index.oneToOne && !virtualKeySeen[key.virtualKey];
        virtualKeySeen[key.virtualKey] = true;
        index.codeOfVirtualKey[key.virtualKey] = key.code;
        index.virtualKeyOfCode[key.code] = key.virtualKey;
    }
    return index;
}

constexpr KeyIndex kKeyIndex = BuildKeyIndex();
static_assert(kKeyIndex.oneToOne, "each code and each virtual key may appear in one row only");

}  // namespace

std::string_view KeyCodeName(std::uint8_t code) {
    const std::size_t row = kKeyIndex.rowOfCode[code];
    return row == kNoRow ? kUnlistedName : kKeyTable[row].name;
}

std::uint8_t KeyCodeFromVirtualKey(std::uint8_t virtualKey) {
    return kKeyIndex.codeOfVirtualKey[virtualKey];
}

std::uint8_t VirtualKeyFromKeyCode(std::uint8_t code) {
    return kKeyIndex.virtualKeyOfCode[code];
}

std::optional<std::uint8_t> KeyCodeFromName(std::string_view name) {
    for (const KeyRow& key : kKeyTable) {
        if (key.name == name) {
            return key.code;
        }
    }
    return std::nullopt;
}

}  // namespace pelmar
