#include "macro/MacroLists.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <mutex>

#include "macro/CQorvinMenu.h"
#include "macro/EventLines.h"

namespace pelmar {

namespace {

// The menu's commands work on one of the twelve user macros.
constexpr int kLastMenuMacro = static_cast<int>(kUserMacroCapacity) - 1;
// The character that asks the event list to edit its selected line.
constexpr char16_t kBeginEditCharacter = 1;

QString ToQString(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString NameOf(const MacroRecord& record) {
    const std::u16string name = MacroName(record);
    return QString::fromUtf16(name.data(), static_cast<qsizetype>(name.size()));
}

bool InUse(const SharedState& state, int macro) {
    return macro >= 0 && macro < state.macros.user.count &&
           static_cast<std::size_t>(macro) < state.macros.user.capacity;
}

const MacroRecord& Record(const SharedState& state, int macro) {
    return state.macros.user.records[static_cast<std::size_t>(macro)];
}

}  // namespace

MacroLists::MacroLists(SharedState& state, AdvancedPageControls& controls, CQorvinMenu& menu)
    : state_(state), controls_(controls), menu_(menu) {}

void MacroLists::RefreshMacroList() {
    QListWidget* list = controls_.macroList();
    if (list == nullptr) {
        return;
    }
    {
        const QSignalBlocker quiet(list);
        list->clear();
        for (int macro = 0; InUse(state_, macro); ++macro) {
            list->addItem(NameOf(Record(state_, macro)));
        }
    }
    if (list->count() == 0) {
        // No macro: nothing to name and no repeat count to set.
        controls_.nameEdit()->clear();
        controls_.ShowRepeatCount(1, false);
        return;
    }
    const int entry = std::min(list->count() - 1, state_.macros.currentMacro);
    state_.macros.currentMacro = entry;
    controls_.SelectMacroEntry(entry);
    SelectMacro();
}

void MacroLists::SelectMacro() {
    QListWidget* list = controls_.macroList();
    if (list == nullptr || list->currentRow() < 0) {
        return;
    }
    state_.macros.currentMacro = list->currentRow();
    controls_.nameEdit()->setText(list->currentItem()->text());
    RefreshEventList(state_.macros.currentMacro);
}

void MacroLists::ClearEventList() {
    if (CEditableListBox* list = controls_.eventList()) {
        list->clear();
    }
}

void MacroLists::RefreshEventList(int macro) {
    if (!controls_.created()) {
        return;
    }
    state_.recordedPresses = 0;
    state_.recordedReleases = 0;
    ClearEventList();
    if (!InUse(state_, macro)) {
        return;
    }
    const int events = Record(state_, macro).eventCount;
    for (int event = 0; event < events; ++event) {
        AddEventLines(macro, event);
    }
    ShowRepeatSetting(macro);
}

void MacroLists::ShowRepeatSetting(int macro) {
    const MacroRecord& record = Record(state_, macro);
    // A file may hold any value; only exactly 1 shows the setting as on.
    if (record.repeatOn == 1) {
        controls_.ShowRepeatCount(record.repeatCount, true);
    } else {
        controls_.ShowRepeatCount(1, false);
    }
}

void MacroLists::AddEventLines(int macro, int event) {
    if (macro < 0 || static_cast<std::size_t>(macro) >= state_.macros.user.capacity || event < 0 ||
        static_cast<std::size_t>(event) >= kMacroEventSlots) {
        return;
    }
    const MacroRecord& record = Record(state_, macro);
    const std::uint8_t action = record.events[static_cast<std::size_t>(event)].action;
    if (action == kEventPress) {
        ++state_.recordedPresses;
    } else if (action == kEventRelease) {
        ++state_.recordedReleases;
    }
    controls_.window().update();

    CEditableListBox* list = controls_.eventList();
    if (list == nullptr) {
        return;
    }
    for (const std::string& line : EventLinesOf(record, event)) {
        list->addItem(ToQString(line));
    }
    controls_.SelectEventLine(state_.recording ? list->count() - 1 : state_.selectedEventLine);
}

void MacroLists::OpenEventMenu(QPoint globalPosition) {
    CEditableListBox* list = controls_.eventList();
    if (list == nullptr || state_.recording) {
        return;
    }
    const QRect area(list->viewport()->mapToGlobal(QPoint(0, 0)), list->viewport()->size());
    const int lineHeight = list->count() > 0 ? list->visualItemRect(list->item(0)).height()
                                             : list->fontMetrics().height();
    const int line = EventMenuLine(lineHeight, list->verticalScrollBar()->value(),
                                   globalPosition.y(), area.top());
    state_.selectedEventLine = line;
    controls_.SelectEventLine(line);

    const int macroEntry = controls_.macroList()->currentRow();
    menuTarget_.macro = std::min(macroEntry, kLastMenuMacro);
    menuTarget_.event = EventOfLine(std::max(list->currentRow(), 0));
    menuTarget_.lineCount = list->count();
    if (EventMenuOpens(area.contains(globalPosition), line, menuTarget_.lineCount)) {
        if (QMenu* menu = menu_.Submenu(0)) {
            menu->popup(globalPosition);
        }
    }
}

bool MacroLists::RunCommand(std::int32_t id) {
    const std::optional<EventCommand> command = FindEventCommand(id);
    if (!command) {
        return false;
    }
    switch (RunEventCommand(state_.macros, menuTarget_, *command, state_.selectedEventLine,
                            state_.recording)) {
        case EventCommandEffect::None:
            break;
        case EventCommandEffect::RefreshList:
            RefreshEventList(menuTarget_.macro);
            break;
        case EventCommandEffect::BeginDelayEdit:
            if (CEditableListBox* list = controls_.eventList()) {
                delayEditPending_ = true;
                const QString text(QChar{kBeginEditCharacter});
                QKeyEvent request(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier, text);
                QCoreApplication::sendEvent(list, &request);
            }
            break;
    }
    return true;
}

void MacroLists::ApplyEditedDelay() {
    CEditableListBox* list = controls_.eventList();
    if (list == nullptr) {
        return;
    }
    if (!std::exchange(delayEditPending_, false) || !InUse(state_, menuTarget_.macro)) {
        // Only the menu's Modify Delay edits the macro; a line edited any
        // other way shows the macro again.
        RefreshEventList(state_.macros.currentMacro);
        return;
    }
    const QListWidgetItem* line = list->item(state_.selectedEventLine);
    const std::uint16_t delay =
        EditedDelayValue(line != nullptr ? line->text().toStdString() : std::string());
    {
        const std::lock_guard lock(state_.macros.mutex);
        MacroRecord& record =
            state_.macros.user.records[static_cast<std::size_t>(menuTarget_.macro)];
        if (menuTarget_.event < record.eventCount) {
            record.delays[static_cast<std::size_t>(menuTarget_.event)] = delay;
        }
    }
    RefreshEventList(menuTarget_.macro);
}

}  // namespace pelmar
