// The profile actions against a settings file in a temporary folder, with no
// mouse connected: what each leaves in the editing buffer and in the file.
#include "profile/ProfileActions.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/ini/IniFile.h"
#include "profile/MacroFile.h"
#include "profile/ProfileStore.h"
#include "tests/support/RecordingPointerSettings.h"
#include "tests/support/TempFolder.h"

namespace pelmar {
namespace {

using test::TempFolder;
using test::WriteFile;

// Five profiles that differ in K0 and FIRE_TIME, and the templates: keys a
// section leaves out read as 0.
constexpr const char* kConfig =
    "[Init]\nCurConfig=2\nVER_SEL=1\n"
    "[Config1]\nK0=11\nFIRE_TIME=101\nDPI_SET_EN0=1\n"
    "[Config2]\nK0=12\nFIRE_TIME=102\nDPI_SET_EN0=1\n"
    "[Config3]\nK0=13\nFIRE_TIME=103\nDPI_SET_EN0=1\n"
    "[Config4]\nK0=14\nFIRE_TIME=104\nDPI_SET_EN0=1\n"
    "[Config5]\nK0=15\nFIRE_TIME=105\nDPI_SET_EN0=1\n"
    "[CfgReset2]\nK0=2\nFIRE_TIME=202\nMACRO_MODE2=1\n"
    "[CfgReset3]\nK0=3\nFIRE_TIME=203\n"
    "[CfgReset4]\nK0=4\nFIRE_TIME=204\n"
    "[CfgReset5]\nK0=5\nFIRE_TIME=205\n"
    "[CfgReset_EN5]\nK0=55\nFIRE_TIME=255\n";

class ProfileActionsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        state_.model = &ModelA();
        state_.programFolder = folder_.path();
        state_.configPath = folder_ / "config.ini";
        state_.skinFolder = folder_ / "skins";
        state_.macroFilePath = folder_ / "Macro_EN.dat";
        WriteFile(state_.configPath, kConfig);
        state_.currentProfileNumber = 2;
        state_.languageEnglish = 1;
        state_.profile = Saved(2);
    }

    // Section `number` of the file as LoadProfile reads it.
    Profile Saved(std::int32_t number, Section section = Section::Profile) const {
        Profile profile;
        LoadProfile(profile, state_.configPath, number, section, state_.languageEnglish,
                    *state_.model);
        return profile;
    }
    std::string Key(const std::string& section, const std::string& key) const {
        return ini::ReadString(state_.configPath, section, key, 10);
    }

    TempFolder folder_;
    SharedState state_;
};

TEST_F(ProfileActionsTest, SelectingAProfileLoadsItAndDropsTheEdits) {
    SelectProfile(state_, 3);
    EXPECT_EQ(state_.currentProfileNumber, 3);
    EXPECT_EQ(state_.profile, Saved(3));
    // Selecting it again reloads it from the file.
    state_.profile.fireTime = 7;
    SelectProfile(state_, 3);
    EXPECT_EQ(state_.profile.fireTime, 103);
    EXPECT_EQ(Key("Init", "CurConfig"), "2") << "only apply writes CurConfig";
}

TEST_F(ProfileActionsTest, SelectingAProfileWithoutSectionGivesTheBuiltInDefaults) {
    WriteFile(state_.configPath, "[Init]\nCurConfig=1\n[Config1]\nK0=11\n");
    state_.profile.macroMode2 = 1;
    SelectProfile(state_, 4);
    EXPECT_EQ(state_.currentProfileNumber, 4);
    EXPECT_EQ(state_.profile, BuiltInProfile(ModelA(), 1));
    EXPECT_FALSE(ini::HasSection(state_.configPath, "Config4"));
}

TEST_F(ProfileActionsTest, SavingWritesTheBufferIntoItsOwnSectionOnly) {
    state_.profile.fireTime = 77;
    SaveCurrentProfile(state_);
    EXPECT_EQ(Saved(2), state_.profile);
    EXPECT_EQ(Key("Config2", "DPI_SET3"), "0") << "all 22 keys are written";
    EXPECT_EQ(Saved(1).fireTime, 101);
    EXPECT_EQ(Key("Init", "CurConfig"), "2");
}

TEST_F(ProfileActionsTest, RevertKeepsTheMouseLevelAndDropsOtherUnappliedEdits) {
    ASSERT_TRUE(SaveProfile(state_.profile, state_.configPath, kAppliedSection).Ok());
    Profile applied = state_.profile;
    // An edit never applied, and a level the mouse switched to on its own.
    state_.profile.fireTime = 250;
    state_.profile.dpiLevel = 3;

    RevertToApplied(state_);
    applied.dpiLevel = 3;
    EXPECT_EQ(state_.profile, applied);
    EXPECT_EQ(Saved(kAppliedSection), applied);
    EXPECT_EQ(state_.currentProfileNumber, 2);
    EXPECT_EQ(Saved(2).dpiLevel, 0) << "the profile's own section is not touched";
}

TEST_F(ProfileActionsTest, RevertWithNothingEverAppliedKeepsTheBuffer) {
    state_.profile.fireTime = 250;
    const Profile edited = state_.profile;
    RevertToApplied(state_);
    EXPECT_EQ(state_.profile, edited);
    EXPECT_FALSE(ini::HasSection(state_.configPath, "Config6"));
}

// The default macros: one macro per language, told apart by its name.
class RestoreDefaultsTest : public ProfileActionsTest {
  protected:
    void SetUp() override {
        ProfileActionsTest::SetUp();
        WriteDefaultMacros("INI_EN", u"english");
        WriteDefaultMacros("INI_CN", u"chinese");
        // The user's own macros, which a reset replaces.
        UserMacroTable mine;
        mine.count = 3;
        static_cast<void>(WriteMacroFile(state_.macroFilePath, mine));
        ReadMacroFile(state_.macroFilePath, state_.macros);
    }

    void WriteDefaultMacros(const std::string& folder, std::u16string_view name) {
        std::filesystem::create_directories(state_.skinFolder / folder);
        UserMacroTable table;
        table.count = 1;
        SetMacroName(table.records[0], name);
        static_cast<void>(WriteMacroFile(state_.skinFolder / folder / "defMacro.dat", table));
    }

    test::RecordingPointerSettings pointer_;
};

TEST_F(RestoreDefaultsTest, ProfilesComeFromTheBuiltInTableAndTheLanguagesTemplates) {
    const struct {
        std::int32_t languageEnglish;
        std::int32_t profileFiveKey;
        std::u16string macroName;
    } cases[] = {{1, 55, u"english"}, {0, 5, u"chinese"}, {2, 5, u"english"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.languageEnglish);
        WriteFile(state_.configPath, kConfig);
        state_.languageEnglish = c.languageEnglish;
        state_.profile.macroMode2 = 1;
        RestoreDefaults(state_, pointer_);

        EXPECT_EQ(Saved(1), BuiltInProfile(ModelA(), 1)) << "macroMode2 kept";
        for (std::int32_t n = 2; n <= 4; ++n) {
            EXPECT_EQ(Saved(n), Saved(n, Section::Template)) << n;
        }
        EXPECT_EQ(Saved(2).macroMode2, 1) << "taken from the template";
        EXPECT_EQ(Saved(5).buttonFunction[0], c.profileFiveKey);
        ASSERT_EQ(state_.macros.user.count, 1);
        EXPECT_EQ(MacroName(state_.macros.user.records[0]), c.macroName);
    }
}

TEST_F(RestoreDefaultsTest, EndsWithTheCurrentProfileRestoredAppliedAndMacrosWritten) {
    state_.currentProfileNumber = 4;
    state_.profile.fireTime = 9;
    RestoreDefaults(state_, pointer_);

    EXPECT_EQ(state_.profile, Saved(4, Section::Template));
    EXPECT_EQ(state_.currentProfileNumber, 4);
    // Applied: CurConfig, the applied-settings section, the pointer speed.
    EXPECT_EQ(Key("Init", "CurConfig"), "4");
    EXPECT_EQ(Saved(kAppliedSection), state_.profile);
    EXPECT_FALSE(pointer_.changes.empty());

    MacroStore written;
    ReadMacroFile(state_.macroFilePath, written);
    EXPECT_EQ(written.user, state_.macros.user);
    EXPECT_EQ(written.user.count, 1);
}

// The built-in defaults are the model's: model B's levels start at 4, 6, 8, 10.
TEST_F(RestoreDefaultsTest, MissingTemplateGivesTheBuiltInDefaultsNotAnEmptyProfile) {
    for (const Model* model : {&ModelA(), &ModelB()}) {
        SCOPED_TRACE(model->executableName);
        state_.model = model;
        WriteFile(state_.configPath, "[Init]\nCurConfig=3\n[CfgReset2]\nK0=2\n");
        state_.currentProfileNumber = 3;
        RestoreDefaults(state_, pointer_);
        EXPECT_EQ(Saved(2).buttonFunction[0], 2);
        for (std::int32_t n : {1, 3, 4, 5}) {
            EXPECT_EQ(Saved(n).dpiSet, model->defaultDpiSet) << n;
        }
        for (std::int32_t n : {3, 4, 5}) {
            EXPECT_EQ(Saved(n), BuiltInProfile(*model, 0)) << n;
        }
        EXPECT_EQ(state_.profile, BuiltInProfile(*model, 0));
    }
}

TEST_F(RestoreDefaultsTest, UnwritableFileStillLeavesTheDefaultsInTheBuffer) {
    // A settings path inside a folder that does not exist cannot be written.
    state_.configPath = folder_ / "missing" / "config.ini";
    state_.currentProfileNumber = 1;
    state_.profile.fireTime = 9;
    RestoreDefaults(state_, pointer_);
    EXPECT_EQ(state_.profile, BuiltInProfile(ModelA(), 0));
}

}  // namespace
}  // namespace pelmar
