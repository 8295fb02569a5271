#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "app/Notifier.h"
#include "macro/Utf16.h"
#include "profile/FunctionCodes.h"
#include "profile/MacroFile.h"
#include "profile/ProfileStore.h"
#include "tests/support/TempFolder.h"

namespace pelmar {
namespace {

const std::filesystem::path kData = PELMAR_GENERATED_DATA;

template <typename Table>
std::vector<std::string> Names(const Table& table) {
    std::vector<std::string> names;
    for (int i = 0; i < table.count; ++i) {
        names.push_back(Utf8FromUtf16(MacroName(table.records[static_cast<std::size_t>(i)])));
    }
    return names;
}

class ShippedDataTest : public ::testing::Test {
  protected:
    void SetUp() override {
        notifier.showMessage = [this](const std::string& text) { messages_.push_back(text); };
    }
    void TearDown() override {
        notifier.showMessage = nullptr;
        EXPECT_TRUE(messages_.empty());
    }

    std::vector<std::string> messages_;
};

TEST_F(ShippedDataTest, BuiltInMacrosMatchTheSkinsLabelsAndPlaySomething) {
    MacroStore store;
    ReadBuiltInMacroFile(kData / "constMacro.dat", store);
    EXPECT_EQ(Names(store.builtIn),
              (std::vector<std::string>{"Copy", "Paste", "Cut", "Undo", "Redo", "Select All",
                                        "Save", "Double Click"}));
    for (int i = 0; i < store.builtIn.count; ++i) {
        const MacroRecord& record = store.builtIn.records[static_cast<std::size_t>(i)];
        EXPECT_GT(record.eventCount, 0) << i;
        EXPECT_EQ(record.repeatOn, 0) << i;
    }
}

TEST_F(ShippedDataTest, DefaultUserMacrosAreTheInitialMacroFiles) {
    struct Case {
        const char* language;
        std::size_t count;
    };
    for (const Case c : {Case{"EN", 6}, Case{"CN", 7}}) {
        SCOPED_TRACE(c.language);
        const std::string suffix = c.language;
        MacroStore defaults;
        ReadMacroFile(kData / "skins" / ("INI_" + suffix) / "defMacro.dat", defaults);
        MacroStore initial;
        ReadMacroFile(kData / ("Macro_" + suffix + ".dat"), initial);
        EXPECT_TRUE(initial.user == defaults.user);
        EXPECT_EQ(static_cast<std::size_t>(defaults.user.count), c.count);
        const std::vector<std::string> names = Names(defaults.user);
        EXPECT_EQ(std::set(names.begin(), names.end()).size(), names.size()) << "names repeat";
        for (const std::string& name : names) {
            EXPECT_FALSE(name.empty());
        }
    }
}

void ExpectUsableProfiles(const Model& model, const std::filesystem::path& data) {
    const std::filesystem::path config = data / "config.ini";
    EXPECT_EQ(ReadCurrentProfileNumber(config), 1);
    EXPECT_EQ(ReadLanguage(config), 1);

    MacroStore english;
    ReadMacroFile(data / "Macro_EN.dat", english);
    MacroStore chinese;
    ReadMacroFile(data / "Macro_CN.dat", chinese);

    std::vector<Profile> profiles;
    for (int number = 1; number <= kProfileCount; ++number) {
        SCOPED_TRACE("profile " + std::to_string(number));
        Profile profile;
        LoadProfile(profile, config, number, Section::Profile, 1, model);
        EXPECT_NE(
            std::find(profile.buttonFunction.begin(), profile.buttonFunction.end(), kLeftClickCode),
            profile.buttonFunction.end());
        ASSERT_TRUE(profile.dpiLevel >= 0 && profile.dpiLevel < kDpiLevelCount);
        EXPECT_EQ(profile.dpiSetEnabled[static_cast<std::size_t>(profile.dpiLevel)], 1);
        for (const std::uint8_t value : profile.dpiSet) {
            EXPECT_LT(value, model.dpiValueCount) << "a DPI value the model does not offer";
        }

        // Restore Defaults gives the profile back as shipped, in either language.
        for (const std::int32_t languageEnglish : {0, 1}) {
            Profile restored = BuiltInProfile(model, 0);
            if (number > 1) {
                LoadProfile(restored, config, number, Section::Template, languageEnglish, model);
            }
            const MacroStore& macros = languageEnglish == 1 ? english : chinese;
            for (const std::int32_t function : restored.buttonFunction) {
                const FunctionInfo info = DescribeFunction(function);
                if (info.kind == FunctionKind::UserMacro) {
                    EXPECT_LT(info.tableIndex, macros.user.count) << "unbound macro " << function;
                }
            }
            if (languageEnglish == 1) {
                EXPECT_EQ(restored, profile);
            }
        }
        EXPECT_EQ(std::count(profiles.begin(), profiles.end(), profile), 0) << "not distinct";
        profiles.push_back(profile);
    }
}

// The DPI of each level of a profile, as the window shows it.
std::vector<int> LevelDpis(const Model& model, const std::filesystem::path& data, int number) {
    Profile profile;
    LoadProfile(profile, data / "config.ini", number, Section::Profile, 1, model);
    std::vector<int> dpis;
    for (const std::uint8_t value : profile.dpiSet) {
        dpis.push_back(DisplayedDpi(model, model.dpiValueCodes[value]));
    }
    return dpis;
}

// Each model's program folder gets a config.ini of its own, generated for the model.
struct ShippedConfig {
    const char* name;
    const Model& (*model)();
    const char* data;
};
const ShippedConfig kShippedConfigs[] = {{"model A", ModelA, PELMAR_GENERATED_DATA},
                                         {"model B", ModelB, PELMAR_GENERATED_DATA_B}};

TEST_F(ShippedDataTest, ConfigHoldsFiveDistinctUsableProfilesAndTheirTemplates) {
    for (const ShippedConfig& shipped : kShippedConfigs) {
        SCOPED_TRACE(shipped.name);
        ExpectUsableProfiles(shipped.model(), shipped.data);
    }
    // A profile that names its DPIs gets the same DPIs on both models.
    constexpr int kShooterProfile = 2;
    EXPECT_EQ(LevelDpis(ModelB(), PELMAR_GENERATED_DATA_B, kShooterProfile),
              LevelDpis(ModelA(), PELMAR_GENERATED_DATA, kShooterProfile));
    EXPECT_EQ(LevelDpis(ModelA(), PELMAR_GENERATED_DATA, kShooterProfile),
              (std::vector<int>{1200, 2400, 3200, 4800}));
}

}  // namespace
}  // namespace pelmar
