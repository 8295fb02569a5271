#include "app/FileDialogs.h"

#include <array>
#include <string_view>

#include "app/Notifier.h"
#include "profile/ImportExport.h"

namespace pelmar {

namespace {

struct FileKindInfo {
    const char* filter;
    const char* extension;
};
// Indexed by FileKind.
constexpr std::array<FileKindInfo, 2> kFileKinds{{
    {"All Files(*.ini)", "ini"},
    {"All Files(*.dat)", "dat"},
}};

// Shown when an imported profile file holds no profile, by interface language.
constexpr std::string_view kNoProfileEnglish = "The file holds no profile.";
constexpr std::string_view kNoProfileChinese = "文件中没有配置。";

QString ToQString(const std::filesystem::path& path) {
    return QString::fromStdU16String(path.u16string());
}

}  // namespace

std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, FileKind kind, FileAction action,
                                            const std::filesystem::path& folder) {
    const FileKindInfo& info = kFileKinds[static_cast<std::size_t>(kind)];
    auto dialog = std::make_unique<QFileDialog>(parent, QString(), ToQString(folder),
                                                QString::fromLatin1(info.filter));
    if (action == FileAction::Import) {
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
        dialog->setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
        dialog->setDefaultSuffix(QString::fromLatin1(info.extension));
    }
    return dialog;
}

bool RunFileAction(QWidget* parent, SharedState& state, FileKind kind, FileAction action) {
    const std::unique_ptr<QFileDialog> dialog =
        MakeFileDialog(parent, kind, action, state.programFolder);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        return false;
    }
    const std::filesystem::path path(dialog->selectedFiles().first().toStdU16String());
    switch (kind) {
        case FileKind::Profile:
            if (action == FileAction::Export) {
                static_cast<void>(ExportProfile(state, path));
                return false;
            }
            if (ImportProfile(state, path) == ProfileImport::NoProfile) {
                notifier.ShowMessage(std::string(state.languageEnglish != 0 ? kNoProfileEnglish
                                                                            : kNoProfileChinese));
                return false;
            }
            return true;
        case FileKind::Macros:
            if (action == FileAction::Export) {
                static_cast<void>(ExportMacros(state, path));
                return false;
            }
            ImportMacros(state, path);
            return true;
    }
    return false;
}

}  // namespace pelmar
