// Profiles and macros copied to files the user chose and read back.
#include "profile/ImportExport.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/ini/IniFile.h"
#include "profile/MacroFile.h"
#include "profile/ProfileStore.h"
#include "tests/support/MessageLog.h"
#include "tests/support/TempFolder.h"

namespace pelmar {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

constexpr const char* kConfig =
    "[Init]\nCurConfig=2\n"
    "[Config2]\nK0=1\nK1=2\nFIRE_TIME=102\n"
    "[Config4]\nK0=1\nK1=3\nFIRE_TIME=104\n";

// A profile every field of which differs from the profiles in kConfig.
Profile Distinct() {
    Profile profile;
    profile.buttonFunction = {2, 1, 45, 23, 31, 39};
    profile.dpiLevel = 2;
    profile.wheelStatus = 1;
    profile.macroMode2 = 1;
    profile.dpiSet = {1, 2, 3, 4};
    profile.dpiSetEnabled = {1, 0, 1, 1};
    profile.ledStatus = 3;
    profile.dpiSpeed = 7;
    profile.wheelSpeed = 5;
    profile.usbSpeed = 1;
    profile.fireTime = 222;
    for (int level = 0; level < kDpiLevelCount; ++level) {
        profile.dpiSetButton[static_cast<std::size_t>(level)] =
            DpiSetButton(level, profile.dpiSet[static_cast<std::size_t>(level)]);
    }
    return profile;
}

UserMacroTable Macros(int count) {
    UserMacroTable table;
    for (int i = 0; i < count; ++i) {
        MacroRecord& record = table.records[static_cast<std::size_t>(i)];
        SetMacroName(record, u"m" + std::u16string(1, static_cast<char16_t>(u'0' + i)));
        record.eventCount = 1;
        record.events[0] = {4, 1};
        record.delays[0] = static_cast<std::uint16_t>(10 + i);
    }
    table.count = static_cast<std::int16_t>(count);
    return table;
}

class ImportExportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        state_.programFolder = folder_.path();
        state_.configPath = folder_ / "config.ini";
        state_.macroFilePath = folder_ / "Macro_EN.dat";
        WriteFile(state_.configPath, kConfig);
        state_.currentProfileNumber = 2;
    }

    TempFolder folder_;
    SharedState state_;
};

TEST_F(ImportExportTest, AnExportedProfileImportsUnderAnotherProfileNumberWithoutSaving) {
    state_.profile = Distinct();
    const auto file = folder_ / "mine.ini";
    ASSERT_TRUE(ExportProfile(state_, file).Ok());

    state_.currentProfileNumber = 4;
    LoadProfile(state_.profile, state_.configPath, 4, Section::Profile, 0, *state_.model);
    const std::string configBefore = ReadFile(state_.configPath);

    EXPECT_EQ(ImportProfile(state_, file), ProfileImport::Imported);
    EXPECT_EQ(state_.profile, Distinct());
    EXPECT_EQ(state_.currentProfileNumber, 4);
    EXPECT_EQ(ReadFile(state_.configPath), configBefore) << "import saves nothing";
}

TEST_F(ImportExportTest, ExportingIntoAnExistingFileReplacesOnlyTheExchangeSection) {
    const auto file = folder_ / "shared.ini";
    WriteFile(file, "[Other]\nX=5\n[Config7]\nK0=9\nEXTRA=1\n[Config1]\nK0=3\n");
    state_.profile = Distinct();
    ASSERT_TRUE(ExportProfile(state_, file).Ok());

    EXPECT_EQ(ini::ReadString(file, "Other", "X", 5), "5");
    EXPECT_EQ(ini::ReadString(file, "Config1", "K0", 5), "3");
    EXPECT_EQ(ini::ReadString(file, "Config7", "EXTRA", 5), "1");
    EXPECT_EQ(ini::ReadString(file, "Config7", "K0", 5), "2");
}

TEST_F(ImportExportTest, AFileWithoutAProfileChangesNothing) {
    state_.profile = Distinct();
    // config.ini itself holds profiles, but no exchange section; a missing
    // file holds nothing at all.
    for (const auto& file : {state_.configPath, folder_ / "absent.ini"}) {
        SCOPED_TRACE(file.filename().string());
        EXPECT_EQ(ImportProfile(state_, file), ProfileImport::NoProfile);
        EXPECT_EQ(state_.profile, Distinct());
    }
}

TEST_F(ImportExportTest, FewerMacrosOverMoreLeaveTheOldKeysButReadBackAsFewer) {
    const auto file = folder_ / "macros.dat";
    state_.macros.user = Macros(5);
    ASSERT_TRUE(ExportMacros(state_, file).Ok());
    state_.macros.user = Macros(3);
    ASSERT_TRUE(ExportMacros(state_, file).Ok());

    EXPECT_EQ(ini::ReadString(file, "Macros", "macroNum", 5), "3");
    EXPECT_NE(ini::ReadString(file, "Macros", "3", 50), "");
    EXPECT_NE(ini::ReadString(file, "Macros", "4", 50), "");

    state_.macros.user = Macros(8);
    ImportMacros(state_, file);
    EXPECT_EQ(state_.macros.user.count, 3);
    EXPECT_EQ(state_.macros.currentMacro, 2);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(state_.macros.user.records[static_cast<std::size_t>(i)],
                  Macros(3).records[static_cast<std::size_t>(i)]);
    }
    EXPECT_FALSE(std::filesystem::exists(state_.macroFilePath)) << "import saves nothing";
}

TEST_F(ImportExportTest, ImportingAMissingMacroFileShowsTheMessageAndEmptiesTheTable) {
    test::MessageLog log;
    state_.macros.user = Macros(4);
    ImportMacros(state_, folder_ / "absent.dat");
    EXPECT_EQ(state_.macros.user.count, 0);
    EXPECT_EQ(log.messages, std::vector<std::string>{"找不到配置文件"});
}

}  // namespace
}  // namespace pelmar
