// The main window's start-up: one fixed sequence that brings the program to
// life, ending with the profile applied and the tray icon added, or with the
// plug-in prompt and the end of the program.
#include <QApplication>
#include <QMessageBox>
#include <QThread>
#include <chrono>
#include <cstdio>
#include <thread>

#include "app/CPelmarDlg.h"
#include "app/SharedState.h"
#include "app/Titles.h"
#include "app/UiNotifier.h"
#include "device/FeatureReports.h"
#include "device/InputListener.h"
#include "macro/MacroPlayerThread.h"
#include "macro/PlayerClock.h"
#include "platform/hid/SystemHid.h"
#include "platform/ini/IniFile.h"
#include "platform/system/PointerSettings.h"
#include "platform/system/ProgramLauncher.h"
#include "profile/LanguageSwitch.h"
#include "profile/MacroFile.h"
#include "profile/ProfileStore.h"
#include "skin/SkinFiles.h"
#include "skin/SkinLoaders.h"
#include "skin/SkinRegion.h"

namespace pelmar {

namespace {

// The mouse is given a moment after discovery before the profile is sent.
constexpr std::chrono::milliseconds kApplyDelay{5};

constexpr std::string_view kBuiltInMacros = "constMacro.dat";

bool ProfileSectionExists(const std::filesystem::path& config, std::int32_t number) {
    return ini::HasSection(config, ProfileSectionName(number));
}

// Reads the current profile number and that profile. A number outside 1 to 5
// (no config.ini, say) gives profile 1, and a profile whose section is
// missing gets profile 1's built-in defaults, so that the mouse is never left
// without a left click or an enabled DPI level.
void LoadCurrentProfile(SharedState& state) {
    std::int32_t number = ReadCurrentProfileNumber(state.configPath);
    if (number < 1 || number > kProfileCount) {
        number = 1;
    }
    state.currentProfileNumber = number;
    state.languageEnglish = ReadLanguage(state.configPath);
    if (ProfileSectionExists(state.configPath, number)) {
        LoadProfile(state.profile, state.configPath, number, Section::Profile,
                    state.languageEnglish, *state.model);
    } else {
        state.profile = BuiltInProfile(*state.model, 0);
    }
}

}  // namespace

void CPelmarDlg::StartWorkers() {
    listener_ = std::make_unique<InputListenerThread>(sharedState);
    player_ = std::make_unique<MacroPlayerThread>(sharedState, *clock_, SystemProgramLauncher());
    listener_->Start();
    player_->Start();
}

void CPelmarDlg::StopWorkers() {
    if (listener_) {
        listener_->Stop();
    }
    if (player_) {
        player_->Stop();
    }
    if (lightingPreview_) {
        lightingPreview_->Stop();
    }
}

void CPelmarDlg::LoadMenus(std::int32_t languageEnglish) {
    macroMenu_.LoadMenu(languageEnglish != 0 ? MenuResource::EnglishEventMenu
                                             : MenuResource::ChineseEventMenu);
    trayMenu_.LoadMenu(languageEnglish != 0 ? MenuResource::EnglishTrayMenu
                                            : MenuResource::ChineseTrayMenu);
}

bool CPelmarDlg::LoadSkin() {
    // Each missing layout file has shown its message once; the program ends.
    return LoadSkinLayouts(sharedState) == SkinLoad::Loaded;
}

bool CPelmarDlg::OnInitDialog() {
    SharedState& state = sharedState;
    InstallUiNotifier(this);
    state.macroPlaying = 0;
    state.macroStop = 0;
    StartWorkers();

    state.configPath = state.programFolder / "config.ini";
    LoadCurrentProfile(state);
    setWindowTitle(QString::fromStdString(WindowTitle(*state.model, state.languageEnglish)));
    state.skinFolder = state.programFolder / "skins";
    if (!LoadSkin()) {
        ExitDriver();
        return false;
    }

    state.maskPath = state.skinFolder / skin_images::kMainMask;
    const std::optional<WindowShape> shape = BuildWindowShape(state.maskPath, state.skin);
    if (!shape) {
        ExitDriver();
        return false;
    }
    setFixedSize(shape->size);
    setMask(shape->region);
    advancedInvalidRgn_ = shape->advancedInvalidRgn;

    state.macroFilePath = UserMacroFilePath(state.programFolder, state.languageEnglish);
    ReadMacroFile(state.macroFilePath, state.macros);
    ReadBuiltInMacroFile(state.programFolder / kBuiltInMacros, state.macros);

    state.popupOpen = 0;
    {
        std::lock_guard lock(state.macros.mutex);
        const auto& table = state.macros.user;
        const int current = state.macros.currentMacro;
        const int events = current >= 0 && current < table.count
                               ? table.records[static_cast<std::size_t>(current)].eventCount
                               : 0;
        state.selectedEventLine = events > 0 ? 2 * events - 2 : 0;
    }
    LoadMenus(state.languageEnglish);

    Discovery discovery = FindDevice(state, SystemHid(), [this](const DeviceChangeNotification& n) {
        QMetaObject::invokeMethod(
            this, [this, n] { OnDeviceChange(n); }, Qt::QueuedConnection);
    });
    state.deviceConnected = discovery.found;
    deviceWatch_ = std::move(discovery.watch);
    if (discovery.accessDenied) {
        const std::string message = AccessDeniedMessage(*state.model, state.languageEnglish);
        std::fprintf(stderr, "%s: %s", QApplication::applicationName().toLocal8Bit().constData(),
                     AccessDeniedMessage(*state.model, 1).c_str());
        QMessageBox::warning(this, QApplication::applicationName(),
                             QString::fromStdString(message));
        ExitDriver();
        return false;
    }
    if (state.deviceConnected == 0) {
        QMessageBox::information(
            this, QApplication::applicationName(),
            QString::fromStdString(PlugInPrompt(*state.model, state.languageEnglish)));
        ExitDriver();
        return false;
    }
    std::this_thread::sleep_for(kApplyDelay);
    ApplyProfile(state, SystemPointerSettings());
    AddTrayIcon();
    return true;
}

}  // namespace pelmar
