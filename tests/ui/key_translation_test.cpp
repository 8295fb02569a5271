#include <gtest/gtest.h>

#include <QKeyEvent>
#include <optional>
#include <set>

#include "macro/KeyTable.h"
#include "macro/KeyTranslation.h"

namespace pelmar {
namespace {

using Key = std::optional<std::uint8_t>;

// X keycodes of a standard keyboard (the kernel's key codes plus 8).
TEST(KeyTranslationTest, AScanCodeNamesTheKeyByItsPlace) {
    const struct {
        const char* what;
        quint32 scanCode;
        int qtKey;
        Qt::KeyboardModifiers modifiers;
        Key virtualKey;
    } cases[] = {
        {"left shift", 50, Qt::Key_Shift, Qt::ShiftModifier, 160},
        {"right shift", 62, Qt::Key_Shift, Qt::ShiftModifier, 161},
        {"left control", 37, Qt::Key_Control, Qt::ControlModifier, 162},
        {"right control", 105, Qt::Key_Control, Qt::ControlModifier, 163},
        {"left alt", 64, Qt::Key_Alt, Qt::AltModifier, 164},
        {"right alt as AltGr", 108, Qt::Key_AltGr, {}, 165},
        {"left logo key", 133, Qt::Key_Meta, Qt::MetaModifier, 91},
        {"right logo key", 134, Qt::Key_Meta, Qt::MetaModifier, 92},
        {"keypad 1 with Num Lock off", 87, Qt::Key_End, Qt::KeypadModifier, 97},
        {"keypad 5 with Num Lock on", 84, Qt::Key_5, Qt::KeypadModifier, 101},
        {"keypad enter", 104, Qt::Key_Enter, Qt::KeypadModifier, 13},
        {"keypad /", 106, Qt::Key_Slash, Qt::KeypadModifier, 111},
        {"shifted letter", 38, Qt::Key_A, Qt::ShiftModifier, 65},
        {"shifted digit", 10, Qt::Key_Exclam, Qt::ShiftModifier, 49},
        {"grave accent", 49, Qt::Key_QuoteLeft, {}, 192},
        {"escape", 9, Qt::Key_Escape, {}, 27},
        {"return", 36, Qt::Key_Return, {}, 13},
        {"F1", 67, Qt::Key_F1, {}, 112},
        {"F12", 96, Qt::Key_F12, {}, 123},
        {"F13", 191, Qt::Key_F13, {}, 124},
        {"menu key", 135, Qt::Key_Menu, {}, 93},
        {"print screen", 107, Qt::Key_Print, {}, 44},
        {"pause", 127, Qt::Key_Pause, {}, 19},
        {"page down", 117, Qt::Key_PageDown, {}, 34},
        {"the extra key of a national keyboard", 94, Qt::Key_Less, {}, std::nullopt},
        {"a media key", 123, Qt::Key_VolumeUp, {}, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VirtualKeyOf(c.qtKey, c.modifiers, c.scanCode), c.virtualKey) << c.what;
    }
}

TEST(KeyTranslationTest, WithoutAScanCodeQtsKeyDecides) {
    const struct {
        int qtKey;
        Qt::KeyboardModifiers modifiers;
        Key virtualKey;
    } cases[] = {
        {Qt::Key_Q, {}, 81},
        {Qt::Key_0, {}, 48},
        {Qt::Key_0, Qt::KeypadModifier, 96},
        {Qt::Key_Asterisk, {}, 56},
        {Qt::Key_Asterisk, Qt::KeypadModifier, 106},
        {Qt::Key_Comma, Qt::KeypadModifier, 108},
        {Qt::Key_Home, Qt::KeypadModifier, 36},
        {Qt::Key_Shift, Qt::ShiftModifier, 160},
        {Qt::Key_Question, Qt::ShiftModifier, 191},
        {Qt::Key_F24, {}, 135},
        {Qt::Key_Execute, {}, 43},
        {Qt::Key_Select, {}, 41},
        {Qt::Key_Clear, {}, 12},
        {Qt::Key_VolumeUp, {}, std::nullopt},
        {Qt::Key_F25, {}, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VirtualKeyOf(c.qtKey, c.modifiers, 0), c.virtualKey) << std::hex << c.qtKey;
    }
    const QKeyEvent event(QEvent::KeyPress, Qt::Key_7, Qt::KeypadModifier, 79, 0, 0);
    EXPECT_EQ(VirtualKeyOf(event), 103);
}

TEST(KeyTranslationTest, EveryKeyOfTheKeyTableCanBeRecorded) {
    std::set<int> reachable;
    for (quint32 scanCode = 8; scanCode < 256; ++scanCode) {
        if (const Key key = VirtualKeyOf(Qt::Key_unknown, {}, scanCode)) {
            reachable.insert(*key);
        }
    }
    // Keys a standard keyboard lacks arrive only by Qt's key code.
    for (const auto& [qtKey, modifiers] : {std::pair{Qt::Key_Execute, Qt::NoModifier},
                                           {Qt::Key_Select, Qt::NoModifier},
                                           {Qt::Key_Clear, Qt::NoModifier},
                                           {Qt::Key_Comma, Qt::KeypadModifier}}) {
        if (const Key key = VirtualKeyOf(qtKey, modifiers, 0)) {
            reachable.insert(*key);
        }
    }
    for (int code = 0; code < 256; ++code) {
        const auto virtualKey = VirtualKeyFromKeyCode(static_cast<std::uint8_t>(code));
        if (virtualKey != code) {
            EXPECT_TRUE(reachable.contains(virtualKey))
                << KeyCodeName(static_cast<std::uint8_t>(code)) << " (virtual key "
                << int{virtualKey} << ")";
            // And it is recorded as its own key.
            EXPECT_EQ(KeyCodeFromVirtualKey(virtualKey), code);
        }
    }
}

}  // namespace
}  // namespace pelmar
