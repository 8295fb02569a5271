#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/ProgramFolder.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"

namespace pelmar {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::ScopedEnvironment;
using test::TempFolder;
using test::WriteFile;

// An installed layout: bin/ with the executable, share/pelmar/ with the
// read-only data, and a user's data home.
class ProgramFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(bin_);
        fs::create_directories(installed_ / "skins/INI_EN");
        WriteFile(installed_ / "config.ini", "[Main]\nLanguage=1\n");
        WriteFile(installed_ / "Macro_EN.dat", "installed macros");
        WriteFile(installed_ / "skins/INI_EN/skin_main_en.ini", "installed skin");
    }

    ProgramFolderSources Sources() const {
        return {.folderOption = {},
                .executableFolder = bin_,
                .installedData = InstalledDataFolder(bin_, "../share", "pelmar"),
                .userFolder = user_};
    }

    TempFolder root_;
    fs::path bin_ = root_.path() / "usr/bin";
    fs::path installed_ = root_.path() / "usr/share/pelmar";
    fs::path user_ = root_.path() / "home/.local/share/pelmar";
};

TEST_F(ProgramFolderTest, InstalledProgramSeedsTheUsersFolderOnce) {
    const ProgramFolderChoice first = ChooseProgramFolder(Sources());
    ASSERT_EQ(first.error, "");
    EXPECT_EQ(first.folder, user_);
    for (const char* file : {"config.ini", "Macro_EN.dat", "skins/INI_EN/skin_main_en.ini"}) {
        EXPECT_EQ(ReadFile(user_ / file), ReadFile(installed_ / file)) << file;
    }

    // The user's edits and the files they brought along stay as they are; a
    // file they lack (a new skin file, a deleted macro file) comes back.
    const std::string edited = "[Main]\r\nLanguage=0\r\n";
    WriteFile(user_ / "config.ini", edited);
    WriteFile(user_ / "Macro_CN.dat", "macros from the old computer");
    fs::remove(user_ / "Macro_EN.dat");
    WriteFile(installed_ / "config.ini", "[Main]\nLanguage=1\nnewer=1\n");
    WriteFile(installed_ / "Macro_CN.dat", "installed Chinese macros");

    const ProgramFolderChoice second = ChooseProgramFolder(Sources());
    ASSERT_EQ(second.error, "");
    EXPECT_EQ(ReadFile(user_ / "config.ini"), edited);
    EXPECT_EQ(ReadFile(user_ / "Macro_CN.dat"), "macros from the old computer");
    EXPECT_EQ(ReadFile(user_ / "Macro_EN.dat"), "installed macros");
    // No temporary copies are left behind.
    for (const auto& entry : fs::recursive_directory_iterator(user_)) {
        EXPECT_EQ(entry.path().filename().string().find(".seed-"), std::string::npos)
            << entry.path();
    }
}

TEST_F(ProgramFolderTest, WhichFolderWins) {
    TempFolder option;
    ProgramFolderSources withOption = Sources();
    withOption.folderOption = option.path();
    EXPECT_EQ(ChooseProgramFolder(withOption).folder, option.path());

    // A folder beside the executable that holds its own settings (a build
    // tree, a folder copied whole) is used as it is.
    WriteFile(bin_ / "config.ini", "[Main]\n");
    EXPECT_EQ(ChooseProgramFolder(Sources()).folder, bin_);
    fs::remove(bin_ / "config.ini");

    // Without installed data the executable's folder is used as before.
    fs::remove_all(installed_);
    EXPECT_EQ(ChooseProgramFolder(Sources()).folder, bin_);
    // None of these touched the user's folder.
    EXPECT_FALSE(fs::exists(user_));
}

TEST_F(ProgramFolderTest, AFolderThatCannotBeMadeIsReported) {
    // A file where the user's data home should be: no folder can be made
    // there, whoever runs the test.
    fs::create_directories(user_.parent_path().parent_path());
    WriteFile(user_.parent_path(), "not a folder");
    const ProgramFolderChoice choice = ChooseProgramFolder(Sources());
    EXPECT_TRUE(choice.folder.empty());
    EXPECT_NE(choice.error.find(user_.string()), std::string::npos) << choice.error;

    ProgramFolderSources noHome = Sources();
    noHome.userFolder.clear();
    EXPECT_NE(ChooseProgramFolder(noHome).error, "");
}

TEST(UserDataFolderTest, FollowsTheDataHomeRules) {
    const struct {
        std::optional<std::string> dataHome;
        std::optional<std::string> home;
        const char* folder;
    } cases[] = {
        {"/data", "/home/ann", "/data/pelmar"},
        {std::nullopt, "/home/ann", "/home/ann/.local/share/pelmar"},
        {"", "/home/ann", "/home/ann/.local/share/pelmar"},
        {"relative/path", "/home/ann", "/home/ann/.local/share/pelmar"},
        {std::nullopt, std::nullopt, ""},
    };
    for (const auto& c : cases) {
        const ScopedEnvironment dataHome("XDG_DATA_HOME", c.dataHome);
        const ScopedEnvironment home("HOME", c.home);
        EXPECT_EQ(UserDataFolder("pelmar"), fs::path(c.folder)) << c.dataHome.value_or("(unset)");
    }
}

}  // namespace
}  // namespace pelmar
