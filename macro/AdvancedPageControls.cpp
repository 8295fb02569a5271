#include "macro/AdvancedPageControls.h"

#include <QCoreApplication>
#include <QSignalBlocker>

#include "macro/ListBoxEvents.h"
#include "macro/MacroEditing.h"
#include "skin/ControlStyle.h"
#include "skin/SkinRect.h"

namespace pelmar {

namespace {

QRect Placement(const SkinRect& rect) {
    return {QPoint(ToPixels(rect.x), ToPixels(rect.y)),
            QSize(ToPixels(rect.width), ToPixels(rect.height))};
}

QLineEdit* MakeEdit(QWidget& window, const char* name, const SkinRect& rect,
                    std::int32_t languageEnglish) {
    auto* edit = new QLineEdit(&window);
    edit->setObjectName(name);
    edit->setAlignment(Qt::AlignCenter);
    edit->setGeometry(Placement(rect));
    StyleAdvancedControl(*edit, languageEnglish);
    return edit;
}

template <typename List>
List* MakeList(QWidget& window, const char* name, const SkinRect& rect,
               std::int32_t languageEnglish) {
    auto* list = new List(&window);
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The scroll position counts lines, as the event menu's line arithmetic needs.
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    list->setGeometry(Placement(rect));
    StyleAdvancedControl(*list, languageEnglish);
    return list;
}

}  // namespace

AdvancedPageControls::AdvancedPageControls(QWidget& window) : window_(window) {}

AdvancedPageControls::~AdvancedPageControls() {
    Destroy();
}

void AdvancedPageControls::Create(const SkinLayout& skin, std::int32_t languageEnglish) {
    if (created()) {
        return;
    }
    repeatEdit_ = MakeEdit(window_, "repeatEdit", skin.repeatEditRect, languageEnglish);
    nameEdit_ = MakeEdit(window_, "nameEdit", skin.nameEditRect, languageEnglish);
    nameEdit_->setMaxLength(kMacroNameLength);
    macroList_ = MakeList<QListWidget>(window_, "macroList", skin.macroListRect, languageEnglish);
    eventList_ =
        MakeList<CEditableListBox>(window_, "eventList", skin.eventListRect, languageEnglish);
    // The event list's own menu opens on the button's release, and the
    // window's menu must not open over it.
    eventList_->setContextMenuPolicy(Qt::PreventContextMenu);

    connect(macroList_, &QListWidget::currentRowChanged, this, [this] { emit macroChosen(); });
    connect(eventList_, &CEditableListBox::rightButtonReleased, this,
            &AdvancedPageControls::eventListRightReleased);
    for (QWidget* control :
         {static_cast<QWidget*>(repeatEdit_), static_cast<QWidget*>(nameEdit_),
          static_cast<QWidget*>(macroList_), static_cast<QWidget*>(eventList_)}) {
        control->show();
    }
}

void AdvancedPageControls::Destroy() {
    if (eventList_) {
        EndEditingEvent commit(true);
        QCoreApplication::sendEvent(eventList_, &commit);
    }
    delete eventList_;
    delete macroList_;
    delete nameEdit_;
    delete repeatEdit_;
}

void AdvancedPageControls::SelectMacroEntry(int entry) {
    if (!macroList_) {
        return;
    }
    const QSignalBlocker quiet(macroList_);
    macroList_->setCurrentRow(entry);
}

void AdvancedPageControls::SelectEventLine(int line) {
    if (eventList_) {
        eventList_->setCurrentRow(line);
    }
}

void AdvancedPageControls::ShowRepeatCount(int count, bool enabled) {
    if (repeatEdit_) {
        repeatEdit_->setText(QString::number(count));
        repeatEdit_->setEnabled(enabled);
    }
}

}  // namespace pelmar
