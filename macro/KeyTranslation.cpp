#include "macro/KeyTranslation.h"

#include <QKeyEvent>
#include <array>

namespace pelmar {

namespace {

// Window-system keycodes are the kernel's key codes plus this offset.
constexpr quint32 kKeycodeOffset = 8;

struct ScanCodeRow {
    quint32 kernelCode;  // the kernel's key code (input-event-codes)
    std::uint8_t virtualKey;
};

// Keys by their place on the keyboard: kernel key code to virtual key.
constexpr auto kScanCodes = std::to_array<ScanCodeRow>({
    {1, 27},     // Escape
    {2, 49},     // 1
    {3, 50},     // 2
    {4, 51},     // 3
    {5, 52},     // 4
    {6, 53},     // 5
    {7, 54},     // 6
    {8, 55},     // 7
    {9, 56},     // 8
    {10, 57},    // 9
    {11, 48},    // 0
    {12, 189},   // minus
    {13, 187},   // equals
    {14, 8},     // Backspace
    {15, 9},     // Tab
    {16, 81},    // Q
    {17, 87},    // W
    {18, 69},    // E
    {19, 82},    // R
    {20, 84},    // T
    {21, 89},    // Y
    {22, 85},    // U
    {23, 73},    // I
    {24, 79},    // O
    {25, 80},    // P
    {26, 219},   // left bracket
    {27, 221},   // right bracket
    {28, 13},    // Enter
    {29, 162},   // left Control
    {30, 65},    // A
    {31, 83},    // S
    {32, 68},    // D
    {33, 70},    // F
    {34, 71},    // G
    {35, 72},    // H
    {36, 74},    // J
    {37, 75},    // K
    {38, 76},    // L
    {39, 186},   // semicolon
    {40, 222},   // apostrophe
    {41, 192},   // grave accent
    {42, 160},   // left Shift
    {43, 220},   // backslash
    {44, 90},    // Z
    {45, 88},    // X
    {46, 67},    // C
    {47, 86},    // V
    {48, 66},    // B
    {49, 78},    // N
    {50, 77},    // M
    {51, 188},   // comma
    {52, 190},   // full stop
    {53, 191},   // slash
    {54, 161},   // right Shift
    {55, 106},   // keypad *
    {56, 164},   // left Alt
    {57, 32},    // space
    {58, 20},    // Caps Lock
    {59, 112},   // F1
    {60, 113},   // F2
    {61, 114},   // F3
    {62, 115},   // F4
    {63, 116},   // F5
    {64, 117},   // F6
    {65, 118},   // F7
    {66, 119},   // F8
    {67, 120},   // F9
    {68, 121},   // F10
    {69, 144},   // Num Lock
    {70, 145},   // Scroll Lock
    {71, 103},   // keypad 7
    {72, 104},   // keypad 8
    {73, 105},   // keypad 9
    {74, 109},   // keypad -
    {75, 100},   // keypad 4
    {76, 101},   // keypad 5
    {77, 102},   // keypad 6
    {78, 107},   // keypad +
    {79, 97},    // keypad 1
    {80, 98},    // keypad 2
    {81, 99},    // keypad 3
    {82, 96},    // keypad 0
    {83, 110},   // keypad decimal point
    {87, 122},   // F11
    {88, 123},   // F12
    {96, 13},    // keypad Enter
    {97, 163},   // right Control
    {98, 111},   // keypad /
    {99, 44},    // Print Screen
    {100, 165},  // right Alt
    {102, 36},   // Home
    {103, 38},   // Up
    {104, 33},   // Page Up
    {105, 37},   // Left
    {106, 39},   // Right
    {107, 35},   // End
    {108, 40},   // Down
    {109, 34},   // Page Down
    {110, 45},   // Insert
    {111, 46},   // Delete
    {119, 19},   // Pause
    {125, 91},   // left logo key
    {126, 92},   // right logo key
    {127, 93},   // application (menu) key
    {138, 47},   // Help
    {183, 124},  // F13
    {184, 125},  // F14
    {185, 126},  // F15
    {186, 127},  // F16
    {187, 128},  // F17
    {188, 129},  // F18
    {189, 130},  // F19
    {190, 131},  // F20
    {191, 132},  // F21
    {192, 133},  // F22
    {193, 134},  // F23
    {194, 135},  // F24
});

struct QtKeyRow {
    int key;
    std::uint8_t virtualKey;
};

// Keys of the keypad, when Qt marks a key with the keypad modifier.
constexpr auto kQtKeypadKeys = std::to_array<QtKeyRow>({
    {Qt::Key_0, 96},
    {Qt::Key_1, 97},
    {Qt::Key_2, 98},
    {Qt::Key_3, 99},
    {Qt::Key_4, 100},
    {Qt::Key_5, 101},
    {Qt::Key_6, 102},
    {Qt::Key_7, 103},
    {Qt::Key_8, 104},
    {Qt::Key_9, 105},
    {Qt::Key_Asterisk, 106},
    {Qt::Key_Plus, 107},
    {Qt::Key_Comma, 108},
    {Qt::Key_Minus, 109},
    {Qt::Key_Period, 110},
    {Qt::Key_Slash, 111},
});

// Every other key by Qt's key code. Without a scan code a shifted key is
// known by its character, taken as on a US keyboard.
constexpr auto kQtKeys = std::to_array<QtKeyRow>({
    {Qt::Key_Escape, 27},       {Qt::Key_Tab, 9},          {Qt::Key_Backtab, 9},
    {Qt::Key_Backspace, 8},     {Qt::Key_Return, 13},      {Qt::Key_Enter, 13},
    {Qt::Key_Insert, 45},       {Qt::Key_Delete, 46},      {Qt::Key_Pause, 19},
    {Qt::Key_Print, 44},        {Qt::Key_Clear, 12},       {Qt::Key_Home, 36},
    {Qt::Key_End, 35},          {Qt::Key_Left, 37},        {Qt::Key_Up, 38},
    {Qt::Key_Right, 39},        {Qt::Key_Down, 40},        {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},     {Qt::Key_Shift, 160},      {Qt::Key_Control, 162},
    {Qt::Key_Meta, 91},         {Qt::Key_Alt, 164},        {Qt::Key_AltGr, 165},
    {Qt::Key_CapsLock, 20},     {Qt::Key_NumLock, 144},    {Qt::Key_ScrollLock, 145},
    {Qt::Key_Super_L, 91},      {Qt::Key_Super_R, 92},     {Qt::Key_Menu, 93},
    {Qt::Key_Help, 47},         {Qt::Key_Execute, 43},     {Qt::Key_Select, 41},
    {Qt::Key_Space, 32},        {Qt::Key_Exclam, 49},      {Qt::Key_At, 50},
    {Qt::Key_NumberSign, 51},   {Qt::Key_Dollar, 52},      {Qt::Key_Percent, 53},
    {Qt::Key_AsciiCircum, 54},  {Qt::Key_Ampersand, 55},   {Qt::Key_Asterisk, 56},
    {Qt::Key_ParenLeft, 57},    {Qt::Key_ParenRight, 48},  {Qt::Key_Minus, 189},
    {Qt::Key_Underscore, 189},  {Qt::Key_Equal, 187},      {Qt::Key_Plus, 187},
    {Qt::Key_BracketLeft, 219}, {Qt::Key_BraceLeft, 219},  {Qt::Key_BracketRight, 221},
    {Qt::Key_BraceRight, 221},  {Qt::Key_Backslash, 220},  {Qt::Key_Bar, 220},
    {Qt::Key_QuoteLeft, 192},   {Qt::Key_AsciiTilde, 192}, {Qt::Key_Semicolon, 186},
    {Qt::Key_Colon, 186},       {Qt::Key_Apostrophe, 222}, {Qt::Key_QuoteDbl, 222},
    {Qt::Key_Comma, 188},       {Qt::Key_Less, 188},       {Qt::Key_Period, 190},
    {Qt::Key_Greater, 190},     {Qt::Key_Slash, 191},      {Qt::Key_Question, 191},
});

std::optional<std::uint8_t> FromScanCode(quint32 scanCode) {
    if (scanCode < kKeycodeOffset) {
        return std::nullopt;
    }
    const quint32 kernelCode = scanCode - kKeycodeOffset;
    for (const ScanCodeRow& row : kScanCodes) {
        if (row.kernelCode == kernelCode) {
            return row.virtualKey;
        }
    }
    return std::nullopt;
}

std::optional<std::uint8_t> FromQtKey(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        for (const QtKeyRow& row : kQtKeypadKeys) {
            if (row.key == key) {
                return row.virtualKey;
            }
        }
    }
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
        return static_cast<std::uint8_t>(key);  // letters and digits share their codes
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        constexpr int kF1 = 112;
        return static_cast<std::uint8_t>(kF1 + key - Qt::Key_F1);
    }
    for (const QtKeyRow& row : kQtKeys) {
        if (row.key == key) {
            return row.virtualKey;
        }
    }
    return std::nullopt;
}

// Qt's codes for keys that type a character lie below its special keys.
bool TypesACharacter(int key) {
    return key < Qt::Key_Escape;
}

}  // namespace

std::optional<std::uint8_t> VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers,
                                         quint32 nativeScanCode) {
    if (nativeScanCode != 0) {
        if (const std::optional<std::uint8_t> key = FromScanCode(nativeScanCode)) {
            return key;
        }
        // A character key missing from the table of places (an extra key of
        // a national keyboard) is not taken for the key of its character.
        if (TypesACharacter(qtKey)) {
            return std::nullopt;
        }
    }
    return FromQtKey(qtKey, modifiers);
}

std::optional<std::uint8_t> VirtualKeyOf(const QKeyEvent& event) {
    return VirtualKeyOf(event.key(), event.modifiers(), event.nativeScanCode());
}

}  // namespace pelmar
