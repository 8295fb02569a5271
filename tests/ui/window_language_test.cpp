// Switching the language of the running main window with the shipped skin.
#include "app/WindowLanguage.h"

#include <gtest/gtest.h>

#include <QMenu>
#include <filesystem>
#include <string>

#include "app/CPelmarDlg.h"
#include "app/SharedState.h"
#include "app/Titles.h"
#include "profile/LanguageSwitch.h"
#include "profile/MacroFile.h"
#include "profile/ProfileStore.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TempFolder.h"

namespace pelmar {
namespace {

const std::filesystem::path kSkinSource =
    (std::filesystem::path(PELMAR_TEST_DATA) / "../../skins/modelA").lexically_normal();

// The titles of a menu's first popup: what the user sees when it opens.
QStringList Titles(CQorvinMenu& menu) {
    QStringList titles;
    if (QMenu* popup = menu.Submenu(0)) {
        for (const QAction* action : popup->actions()) {
            titles.append(action->text());
        }
    }
    return titles;
}

class WindowLanguageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sharedState.model = &ModelA();
        sharedState.programFolder = folder_.path();
        sharedState.configPath = folder_ / "config.ini";
        sharedState.skinFolder = kSkinSource;
        test::WriteFile(sharedState.configPath, "[Init]\nCurConfig=1\nVER_SEL=1\n");
        for (const std::int32_t english : {0, 1}) {
            UserMacroTable table;
            table.count = static_cast<std::int16_t>(english != 0 ? 1 : 3);
            ASSERT_TRUE(WriteMacroFile(UserMacroFilePath(folder_.path(), english), table).Ok());
        }
        sharedState.languageEnglish = 1;
        ASSERT_EQ(LoadSkinLayouts(sharedState), SkinLoad::Loaded);
        window_.LoadMenus(1);
        sharedState.profile.fireTime = 42;
    }
    void TearDown() override {
        sharedState.languageEnglish = 0;
        sharedState.macros.user.count = 0;
    }

    test::TempFolder folder_;
    CPelmarDlg window_;
};

TEST_F(WindowLanguageTest, TheWholeInterfaceFollowsAtOnceAndTheChoiceIsStored) {
    const QStringList englishTray = Titles(window_.trayMenu());
    const QStringList englishEvents = Titles(window_.macroMenu());
    for (const std::int32_t english : {0, 1}) {
        SCOPED_TRACE(english);
        SwitchWindowLanguage(window_, english);
        EXPECT_EQ(sharedState.languageEnglish, english);
        EXPECT_EQ(ReadLanguage(sharedState.configPath), english);
        EXPECT_EQ(window_.windowTitle().toStdString(), WindowTitle(ModelA(), english));
        EXPECT_EQ(sharedState.skin.FunctionName(1), english != 0 ? "Left Click" : "左键");
        EXPECT_EQ(sharedState.macros.user.count, english != 0 ? 1 : 3);
        EXPECT_EQ(Titles(window_.trayMenu()) == englishTray, english != 0);
        EXPECT_EQ(Titles(window_.macroMenu()) == englishEvents, english != 0);
        EXPECT_FALSE(Titles(window_.trayMenu()).isEmpty());
        EXPECT_EQ(sharedState.profile.fireTime, 42);
        EXPECT_FALSE(window_.ended());
    }
}

TEST_F(WindowLanguageTest, AMissingLayoutFileEndsTheProgram) {
    test::TempFolder skins;
    std::filesystem::copy(kSkinSource, skins.path(), std::filesystem::copy_options::recursive);
    std::filesystem::remove(skins / "INI_CN/skin_color.ini");
    sharedState.skinFolder = skins.path();
    SwitchWindowLanguage(window_, 0);
    EXPECT_TRUE(window_.ended());
    EXPECT_EQ(ReadLanguage(sharedState.configPath), 0) << "the choice was stored first";
}

}  // namespace
}  // namespace pelmar
