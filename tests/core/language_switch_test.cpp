// The window-independent steps of switching the interface language, against
// a program folder with both languages' layout and macro files.
#include "profile/LanguageSwitch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ini/IniFile.h"
#include "profile/ImportExport.h"
#include "profile/MacroFile.h"
#include "profile/ProfileStore.h"
#include "skin/SkinFiles.h"
#include "tests/support/MessageLog.h"
#include "tests/support/TempFolder.h"

namespace pelmar {
namespace {

using test::TempFolder;
using test::WriteFile;

std::string Tag(std::int32_t english) {
    return english != 0 ? "en" : "cn";
}

// A user macro table of `count` macros, each named after the language.
UserMacroTable Macros(std::int32_t english, int count) {
    UserMacroTable table;
    for (int i = 0; i < count; ++i) {
        const std::string name = Tag(english) + std::to_string(i);
        SetMacroName(table.records[static_cast<std::size_t>(i)],
                     std::u16string(name.begin(), name.end()));
    }
    table.count = static_cast<std::int16_t>(count);
    return table;
}

// The names of the macros in use; records beyond the count keep old content.
std::vector<std::u16string> Names(const UserMacroTable& table) {
    std::vector<std::u16string> names;
    for (int i = 0; i < table.count; ++i) {
        names.push_back(MacroName(table.records[static_cast<std::size_t>(i)]));
    }
    return names;
}

class LanguageSwitchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        state_.programFolder = folder_.path();
        state_.configPath = folder_ / "config.ini";
        state_.skinFolder = folder_ / "skins";
        WriteFile(state_.configPath, "[Init]\nCurConfig=1\nVER_SEL=1\n[Config1]\nK0=1\n");
        for (const std::int32_t english : {0, 1}) {
            for (const LayoutFile file : {LayoutFile::Main, LayoutFile::Colour,
                                          LayoutFile::Advanced, LayoutFile::Warning}) {
                const auto path = LayoutFilePath(state_.skinFolder, file, english);
                std::filesystem::create_directories(path.parent_path());
                WriteFile(path, "[BUTTONPOS]\n0=a,1,2,3,4," + Tag(english) +
                                    " area,\n"
                                    "[FUN_STRING]\n1=" +
                                    Tag(english) + " left,x\n");
            }
            ASSERT_TRUE(WriteMacroFile(UserMacroFilePath(state_.programFolder, english),
                                       Macros(english, english != 0 ? 2 : 4))
                            .Ok());
        }
        state_.languageEnglish = 1;
        state_.macroFilePath = UserMacroFilePath(state_.programFolder, 1);
        state_.profile.fireTime = 77;
    }

    TempFolder folder_;
    SharedState state_;
};

TEST_F(LanguageSwitchTest, ASwitchStoresTheLanguageAndReadsItsLayoutsAndMacros) {
    for (const std::int32_t english : {0, 1, 0}) {
        SCOPED_TRACE(Tag(english));
        EXPECT_EQ(SwitchLanguage(state_, english), SkinLoad::Loaded);
        EXPECT_EQ(state_.languageEnglish, english);
        EXPECT_EQ(ReadLanguage(state_.configPath), english);
        EXPECT_EQ(state_.skin.FunctionName(1), Tag(english) + " left");
        EXPECT_EQ(state_.skin.mainPage.Label(0), Tag(english) + " area");
        EXPECT_EQ(state_.skin.colourPage.Label(0), Tag(english) + " area");
        EXPECT_EQ(state_.skin.advancedPage.Label(0), Tag(english) + " area");
        EXPECT_EQ(state_.skin.warning.Label(0), Tag(english) + " area");
        EXPECT_EQ(state_.macroFilePath, UserMacroFilePath(state_.programFolder, english));
        EXPECT_EQ(Names(state_.macros.user), Names(Macros(english, english != 0 ? 2 : 4)));
        EXPECT_EQ(state_.profile.fireTime, 77) << "the profile in memory is kept";
    }
}

TEST_F(LanguageSwitchTest, UnsavedAndImportedMacrosAreDiscardedNotWritten) {
    const auto imported = folder_ / "imported.dat";
    ASSERT_TRUE(WriteMacroFile(imported, Macros(1, 7)).Ok());
    ImportMacros(state_, imported);
    ASSERT_EQ(state_.macros.user.count, 7);

    // Switching to the language already shown still reads its file again.
    EXPECT_EQ(SwitchLanguage(state_, 1), SkinLoad::Loaded);
    EXPECT_EQ(Names(state_.macros.user), Names(Macros(1, 2)));
    EXPECT_EQ(ini::ReadString(state_.macroFilePath, "Macros", "macroNum", 3), "2");
}

TEST_F(LanguageSwitchTest, AMissingLayoutFileIsReportedAfterTheLanguageIsStored) {
    test::MessageLog log;
    std::filesystem::remove(LayoutFilePath(state_.skinFolder, LayoutFile::Colour, 0));
    std::filesystem::remove(LayoutFilePath(state_.skinFolder, LayoutFile::Warning, 0));
    EXPECT_EQ(SwitchLanguage(state_, 0), SkinLoad::MissingFile);
    EXPECT_EQ(log.messages.size(), 2u) << "each missing file is reported";
    EXPECT_EQ(ReadLanguage(state_.configPath), 0);
}

}  // namespace
}  // namespace pelmar
