#include "assign/FunctionPopup.h"

#include "assign/ButtonAssignment.h"
#include "assign/WarningDlg.h"
#include "skin/SkinRect.h"

namespace pelmar {

int RunWarningDialog(SharedState& state, QWidget& parent) {
    WarningDlg dialog(state, &parent);
    return dialog.exec();
}

CMenuDlg* OpenFunctionPopup(SharedState& state, QWidget& window, std::int32_t area,
                            const WarningRunner& runWarning) {
    state.assignTarget = area;
    const SkinRect label = state.skin.mainPage.Area(area);
    const QPoint position = window.mapToGlobal(QPoint(ToPixels(label.x), ToPixels(label.Bottom())));
    state.popupPosition = {position.x(), position.y()};

    // Any result but cancel goes on, as closing the dialog another way does
    // not mean the user declined.
    if (NeedsLeftButtonWarning(state.profile, area - kFirstButtonArea) &&
        runWarning(state, window) == kWarningCancelled) {
        return nullptr;
    }
    CMenuDlg* popup = CMenuDlg::Create(state, &window);
    if (popup == nullptr) {
        return nullptr;
    }
    popup->move(position);
    popup->show();
    state.popupOpen = 1;
    return popup;
}

}  // namespace pelmar
