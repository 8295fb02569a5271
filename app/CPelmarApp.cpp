#include "app/CPelmarApp.h"

#include <QApplication>
#include <cstdio>
#include <span>
#include <string>

#include "app/CPelmarDlg.h"
#include "app/CommandLine.h"
#include "app/SharedState.h"
#include "app/SingleInstance.h"
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
constexpr int kRestoreTimeoutMs = 1500;
constexpr const char* kVersionText = "Pelmar Version 1.0";

QString FromPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
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

    SharedState& state = sharedState;
    state.model = &model_;
    state.programFolder =
        line.folder.empty() ? ExecutableFolder() : std::filesystem::absolute(line.folder);

    QApplication application(argc, argv);
    InitResources();
    MapSkinFonts();
    CreateLabelFonts(model_);
    application.setApplicationName(QString::fromStdString(name));

    SingleInstance instance(
        SingleInstance::KeyFor(QString::fromStdString(name), FromPath(state.programFolder)));
    if (!instance.Claim()) {
        instance.AskRunningInstanceToRestore(kRestoreTimeoutMs);
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
    dialog.show();
    return application.exec();
}

}  // namespace pelmar
