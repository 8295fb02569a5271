#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "macro/KeyTable.h"

namespace pelmar {
namespace {

struct ExpectedKey {
    std::string name;
    std::optional<int> virtualKey;
};

// The key table written out the way it is documented: ranges paired element by element, then
// the single rows. Built independently of the program's table so that the two check each other.
std::map<int, ExpectedKey> DocumentedKeys() {
    std::map<int, ExpectedKey> keys;
    const auto range = [&](int firstCode, int lastCode, int firstVk, auto name) {
        for (int code = firstCode; code <= lastCode; ++code) {
            keys[code] = {name(code - firstCode), firstVk + (code - firstCode)};
        }
    };
    range(4, 29, 65, [](int i) { return std::string(1, static_cast<char>('A' + i)); });
    range(30, 38, 49, [](int i) { return std::to_string(i + 1); });
    range(58, 69, 112, [](int i) { return "F" + std::to_string(i + 1); });
    range(89, 97, 97, [](int i) { return "NUMPAD" + std::to_string(i + 1); });
    range(104, 115, 124, [](int i) { return "F" + std::to_string(i + 13); });
    const std::pair<int, ExpectedKey> singles[] = {
        {39, {"0", 48}},
        {40, {"RETURN", 13}},
        {41, {"ESCAPE", 27}},
        {42, {"BACK", 8}},
        {43, {"TAB", 9}},
        {44, {"SPACE", 32}},
        {45, {"-", 189}},
        {46, {"+", 187}},
        {47, {"[{", 219}},
        {48, {"]}", 221}},
        {49, {"\\|", 220}},
        {50, {"`~", 192}},
        {51, {";:", 186}},
        {52, {" ' ", 222}},
        {54, {",", 188}},
        {55, {".", 190}},
        {56, {"/?", 191}},
        {57, {"CAPITAL", 20}},
        {70, {"SNAPSHOT", 44}},
        {71, {"SCROLL", 145}},
        {72, {"PAUSE", 19}},
        {73, {"INSERT", 45}},
        {74, {"HOME", 36}},
        {75, {"PRIOR", 33}},
        {76, {"DELETE", 46}},
        {77, {"END", 35}},
        {78, {"NEXT", 34}},
        {79, {"RIGHT", 39}},
        {80, {"LEFT", 37}},
        {81, {"DOWN", 40}},
        {82, {"UP", 38}},
        {83, {"NUMLOCK", 144}},
        {84, {"DIVIDE", 111}},
        {85, {"MULTIPLY", 106}},
        {86, {"SUBTRACT", 109}},
        {87, {"ADD", 107}},
        {98, {"NUMPAD0", 96}},
        {99, {"DECIMAL", 110}},
        {101, {"APPS", 93}},
        {116, {"EXECUTE", 43}},
        {117, {"HELP", 47}},
        {118, {"MENU", std::nullopt}},
        {119, {"SELECT", 41}},
        {156, {"CLEAR", 12}},
        {159, {"SEPARATOR", 108}},
        {224, {"LCONTROL", 162}},
        {225, {"LSHIFT", 160}},
        {226, {"LMENU", 164}},
        {227, {"LWIN", 91}},
        {228, {"RCONTROL", 163}},
        {229, {"RSHIFT", 161}},
        {230, {"RMENU", 165}},
        {231, {"RWIN", 92}},
        {240, {"L-KEY", std::nullopt}},
        {241, {"R-KEY", std::nullopt}},
        {242, {"M-KEY", std::nullopt}},
    };
    for (const auto& [code, key] : singles) {
        keys[code] = key;
    }
    return keys;
}

TEST(KeyTableTest, EveryCodeMatchesTheDocumentedTable) {
    const std::map<int, ExpectedKey> keys = DocumentedKeys();
    ASSERT_EQ(keys.size(), 124u);
    for (int code = 0; code < 256; ++code) {
        SCOPED_TRACE("code " + std::to_string(code));
        const auto byte = static_cast<std::uint8_t>(code);
        const auto found = keys.find(code);
        if (found == keys.end()) {
            EXPECT_EQ(KeyCodeName(byte), "NON-AVAILABLE");
            EXPECT_EQ(VirtualKeyFromKeyCode(byte), code);
            continue;
        }
        EXPECT_EQ(KeyCodeName(byte), found->second.name);
        EXPECT_EQ(KeyCodeFromName(found->second.name), byte);
        EXPECT_EQ(VirtualKeyFromKeyCode(byte), found->second.virtualKey.value_or(code));
    }
}

TEST(KeyTableTest, VirtualKeysPairBackAndUnpairedOnesPassThrough) {
    std::map<int, int> codeOfVirtualKey;
    for (const auto& [code, key] : DocumentedKeys()) {
        if (key.virtualKey) {
            codeOfVirtualKey[*key.virtualKey] = code;
        }
    }
    for (int vk = 0; vk < 256; ++vk) {
        SCOPED_TRACE("virtual key " + std::to_string(vk));
        const auto found = codeOfVirtualKey.find(vk);
        const int expected = found == codeOfVirtualKey.end() ? vk : found->second;
        EXPECT_EQ(KeyCodeFromVirtualKey(static_cast<std::uint8_t>(vk)), expected);
        if (found != codeOfVirtualKey.end()) {
            EXPECT_EQ(VirtualKeyFromKeyCode(static_cast<std::uint8_t>(expected)), vk);
        }
    }
    EXPECT_EQ(KeyCodeFromVirtualKey(192), 50);
    EXPECT_EQ(KeyCodeFromVirtualKey(166), 166);
    EXPECT_EQ(KeyCodeFromName("NON-AVAILABLE"), std::nullopt);
    EXPECT_EQ(KeyCodeFromName("a"), std::nullopt);
}

}  // namespace
}  // namespace pelmar
