#include "app/CPelmarDlg.h"

#include "app/SharedState.h"
#include "profile/ProfileStore.h"

namespace pelmar {

namespace {

// The dialog template measures 533 by 395 dialog units; the skin's mask sets
// the final size.
constexpr QSize kTemplateSize{800, 640};

}  // namespace

CPelmarDlg::CPelmarDlg(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    resize(kTemplateSize);
}

QString CPelmarDlg::WindowTitle() const {
    const Model& model = *sharedState.model;
    const std::string_view title =
        sharedState.languageEnglish != 0 ? model.englishTitle : model.chineseTitle;
    return QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size()));
}

void CPelmarDlg::OnInitDialog() {
    SharedState& state = sharedState;
    state.macroPlaying = 0;
    state.macroStop = 0;
    state.configPath = state.programFolder / "config.ini";
    state.currentProfileNumber = ReadCurrentProfileNumber(state.configPath);
    state.languageEnglish = ReadLanguage(state.configPath);
    LoadProfile(state.profile, state.configPath, state.currentProfileNumber, Section::Profile,
                state.languageEnglish, *state.model);
    setWindowTitle(WindowTitle());
    state.skinFolder = state.programFolder / "skins";
}

void CPelmarDlg::RestoreWindow() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

}  // namespace pelmar
