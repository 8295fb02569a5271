// The main window's lifecycle: hiding to and showing from the tray, the tray
// icon and its menu, device removal, power events and the end of the program.
#include <QApplication>
#include <QCursor>
#include <QSystemTrayIcon>

#include "app/CPelmarDlg.h"
#include "app/PowerEvents.h"
#include "app/SharedState.h"
#include "app/Titles.h"
#include "device/Discovery.h"
#include "device/FeatureReports.h"
#include "platform/system/PointerSettings.h"

namespace pelmar {

void CPelmarDlg::AddTrayIcon() {
    if (trayIcon_ != nullptr) {
        return;
    }
    trayIcon_ = new QSystemTrayIcon(icon_, this);
    // The tip keeps the title of the language in force when the icon was added.
    trayIcon_->setToolTip(
        QString::fromStdString(WindowTitle(*sharedState.model, sharedState.languageEnglish)));
    connect(trayIcon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick) {
                    ShowFromTray();
                } else if (reason == QSystemTrayIcon::Context) {
                    activateWindow();
                    if (QMenu* menu = trayMenu_.Submenu(0)) {
                        menu->popup(QCursor::pos());
                    }
                }
            });
    trayIcon_->show();
    if (powerEvents_ == nullptr && sharedState.model->reappliesOnPowerEvent) {
        powerEvents_ = new PowerEvents(this);
        connect(powerEvents_, &PowerEvents::powerEvent, this, &CPelmarDlg::OnPowerEvent);
    }
}

void CPelmarDlg::RemoveTrayIcon() {
    delete trayIcon_;
    trayIcon_ = nullptr;
}

void CPelmarDlg::HideToTray() {
    showMinimized();
    // Without a tray to come back from, the window stays minimised instead of hidden.
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        return;
    }
    hide();
    AddTrayIcon();
}

void CPelmarDlg::StartHidden() {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        showMinimized();
    }
}

void CPelmarDlg::ShowFromTray() {
    show();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

void CPelmarDlg::OnDeviceChange(const DeviceChangeNotification& notification) {
    if (notification.event == DeviceChangeEvent::RemoveComplete &&
        IsOurDeviceNotification(notification, sharedState.devicePath)) {
        ExitDriver();
    }
}

void CPelmarDlg::OnPowerEvent() {
    if (!ended_) {
        ApplyProfile(sharedState, SystemPointerSettings());
    }
}

void CPelmarDlg::ExitDriver() {
    if (ended_) {
        return;
    }
    RemoveTrayIcon();
    SendExitReport(sharedState);
    RestoreNeutralPointerSpeed(SystemPointerSettings());
    ended_ = true;
    hide();
    deviceWatch_.reset();
    StopWorkers();
    QCoreApplication::exit(0);
}

}  // namespace pelmar
