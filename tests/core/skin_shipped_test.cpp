// The default skin of model A as shipped: every file, key and name the
// program relies on is there, in both languages.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/Notifier.h"
#include "skin/SkinLoaders.h"

namespace pelmar {
namespace {

// The layout sources, beside the tests' data folder in the source tree.
const std::filesystem::path kSkinSource =
    (std::filesystem::path(PELMAR_TEST_DATA) / "../../skins/modelA").lexically_normal();

// Inclusive ranges of areas the program acts on or draws a state for; an
// empty one would be a dead button or a missing look.
struct Range {
    int first;
    int last;
};
constexpr Range kMainAreas[] = {{0, 19},  {25, 30}, {36, 37}, {41, 42},
                                {46, 57}, {60, 83}, {90, 95}};
constexpr Range kColourAreas[] = {{0, 3}, {9, 9}, {11, 11}};
constexpr Range kAdvancedAreas[] = {{0, 27}, {30, 33}, {43, 44}};
constexpr Range kWarningAreas[] = {{0, 2}};
// Function codes the popups offer or a profile can show.
constexpr Range kNamedFunctions[] = {{1, 17}, {21, 52}};

template <std::size_t N>
void ExpectAreas(const char* page, const SkinPage& table, const Range (&ranges)[N]) {
    for (const Range& range : ranges) {
        for (int index = range.first; index <= range.last; ++index) {
            const SkinRect area = table.Area(index);
            EXPECT_TRUE(area.width > 0 && area.height > 0) << page << " area " << index;
        }
    }
}

TEST(ShippedSkinTest, BothLanguagesHaveEveryAreaAndName) {
    std::vector<std::string> messages;
    notifier.showMessage = [&](const std::string& text) { messages.push_back(text); };
    for (const std::int32_t english : {0, 1}) {
        SCOPED_TRACE(english != 0 ? "English" : "Chinese");
        SkinLayout layout;
        const SkinFolder folder{kSkinSource, english};
        ASSERT_EQ(LoadMainSkin(layout, folder, ModelA()), SkinLoad::Loaded);
        ASSERT_EQ(LoadColourSkin(layout, folder, ModelA()), SkinLoad::Loaded);
        ASSERT_EQ(LoadAdvancedSkin(layout, folder, ModelA()), SkinLoad::Loaded);
        ASSERT_EQ(LoadWarningSkin(layout, folder), SkinLoad::Loaded);

        ExpectAreas("main", layout.mainPage, kMainAreas);
        ExpectAreas("colour", layout.colourPage, kColourAreas);
        ExpectAreas("advanced", layout.advancedPage, kAdvancedAreas);
        ExpectAreas("warning", layout.warning, kWarningAreas);
        for (const SkinRect& control : {layout.repeatEditRect, layout.nameEditRect,
                                        layout.macroListRect, layout.eventListRect}) {
            EXPECT_TRUE(control.width > 0 && control.height > 0);
        }
        for (const Range& range : kNamedFunctions) {
            for (int code = range.first; code <= range.last; ++code) {
                EXPECT_FALSE(layout.FunctionName(code).empty()) << "function " << code;
            }
        }
        for (const int label : {0, 2, 3, 9, 10, 11, 17, 18}) {
            EXPECT_FALSE(layout.mainPage.Label(label).empty()) << "main label " << label;
        }
        EXPECT_FALSE(layout.warning.Label(kWarningMessage).empty());
    }
    EXPECT_TRUE(messages.empty());
    notifier.showMessage = nullptr;
}

}  // namespace
}  // namespace pelmar
