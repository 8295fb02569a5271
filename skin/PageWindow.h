#pragma once

#include <QPoint>
#include <cstdint>
#include <string_view>

#include "profile/ImportExport.h"

namespace pelmar {

// When a repaint happens: at the next paint, or before the call returns.
enum class Repaint : std::uint8_t { Later, Now };

// What the page input asks of the window that shows the pages. The main
// window carries it out; tests record it.
class PageWindow {
  public:
    virtual ~PageWindow() = default;

    // Repaints the current page: the whole window, or while the advanced page
    // is shown the window without its child controls, which paint themselves.
    virtual void RepaintPage(Repaint when) = 0;
    // Repaints the whole window before returning, as after a page switch.
    virtual void RepaintWindow() = 0;
    // Moves the window with the pointer until the left button is released.
    virtual void StartWindowDrag(QPoint globalPoint) = 0;
    // Asks for the window to be minimised once the current event is done.
    virtual void Minimize() = 0;
    // Minimises and hides the window, keeping the tray icon.
    virtual void HideToTray() = 0;
    // Opens a web address in the default browser.
    virtual void OpenWebPage(std::string_view url) = 0;
    // Starts the colour page's lighting preview unless it runs.
    virtual void StartLightingPreview() = 0;
    // The user macro table was replaced; the advanced page's lists follow it.
    virtual void MacrosReplaced() = 0;
    // The advanced page was chosen: its controls appear and show the macros.
    virtual void EnterAdvancedPage() = 0;
    // The advanced page was left: its controls go.
    virtual void LeaveAdvancedPage() = 0;
    // A press on one of the advanced page's own areas, at window x coordinate x.
    virtual void PressAdvancedArea(int area, int x) = 0;
    // Closes the function-choice popup if its window still exists.
    virtual void DestroyPopup() = 0;
    // Opens the function-choice popup under the button label `area`, after
    // the left-button warning where it is needed.
    virtual void OpenFunctionPopup(int area) = 0;
    // Runs an import or export through its file dialog; true when the
    // profile or the macros in memory changed.
    virtual bool RunFileAction(FileKind kind, FileAction action) = 0;
    // Switches the interface to Chinese (0) or English (1) at once.
    virtual void SwitchLanguage(std::int32_t languageEnglish) = 0;
};

}  // namespace pelmar
