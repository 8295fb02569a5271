// The default skins of both models as shipped: every file, key and name the
// program relies on is there, in both languages.
#include <gtest/gtest.h>

#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "app/Notifier.h"
#include "profile/Profile.h"
#include "skin/SkinLoaders.h"

namespace pelmar {
namespace {

// The layout sources, beside the tests' data folder in the source tree.
std::filesystem::path SkinSource(const char* model) {
    return (std::filesystem::path(PELMAR_TEST_DATA) / "../../skins" / model).lexically_normal();
}

// Inclusive ranges of areas the program acts on or draws a state for; an
// empty one would be a dead button or a missing look.
struct Range {
    int first;
    int last;
};
constexpr Range kMainAreasA[] = {{0, 19},  {25, 30}, {36, 37}, {41, 42},
                                 {46, 57}, {60, 83}, {90, 95}};
// Model B: the step cells 66 to 113 and the hover frames 115 to 120.
constexpr Range kMainAreasB[] = {{0, 19}, {25, 30}, {41, 42}, {46, 57}, {66, 113}, {115, 120}};
constexpr Range kColourAreas[] = {{0, 3}, {9, 9}, {11, 11}};
constexpr Range kAdvancedAreas[] = {{0, 27}, {30, 33}, {43, 44}};
constexpr Range kWarningAreas[] = {{0, 2}};
// Function codes the popups offer or a profile can show.
constexpr Range kNamedFunctions[] = {{1, 17}, {21, 52}};

void ExpectAreas(const char* page, const SkinPage& table, std::span<const Range> ranges) {
    for (const Range& range : ranges) {
        for (int index = range.first; index <= range.last; ++index) {
            const SkinRect area = table.Area(index);
            EXPECT_TRUE(area.width > 0 && area.height > 0) << page << " area " << index;
        }
    }
}

struct ShippedSkin {
    const char* folder;
    const Model& (*model)();
    std::span<const Range> mainAreas;
};
const ShippedSkin kShippedSkins[] = {{"modelA", ModelA, kMainAreasA},
                                     {"modelB", ModelB, kMainAreasB}};

class ShippedSkinTest : public ::testing::TestWithParam<ShippedSkin> {};

TEST_P(ShippedSkinTest, BothLanguagesHaveEveryAreaAndName) {
    const Model& model = GetParam().model();
    std::vector<std::string> messages;
    notifier.showMessage = [&](const std::string& text) { messages.push_back(text); };
    for (const std::int32_t english : {0, 1}) {
        SCOPED_TRACE(english != 0 ? "English" : "Chinese");
        SkinLayout layout;
        const SkinFolder folder{SkinSource(GetParam().folder), english};
        ASSERT_EQ(LoadMainSkin(layout, folder, model), SkinLoad::Loaded);
        ASSERT_EQ(LoadColourSkin(layout, folder, model), SkinLoad::Loaded);
        ASSERT_EQ(LoadAdvancedSkin(layout, folder, model), SkinLoad::Loaded);
        ASSERT_EQ(LoadWarningSkin(layout, folder), SkinLoad::Loaded);

        ExpectAreas("main", layout.mainPage, GetParam().mainAreas);
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

// Model B's step cells: four rows of twelve, left to right, no two overlapping.
TEST(ShippedSkinLayoutTest, ModelBStepCellsFormFourRowsOfTwelve) {
    const Model& model = ModelB();
    SkinLayout layout;
    ASSERT_EQ(LoadMainSkin(layout, {SkinSource("modelB"), 1}, model), SkinLoad::Loaded);
    for (int level = 0; level < kDpiLevelCount; ++level) {
        const int first = model.firstDpiValueArea + level * model.dpiValueCount;
        for (int step = 1; step < model.dpiValueCount; ++step) {
            const SkinRect left = layout.mainPage.Area(first + step - 1);
            const SkinRect cell = layout.mainPage.Area(first + step);
            EXPECT_EQ(cell.y, left.y) << "level " << level << " step " << step;
            EXPECT_GE(cell.x, left.x + left.width) << "level " << level << " step " << step;
        }
        if (level > 0) {
            const SkinRect above = layout.mainPage.Area(first - model.dpiValueCount);
            EXPECT_GE(layout.mainPage.Area(first).y, above.y + above.height) << "level " << level;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Models, ShippedSkinTest, ::testing::ValuesIn(kShippedSkins),
                         [](const auto& info) { return std::string(info.param.folder); });

}  // namespace
}  // namespace pelmar
