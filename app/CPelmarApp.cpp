#include "app/CPelmarApp.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <span>
#include <string>

#include "app/Autostart.h"
#include "app/CPelmarDlg.h"
#include "app/CommandLine.h"
#include "app/ProgramFolder.h"
#include "app/SharedState.h"
#include "app/SingleInstance.h"
#include "app/UdevRules.h"
#include "platform/hid/SystemHid.h"
#include "platform/system/ExecutablePath.h"
#include "skin/PageLabels.h"

// The icon and other resources live in the user-interface library.
static void InitResources() {
    Q_INIT_RESOURCE(resources);
}

namespace pelmar {

namespace {

constexpr int kUsageError = 2;
constexpr int kFailure = 1;
constexpr int kRestoreTimeoutMs = 1500;
constexpr const char* kVersionText = "Pelmar Version 1.0";

// Where an installed executable's data folder is, from the executable's
// folder (the build's layout of bin and data directories).
constexpr const char* kDataFromExecutable = PELMAR_DATA_FROM_BIN;

QString FromPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

int ChangeAutostart(const Model& model, AutostartRequest request) {
    const std::string name(model.executableName);
    const bool on = request == AutostartRequest::On;
    if (const std::string error = SetAutostart(model, on, ExecutablePath()); !error.empty()) {
        std::fprintf(stderr, "%s: %s\n", name.c_str(), error.c_str());
        return kFailure;
    }
    std::printf(on ? "%s starts in the tray at login: %s\n" : "%s no longer starts at login\n",
                name.c_str(), AutostartEntryPath(model).c_str());
    return 0;
}

ProgramFolderChoice ChooseFolder(const std::string& name, const CommandLine& line) {
    const std::filesystem::path executableFolder = ExecutableFolder();
    return ChooseProgramFolder({
        .folderOption = line.folder,
        .executableFolder = executableFolder,
        .installedData = InstalledDataFolder(executableFolder, kDataFromExecutable, name),
        .userFolder = UserDataFolder(name),
    });
}

}  // namespace

CPelmarApp::CPelmarApp(const Model& model) : model_(model) {}

int CPelmarApp::Run(int argc, char** argv) {
    const std::string name(model_.executableName);
    const CommandLine line =
        ParseCommandLine(std::span<const char* const>(argv, static_cast<std::size_t>(argc)));
    if (!line.error.empty()) {
        std::fprintf(stderr, "%s: %s\n%s", name.c_str(), line.error.c_str(),
                     UsageText(name).c_str());
        return kUsageError;
    }
    if (line.showHelp) {
        std::fputs(UsageText(name).c_str(), stdout);
        return 0;
    }
    if (line.showVersion) {
        std::printf("%s\n", kVersionText);
        return 0;
    }
    if (line.printUdevRules) {
        std::fputs(UdevRules(model_).c_str(), stdout);
        return 0;
    }
    if (line.autostart != AutostartRequest::Unchanged) {
        return ChangeAutostart(model_, line.autostart);
    }

    SharedState& state = sharedState;
    state.model = &model_;

    QApplication application(argc, argv);
    InitResources();
    MapSkinFonts();
    CreateLabelFonts(model_);
    application.setApplicationName(QString::fromStdString(name));
    // Lets the desktop match the window to its desktop entry and icon.
    application.setDesktopFileName(QString::fromUtf8(
        model_.applicationId.data(), static_cast<qsizetype>(model_.applicationId.size())));

    const ProgramFolderChoice folder = ChooseFolder(name, line);
    if (!folder.error.empty()) {
        std::fprintf(stderr, "%s: %s\n", name.c_str(), folder.error.c_str());
        QMessageBox::critical(nullptr, application.applicationName(),
                              QString::fromStdString(folder.error));
        return kFailure;
    }
    state.programFolder = folder.folder;

    SingleInstance instance(
        SingleInstance::KeyFor(QString::fromStdString(name), FromPath(state.programFolder)));
    if (!instance.Claim()) {
        // A hidden start (at login or on plug-in) leaves the running one as it is.
        if (!line.hidden) {
            instance.AskRunningInstanceToRestore(kRestoreTimeoutMs);
        }
        return 0;
    }

    // The HID layer the start-up searches: the real devices, followed by the
    // emulated mouse when the command line asks for it.
    const std::string hidError =
        ConfigureSystemHid({line.virtualMouse, line.virtualMouseLog, line.virtualMouseControl});
    if (!hidError.empty()) {
        std::fprintf(stderr, "%s: %s\n", name.c_str(), hidError.c_str());
    }

    CPelmarDlg dialog;
    QObject::connect(&instance, &SingleInstance::restoreRequested, &dialog,
                     &CPelmarDlg::RestoreWindow);
    if (!dialog.OnInitDialog()) {
        return 0;
    }
    if (line.hidden) {
        dialog.StartHidden();
    } else {
        dialog.show();
    }
    return application.exec();
}

}  // namespace pelmar
