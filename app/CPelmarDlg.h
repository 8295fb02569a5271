#pragma once

#include <QIcon>
#include <QImage>
#include <QMenu>
#include <QRegion>
#include <QWidget>
#include <memory>

#include "device/Discovery.h"
#include "macro/CQorvinMenu.h"
#include "platform/hid/DeviceChange.h"

class QSystemTrayIcon;

namespace pelmar {

class InputListenerThread;
class MacroPlayerThread;
class PowerEvents;
class SteadyPlayerClock;

// The program's one main window: frameless, shaped and painted from the skin.
// It starts the program (OnInitDialog), stays resident in the tray, and ends
// the program only through ExitDriver.
class CPelmarDlg : public QWidget {
    Q_OBJECT

public:
    explicit CPelmarDlg(QWidget* parent = nullptr);
    ~CPelmarDlg() override;

    // Brings the program to life before the window is first shown; false
    // when start-up ended the program (no mouse, a missing skin file).
    bool OnInitDialog();
    // Shows the window again, raised and active, whether hidden or minimised.
    void RestoreWindow();

    // Window states and the tray icon.
    void HideToTray();
    void ShowFromTray();
    void AddTrayIcon();
    void RemoveTrayIcon();
    // The program's only way to end: tray icon removed, exit report sent,
    // system mouse speed neutral, window gone, worker threads stopped.
    void ExitDriver();
    bool ended() const { return ended_; }

    // Loads the event-list and tray menus of a language.
    void LoadMenus(std::int32_t languageEnglish);
    CQorvinMenu& trayMenu() { return trayMenu_; }
    CQorvinMenu& macroMenu() { return macroMenu_; }
    QSystemTrayIcon* trayIcon() const { return trayIcon_; }
    // The small menu that stands in for a title bar: minimise, close, About.
    QMenu& systemMenu() { return systemMenu_; }

    // Device removal and power events, on the user-interface thread.
    void OnDeviceChange(const DeviceChangeNotification& notification);
    void OnPowerEvent();
    // A command of the tray menu, the event-list menu or the system menu.
    void OnCommand(int id);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool LoadSkin();
    void StartWorkers();
    void StopWorkers();
    void OpenSystemMenu(const QPoint& globalPosition);

    QIcon icon_;
    QImage pageImage_;
    QRegion advancedInvalidRgn_;
    CQorvinMenu macroMenu_;
    CQorvinMenu trayMenu_;
    QMenu systemMenu_;
    QSystemTrayIcon* trayIcon_ = nullptr;
    PowerEvents* powerEvents_ = nullptr;
    std::unique_ptr<SteadyPlayerClock> clock_;
    std::unique_ptr<InputListenerThread> listener_;
    std::unique_ptr<MacroPlayerThread> player_;
    std::unique_ptr<DeviceWatch> deviceWatch_;
    bool ended_ = false;
};

}  // namespace pelmar
