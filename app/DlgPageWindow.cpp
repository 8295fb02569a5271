#include "app/DlgPageWindow.h"

#include <QDesktopServices>
#include <QMetaObject>
#include <QUrl>

#include "app/CPelmarDlg.h"
#include "app/FileDialogs.h"
#include "app/SharedState.h"
#include "app/WindowLanguage.h"
#include "assign/FunctionPopup.h"
#include "skin/AdvancedPage.h"

namespace pelmar {

DlgPageWindow::DlgPageWindow(CPelmarDlg& window, const QRegion& advancedRegion, WindowDrag& drag)
    : window_(window), advancedRegion_(advancedRegion), drag_(drag) {}

void DlgPageWindow::RepaintPage(Repaint when) {
    const QRegion region =
        sharedState.currentPage == Page::Advanced ? advancedRegion_ : QRegion(window_.rect());
    if (when == Repaint::Now) {
        window_.repaint(region);
    } else {
        window_.update(region);
    }
}

void DlgPageWindow::RepaintWindow() {
    window_.repaint();
}

void DlgPageWindow::StartWindowDrag(QPoint globalPoint) {
    drag_.Start(globalPoint);
}

void DlgPageWindow::Minimize() {
    // Posted, like the system command it stands for, so that the release
    // that asked for it is finished first.
    QMetaObject::invokeMethod(
        &window_, [this] { window_.showMinimized(); }, Qt::QueuedConnection);
}

void DlgPageWindow::HideToTray() {
    window_.HideToTray();
}

void DlgPageWindow::OpenWebPage(std::string_view url) {
    QDesktopServices::openUrl(
        QUrl(QString::fromUtf8(url.data(), static_cast<qsizetype>(url.size()))));
}

void DlgPageWindow::StartLightingPreview() {
    window_.StartLightingPreview();
}

void DlgPageWindow::MacrosReplaced() {
    if (sharedState.currentPage == Page::Advanced) {
        window_.advancedPage().lists().RefreshMacroList();
        RepaintPage(Repaint::Later);
    }
}

void DlgPageWindow::EnterAdvancedPage() {
    window_.advancedPage().Enter();
}

void DlgPageWindow::LeaveAdvancedPage() {
    window_.advancedPage().Leave();
}

void DlgPageWindow::PressAdvancedArea(int area, int x) {
    window_.advancedPage().Press(area, x);
}

void DlgPageWindow::DestroyPopup() {
    window_.DestroyPopupWindow();
}

void DlgPageWindow::OpenFunctionPopup(int area) {
    CMenuDlg* popup = pelmar::OpenFunctionPopup(sharedState, window_, area);
    if (popup == nullptr) {
        return;
    }
    window_.SetPopupWindow(popup);
    // The repaint shows the new function and, through popupCloseRequest,
    // destroys the popup.
    QObject::connect(popup, &CMenuDlg::Chosen, &window_, [this] { window_.repaint(); });
}

bool DlgPageWindow::RunFileAction(FileKind kind, FileAction action) {
    return pelmar::RunFileAction(&window_, sharedState, kind, action);
}

void DlgPageWindow::SwitchLanguage(std::int32_t languageEnglish) {
    SwitchWindowLanguage(window_, languageEnglish);
}

}  // namespace pelmar
