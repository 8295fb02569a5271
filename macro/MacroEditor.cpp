#include "macro/MacroEditor.h"

#include <QSignalBlocker>
#include <algorithm>

#include "app/Notifier.h"
#include "macro/MacroEditing.h"
#include "profile/MacroFile.h"

namespace pelmar {

namespace {

std::u16string ToU16(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

}  // namespace

MacroEditor::MacroEditor(SharedState& state, AdvancedPageControls& controls, MacroLists& lists,
                         MacroRecorder& recorder)
    : state_(state), controls_(controls), lists_(lists), recorder_(recorder) {}

void MacroEditor::AddMacro() {
    if (!controls_.created()) {
        return;
    }
    const QString name = controls_.nameEdit()->text();
    controls_.macroList()->setFocus();
    const std::optional<AddedMacro> added = AddMacroRecord(state_.macros, ToU16(name));
    if (!added) {
        return;
    }
    if (added->created) {
        lists_.ClearEventList();
        const QSignalBlocker quiet(controls_.macroList());
        controls_.macroList()->addItem(name);
    }
    // Selected as the program's choice: the lists keep showing what they
    // showed when the name already existed.
    controls_.SelectMacroEntry(added->index);
}

void MacroEditor::DeleteMacro() {
    if (!controls_.created() || state_.recording) {
        return;
    }
    QListWidget* list = controls_.macroList();
    const int entry = list->currentRow();
    const std::optional<int> next = DeleteMacroRecord(state_.macros, entry);
    if (!next) {
        return;
    }
    {
        const QSignalBlocker quiet(list);
        delete list->takeItem(entry);
    }
    controls_.SelectMacroEntry(*next);
    if (list->count() == 0) {
        controls_.nameEdit()->clear();
        controls_.ShowRepeatCount(1, false);
    } else {
        controls_.nameEdit()->setText(list->item(*next)->text());
    }
    lists_.RefreshEventList(*next);
}

void MacroEditor::ToggleRecording() {
    if (!controls_.created()) {
        return;
    }
    controls_.eventList()->setFocus();
    QListWidget* list = controls_.macroList();
    if (list->count() == 0) {
        return;
    }
    if (state_.recording) {
        recorder_.Stop();
        controls_.window().releaseKeyboard();
    } else {
        recorder_.Start(std::max(list->currentRow(), 0));
        controls_.ShowRepeatCount(1, false);
        lists_.ClearEventList();
        controls_.window().grabKeyboard();
    }
    controls_.window().update();
}

void MacroEditor::ConfirmRepeatCount() {
    if (!controls_.created()) {
        return;
    }
    QLineEdit* edit = controls_.repeatEdit();
    const RepeatCountEntry entry = ParseRepeatCount(edit->text().toStdString());
    if (entry.rewritten) {
        edit->setText(QString::number(entry.value));
    }
    StoreRepeatCount(state_.macros, state_.macros.currentMacro, entry.value);
    // The table is written as it stands, also when it has no macro left.
    if (const ini::WriteResult saved = WriteMacroFile(state_.macroFilePath, state_.macros.user);
        !saved.Ok()) {
        notifier.ShowMessage(saved.error);
    }
}

void MacroEditor::ToggleRepeat() {
    const std::optional<bool> on = ToggleRepeatOn(state_.macros, state_.macros.currentMacro);
    if (!on) {
        return;
    }
    const MacroRecord& record =
        state_.macros.user.records[static_cast<std::size_t>(state_.macros.currentMacro)];
    controls_.ShowRepeatCount(*on ? record.repeatCount : 1, *on);
    controls_.window().update();
}

void MacroEditor::ToggleLoopMode() {
    pelmar::ToggleLoopMode(state_.profile);
    controls_.window().update();
}

void MacroEditor::RecordKey(KeyAction action, std::uint8_t virtualKey) {
    if (recorder_.RecordKeyMessage(action, virtualKey)) {
        lists_.AddEventLines(recorder_.recordingMacro(), recorder_.recordedCount() - 1);
    }
}

}  // namespace pelmar
