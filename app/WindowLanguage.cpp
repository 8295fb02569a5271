#include "app/WindowLanguage.h"

#include <QWidget>

#include "app/CPelmarDlg.h"
#include "app/SharedState.h"
#include "app/Titles.h"
#include "macro/AdvancedPageControls.h"
#include "macro/MacroLists.h"
#include "profile/LanguageSwitch.h"
#include "skin/AdvancedPage.h"
#include "skin/ControlStyle.h"

namespace pelmar {

void SwitchWindowLanguage(CPelmarDlg& window, std::int32_t languageEnglish) {
    SharedState& state = sharedState;
    if (SwitchLanguage(state, languageEnglish) == SkinLoad::MissingFile) {
        window.ExitDriver();
        return;
    }
    if (state.currentPage == Page::Advanced) {
        AdvancedPageControls& controls = window.advancedPage().controls();
        for (QWidget* control : {static_cast<QWidget*>(controls.repeatEdit()),
                                 static_cast<QWidget*>(controls.nameEdit()),
                                 static_cast<QWidget*>(controls.macroList()),
                                 static_cast<QWidget*>(controls.eventList())}) {
            if (control != nullptr) {
                StyleAdvancedControl(*control, state.languageEnglish);
            }
        }
        window.advancedPage().lists().RefreshMacroList();
    }
    window.LoadMenus(state.languageEnglish);
    window.setWindowTitle(QString::fromStdString(WindowTitle(*state.model, state.languageEnglish)));
}

}  // namespace pelmar
