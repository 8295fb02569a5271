#include "app/CPelmarDlg.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>

#include "app/CAboutDlg.h"
#include "app/SharedState.h"
#include "app/Titles.h"
#include "device/InputListener.h"
#include "macro/MacroPlayerThread.h"
#include "macro/PlayerClock.h"
#include "res/Menus.h"
#include "skin/AdvancedPage.h"

namespace pelmar {

namespace {

// The dialog template measures 533 by 395 dialog units; the skin's mask sets
// the final size.
constexpr QSize kTemplateSize{800, 640};

// System commands of the window's own menu.
enum class SystemCommand : int {
    About = 0x0010,
    Minimize = 0xF020,
    Close = 0xF060,
};

}  // namespace

CPelmarDlg::CPelmarDlg(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      icon_(":/pelmar/icon.png"),
      clock_(std::make_unique<SteadyPlayerClock>()) {
    resize(kTemplateSize);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Hover tracking needs every pointer move, not only those with a button held.
    setMouseTracking(true);
    setWindowIcon(icon_);
    advancedPage_ = std::make_unique<AdvancedPage>(*this, macroMenu_, sharedState);
    connect(&macroMenu_, &CQorvinMenu::commandChosen, this, &CPelmarDlg::OnCommand);
    connect(&trayMenu_, &CQorvinMenu::commandChosen, this, &CPelmarDlg::OnCommand);
}

CPelmarDlg::~CPelmarDlg() {
    StopWorkers();
}

void CPelmarDlg::RestoreWindow() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void CPelmarDlg::OnCommand(int id) {
    if (advancedPage_->OnCommand(id)) {
        return;
    }
    switch (static_cast<MenuCommand>(id)) {
        case MenuCommand::ExitDriver:
        case MenuCommand::ChineseExitDriver:
            ExitDriver();
            return;
        case MenuCommand::ShowWindow:
        case MenuCommand::ChineseShowWindow:
            ShowFromTray();
            return;
        default:
            break;
    }
    switch (static_cast<SystemCommand>(id)) {
        case SystemCommand::About: {
            CAboutDlg about(this);
            about.exec();
            return;
        }
        case SystemCommand::Minimize:
            showMinimized();
            return;
        case SystemCommand::Close:
            HideToTray();
            return;
    }
}

void CPelmarDlg::OpenSystemMenu(const QPoint& globalPosition) {
    // Built at every opening so that it follows the interface language.
    systemMenu_.clear();
    {
        const bool english = sharedState.languageEnglish != 0;
        const auto add = [this](const QString& text, SystemCommand command) {
            QAction* action = systemMenu_.addAction(text);
            connect(action, &QAction::triggered, this,
                    [this, command] { OnCommand(static_cast<int>(command)); });
        };
        add(english ? "Mi&nimize" : "最小化(&N)", SystemCommand::Minimize);
        add(english ? "&Close" : "关闭(&C)", SystemCommand::Close);
        systemMenu_.addSeparator();
        add(QString::fromUtf8(kAboutItemText.data(), static_cast<qsizetype>(kAboutItemText.size())),
            SystemCommand::About);
    }
    systemMenu_.popup(globalPosition);
}

void CPelmarDlg::closeEvent(QCloseEvent* event) {
    if (ended_) {
        event->accept();
        return;
    }
    // Closing only hides the window; the program stays resident.
    event->ignore();
    HideToTray();
}

void CPelmarDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::AltModifier) {
        OpenSystemMenu(mapToGlobal(QPoint(0, 0)));
        return;
    }
    // Escape, Enter and F10 never close the window or reach a default handler.
    event->accept();
}

void CPelmarDlg::contextMenuEvent(QContextMenuEvent* event) {
    OpenSystemMenu(event->globalPos());
}

}  // namespace pelmar
