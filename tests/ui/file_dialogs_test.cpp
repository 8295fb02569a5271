// The import and export actions through their file dialogs on the offscreen
// platform, the dialogs answered the way a user would.
#include "app/FileDialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <string>

#include "platform/ini/IniFile.h"
#include "profile/MacroFile.h"
#include "tests/support/MessageLog.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TempFolder.h"

namespace pelmar {
namespace {

QString ToQString(const std::filesystem::path& path) {
    return QString::fromStdU16String(path.u16string());
}

// Answers the next file dialog: chooses `path`, or cancels for an empty path.
void AnswerNextDialog(const std::filesystem::path& path) {
    QTimer::singleShot(0, [path] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        if (path.empty()) {
            dialog->reject();
        } else {
            dialog->selectFile(ToQString(path));
            static_cast<QDialog*>(dialog)->accept();
        }
    });
}

TEST(FileDialogsTest, EachActionAsksForItsKindOfFile) {
    test::TempFolder folder;
    const struct {
        FileKind kind;
        FileAction action;
        QFileDialog::AcceptMode mode;
        QString suffix;
        QString filter;
    } cases[] = {
        {FileKind::Profile, FileAction::Import, QFileDialog::AcceptOpen, "", "All Files(*.ini)"},
        {FileKind::Profile, FileAction::Export, QFileDialog::AcceptSave, "ini", "All Files(*.ini)"},
        {FileKind::Macros, FileAction::Import, QFileDialog::AcceptOpen, "", "All Files(*.dat)"},
        {FileKind::Macros, FileAction::Export, QFileDialog::AcceptSave, "dat", "All Files(*.dat)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filter.toStdString() + c.suffix.toStdString());
        const auto dialog = MakeFileDialog(nullptr, c.kind, c.action, folder.path());
        EXPECT_EQ(dialog->acceptMode(), c.mode);
        EXPECT_EQ(dialog->defaultSuffix(), c.suffix);
        EXPECT_EQ(dialog->nameFilters(), QStringList{c.filter});
        EXPECT_EQ(dialog->directory().absolutePath(), ToQString(folder.path()));
        EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_EQ(dialog->fileMode(), c.action == FileAction::Import ? QFileDialog::ExistingFile
                                                                     : QFileDialog::AnyFile);
    }
}

class FileActionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        state_.programFolder = folder_.path();
        state_.profile.buttonFunction = {2, 1, 3, 5, 4, 6};
        state_.profile.fireTime = 123;
    }

    test::TempFolder folder_;
    SharedState state_;
};

TEST_F(FileActionTest, AProfileExportedWithoutExtensionImportsBack) {
    AnswerNextDialog(folder_ / "mine");
    EXPECT_FALSE(RunFileAction(nullptr, state_, FileKind::Profile, FileAction::Export));
    ASSERT_TRUE(std::filesystem::exists(folder_ / "mine.ini")) << "the extension is added";

    const Profile exported = state_.profile;
    state_.profile = Profile{};
    AnswerNextDialog(folder_ / "mine.ini");
    EXPECT_TRUE(RunFileAction(nullptr, state_, FileKind::Profile, FileAction::Import));
    EXPECT_EQ(state_.profile.buttonFunction, exported.buttonFunction);
    EXPECT_EQ(state_.profile.fireTime, 123);
}

TEST_F(FileActionTest, AFileWithoutAProfileIsReportedAndChangesNothing) {
    const auto other = folder_ / "config.ini";
    test::WriteFile(other, "[Config1]\nK0=1\n");
    test::MessageLog log;
    const Profile before = state_.profile;
    for (const std::int32_t english : {1, 0}) {
        state_.languageEnglish = english;
        AnswerNextDialog(other);
        EXPECT_FALSE(RunFileAction(nullptr, state_, FileKind::Profile, FileAction::Import));
        EXPECT_EQ(state_.profile, before);
    }
    EXPECT_EQ(log.messages,
              (std::vector<std::string>{"The file holds no profile.", "文件中没有配置。"}));
}

TEST_F(FileActionTest, MacrosGoOutAndComeBackThroughTheDialogs) {
    SetMacroName(state_.macros.user.records[0], u"jump");
    state_.macros.user.count = 1;
    AnswerNextDialog(folder_ / "macros");
    RunFileAction(nullptr, state_, FileKind::Macros, FileAction::Export);
    EXPECT_EQ(ini::ReadString(folder_ / "macros.dat", "Macros", "macroNum", 3), "1");

    state_.macros.user.count = 0;
    AnswerNextDialog(folder_ / "macros.dat");
    EXPECT_TRUE(RunFileAction(nullptr, state_, FileKind::Macros, FileAction::Import));
    ASSERT_EQ(state_.macros.user.count, 1);
    EXPECT_EQ(MacroName(state_.macros.user.records[0]), u"jump");
}

TEST_F(FileActionTest, ACancelledDialogDoesNothing) {
    test::WriteFile(folder_ / "mine.ini", "[Config7]\nK0=9\n");
    for (const FileKind kind : {FileKind::Profile, FileKind::Macros}) {
        for (const FileAction action : {FileAction::Import, FileAction::Export}) {
            AnswerNextDialog({});
            EXPECT_FALSE(RunFileAction(nullptr, state_, kind, action));
        }
    }
    EXPECT_EQ(state_.profile.fireTime, 123);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.path()), {}), 1);
}

}  // namespace
}  // namespace pelmar
