#include <gtest/gtest.h>

#include "app/Model.h"
#include "profile/ProfileStore.h"
#include "tests/support/TempFolder.h"

namespace pelmar {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

const Model* const kModels[] = {&ModelA(), &ModelB()};

class ProfileStoreTest : public ::testing::Test {
  protected:
    TempFolder folder_;
    std::filesystem::path config_ = folder_ / "config.ini";
};

TEST_F(ProfileStoreTest, MissingSectionOrFileLoadsAllZero) {
    for (const Model* model : kModels) {
        SCOPED_TRACE(model->executableName);
        Profile profile = BuiltInProfile(*model, 1);
        LoadProfile(profile, config_, 3, Section::Profile, 0, *model);
        Profile expected;
        if (model->hasDpiSetButton) {
            expected.dpiSetButton = {60, 65, 70, 75};  // value 0 of each level
        }
        EXPECT_EQ(profile, expected);

        WriteFile(config_, "[Config1]\nK0=1\n");
        profile = BuiltInProfile(*model, 1);
        LoadProfile(profile, config_, 2, Section::Profile, 0, *model);
        EXPECT_EQ(profile.dpiSetEnabled, (std::array<std::uint8_t, 4>{0, 0, 0, 0}));
        EXPECT_EQ(profile.buttonFunction[0], 0);
        std::filesystem::remove(config_);
    }
}

struct ValueCase {
    const char* key;
    const char* text;
    std::int32_t expected;
    std::int32_t Profile::*wideField = nullptr;
    std::uint8_t Profile::*byteField = nullptr;
    SharedField<std::int32_t> Profile::*sharedField = nullptr;
};

TEST_F(ProfileStoreTest, ValuesAreCutConvertedAndNarrowed) {
    const ValueCase cases[] = {
        {"FIRE_TIME", "12345", 1234, &Profile::fireTime},
        {"FIRE_TIME", "x5", 0, &Profile::fireTime},
        {"FIRE_TIME", "5x", 5, &Profile::fireTime},
        {"FIRE_TIME", " -20", -20, &Profile::fireTime},
        {"LED_STATUS", "300", 44, nullptr, &Profile::ledStatus},
        {"DPI_SPEED", "257", 1, nullptr, &Profile::dpiSpeed},
        {"DPI_LEVEL", "3", 3, nullptr, nullptr, &Profile::dpiLevel},
        {"MACRO_MODE2", "1", 1, nullptr, nullptr, &Profile::macroMode2},
    };
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.text);
        WriteFile(config_, std::string("[Config1]\n") + c.key + "=" + c.text + "\n");
        Profile profile;
        LoadProfile(profile, config_, 1, Section::Profile, 0, ModelA());
        const std::int32_t value = c.wideField != nullptr     ? profile.*(c.wideField)
                                   : c.sharedField != nullptr ? (profile.*(c.sharedField)).Load()
                                                              : profile.*(c.byteField);
        EXPECT_EQ(value, c.expected);
    }
}

TEST_F(ProfileStoreTest, DpiKeysReadNineCharactersAndEnableFlagsNormalise) {
    WriteFile(config_, "[Config2]\nDPI_SET1=000000003\nDPI_SET_EN2=7\nDPI_SET_EN3=0\n");
    Profile profile;
    LoadProfile(profile, config_, 2, Section::Profile, 0, ModelA());
    EXPECT_EQ(profile.dpiSet[1], 3);
    EXPECT_EQ(profile.dpiSetEnabled, (std::array<std::uint8_t, 4>{0, 0, 1, 0}));
    EXPECT_EQ(profile.dpiSetButton, (std::array<std::int32_t, 4>{60, 68, 70, 75}));

    profile.dpiSetEnabled[2] = 7;
    ASSERT_TRUE(SaveProfile(profile, config_, 2).Ok());
    EXPECT_NE(ReadFile(config_).find("DPI_SET_EN2=1\n"), std::string::npos);
}

TEST_F(ProfileStoreTest, OnlyModelsWithDpiButtonsDeriveThem) {
    WriteFile(config_, "[Config1]\nDPI_SET0=4\nDPI_SET3=2\n");
    Profile a;
    LoadProfile(a, config_, 1, Section::Profile, 0, ModelA());
    EXPECT_EQ(a.dpiSetButton, (std::array<std::int32_t, 4>{64, 65, 70, 77}));
    Profile b;
    LoadProfile(b, config_, 1, Section::Profile, 0, ModelB());
    EXPECT_EQ(b.dpiSetButton, (std::array<std::int32_t, 4>{}));
}

TEST_F(ProfileStoreTest, TemplateOfProfileFiveFollowsEnglishExactlyOne) {
    WriteFile(config_,
              "[CfgReset5]\nK0=25\n[CfgReset_EN5]\nK0=26\n[CfgReset3]\nK0=27\n[Config5]\nK0=1\n");
    const struct {
        std::int32_t number;
        std::int32_t languageEnglish;
        std::int32_t expectedK0;
    } cases[] = {{5, 0, 25}, {5, 1, 26}, {5, 2, 25}, {3, 1, 27}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.number << " english " << c.languageEnglish);
        Profile profile;
        LoadProfile(profile, config_, c.number, Section::Template, c.languageEnglish, ModelA());
        EXPECT_EQ(profile.buttonFunction[0], c.expectedK0);
    }
}

TEST_F(ProfileStoreTest, NewSectionListsKeysInSaveOrder) {
    WriteFile(config_, "; settings\n[Init]\nCurConfig=1\n");
    Profile profile = BuiltInProfile(ModelA(), 1);
    profile.ledStatus = 200;
    ASSERT_TRUE(SaveProfile(profile, config_, 3).Ok());
    EXPECT_EQ(ReadFile(config_),
              "; settings\n[Init]\nCurConfig=1\n[Config3]\n"
              "K0=1\nK1=2\nK2=3\nK3=5\nK4=4\nK5=6\n"
              "DPI_LEVEL=0\nWHEEL_STATUS=0\nMACRO_MODE2=1\n"
              "DPI_SET0=0\nDPI_SET_EN0=1\nDPI_SET1=1\nDPI_SET_EN1=1\n"
              "DPI_SET2=2\nDPI_SET_EN2=1\nDPI_SET3=4\nDPI_SET_EN3=1\n"
              "LED_STATUS=200\nDPI_SPEED=4\nWHEEL_SPEED=2\nUSB_SPEED=2\nFIRE_TIME=50\n");
}

TEST_F(ProfileStoreTest, SavingTwiceReplacesInPlaceAndKeepsOtherSections) {
    const std::string before =
        "; my mouse\n[Config1]\nK0=9\n; keep me\nUNKNOWN=abc\n\n[Other]\nX = 1\n";
    WriteFile(config_, before);
    Profile profile = BuiltInProfile(ModelA(), 0);
    ASSERT_TRUE(SaveProfile(profile, config_, 1).Ok());
    const std::string once = ReadFile(config_);
    profile.fireTime = 120;
    ASSERT_TRUE(SaveProfile(profile, config_, 1).Ok());
    const std::string twice = ReadFile(config_);

    EXPECT_TRUE(twice.starts_with("; my mouse\n[Config1]\nK0=1\n; keep me\nUNKNOWN=abc\nK1=2\n"))
        << twice;
    EXPECT_TRUE(twice.ends_with("FIRE_TIME=120\n\n[Other]\nX = 1\n")) << twice;
    EXPECT_EQ(twice.size(), once.size() + 1);  // "50" became "120", nothing duplicated
    Profile loaded;
    LoadProfile(loaded, config_, 1, Section::Profile, 0, ModelA());
    EXPECT_EQ(loaded, profile);
}

TEST_F(ProfileStoreTest, SingleKeySavesTouchOnlyTheirKey) {
    const std::string before =
        "[Config6]\nK0=1\nDPI_LEVEL=0\nUSB_SPEED=2\n[Config1]\nDPI_LEVEL=1\n";
    WriteFile(config_, before);
    Profile profile;
    profile.dpiLevel = 2;
    profile.usbSpeed = 3;
    ASSERT_TRUE(SaveDpiLevel(profile, config_, 6).Ok());
    EXPECT_EQ(ReadFile(config_),
              "[Config6]\nK0=1\nDPI_LEVEL=2\nUSB_SPEED=2\n[Config1]\nDPI_LEVEL=1\n");
    ASSERT_TRUE(SaveUsbSpeed(profile, config_, 1).Ok());
    EXPECT_EQ(ReadFile(config_),
              "[Config6]\nK0=1\nDPI_LEVEL=2\nUSB_SPEED=2\n[Config1]\nDPI_LEVEL=1\nUSB_SPEED=3\n");
}

TEST_F(ProfileStoreTest, InitKeys) {
    EXPECT_EQ(ReadLanguage(config_), 0);
    EXPECT_EQ(ReadCurrentProfileNumber(config_), 0);
    WriteFile(config_, "[Init]\nCurConfig=4\nVER_SEL=257\n");
    EXPECT_EQ(ReadLanguage(config_), 1);
    EXPECT_EQ(ReadCurrentProfileNumber(config_), 4);
}

TEST(BuiltInProfileTest, DefaultsPerModel) {
    const Profile a = BuiltInProfile(ModelA(), 1);
    EXPECT_EQ(a.buttonFunction, (std::array<std::int32_t, 6>{1, 2, 3, 5, 4, 6}));
    EXPECT_EQ(a.dpiSet, (std::array<std::uint8_t, 4>{0, 1, 2, 4}));
    EXPECT_EQ(a.dpiSetButton, (std::array<std::int32_t, 4>{60, 66, 72, 79}));
    EXPECT_EQ(a.macroMode2, 1);
    EXPECT_EQ(a.fireTime, 50);
    const Profile b = BuiltInProfile(ModelB(), 0);
    EXPECT_EQ(b.dpiSet, (std::array<std::uint8_t, 4>{4, 6, 8, 10}));
    EXPECT_EQ(b.dpiSetButton, (std::array<std::int32_t, 4>{}));
}

}  // namespace
}  // namespace pelmar
