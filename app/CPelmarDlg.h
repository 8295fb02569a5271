#pragma once

#include <QIcon>
#include <QMenu>
#include <QPointer>
#include <QRegion>
#include <QWidget>
#include <memory>

#include "app/DlgPageWindow.h"
#include "app/SharedState.h"
#include "app/WindowDrag.h"
#include "device/Discovery.h"
#include "macro/CQorvinMenu.h"
#include "platform/hid/DeviceChange.h"
#include "platform/system/PointerSettings.h"
#include "skin/LightingPreview.h"
#include "skin/PageInput.h"
#include "skin/SkinImageCache.h"

class QSystemTrayIcon;

namespace pelmar {

class AdvancedPage;
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
    // Starts with only the tray icon; without a tray, minimised.
    void StartHidden();
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

    // The advanced page: its controls, macro lists and recording.
    AdvancedPage& advancedPage() { return *advancedPage_; }

    // The open function-choice popup, if any. The paint destroys it when
    // popupCloseRequest is set; DestroyPopupWindow does so at once.
    void SetPopupWindow(QWidget* popup);
    QWidget* popupWindow() const { return popupWindow_; }
    void DestroyPopupWindow();
    // Starts the colour page's lighting preview unless it runs; call it
    // after currentPage has become the colour page. It ends by itself once
    // the page is left, and is stopped when the program ends.
    void StartLightingPreview();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    bool LoadSkin();
    void StartWorkers();
    void StopWorkers();
    void OpenSystemMenu(const QPoint& globalPosition);

    QIcon icon_;
    QRegion advancedInvalidRgn_;

    // Painting (app/DlgPaint.cpp).
    SkinImageCache skinImages_;
    QPointer<QWidget> popupWindow_;
    std::unique_ptr<LightingPreview> lightingPreview_;

    // Mouse input (app/DlgMouse.cpp): the pages' hover, clicks and page
    // switches, and the drag of the frameless window.
    WindowDrag windowDrag_{*this};
    DlgPageWindow pageWindow_{*this, advancedInvalidRgn_, windowDrag_};
    PageInput pageInput_{sharedState, pageWindow_, SystemPointerSettings()};

    CQorvinMenu macroMenu_;
    CQorvinMenu trayMenu_;
    std::unique_ptr<AdvancedPage> advancedPage_;
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
