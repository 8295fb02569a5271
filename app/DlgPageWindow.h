#pragma once

#include <QRegion>

#include "app/WindowDrag.h"
#include "skin/PageWindow.h"

namespace pelmar {

class CPelmarDlg;

// The main window as the page input sees it.
class DlgPageWindow final : public PageWindow {
  public:
    // advancedRegion: the window's region outside the advanced page's child
    // controls, kept by the window and filled at start-up.
    DlgPageWindow(CPelmarDlg& window, const QRegion& advancedRegion, WindowDrag& drag);

    void RepaintPage(Repaint when) override;
    void RepaintWindow() override;
    void StartWindowDrag(QPoint globalPoint) override;
    void Minimize() override;
    void HideToTray() override;
    void OpenWebPage(std::string_view url) override;
    void StartLightingPreview() override;
    void MacrosReplaced() override;
    void EnterAdvancedPage() override;
    void LeaveAdvancedPage() override;
    void PressAdvancedArea(int area, int x) override;
    void DestroyPopup() override;
    void OpenFunctionPopup(int area) override;
    bool RunFileAction(FileKind kind, FileAction action) override;
    void SwitchLanguage(std::int32_t languageEnglish) override;

  private:
    CPelmarDlg& window_;
    const QRegion& advancedRegion_;
    WindowDrag& drag_;
};

}  // namespace pelmar
