#include "skin/AdvancedPage.h"

#include "macro/ListBoxEvents.h"
#include "skin/AdvancedSettingAreas.h"

namespace pelmar {

namespace {

// Advanced-page areas of the macro operations.
enum AdvancedArea : int {
    kAddMacro = 2,
    kDeleteMacro = 3,
    kRecord = 4,
    kSaveMacros = 5,
    kRepeat = 6,
    kLoopMode = 7,
};

}  // namespace

AdvancedPage::AdvancedPage(QWidget& window, CQorvinMenu& macroMenu, SharedState& state,
                           std::unique_ptr<UtcClock> clock)
    : state_(state),
      window_(window),
      clock_(std::move(clock)),
      controls_(window),
      recorder_(state, *clock_),
      lists_(state, controls_, macroMenu),
      editor_(state, controls_, lists_, recorder_),
      keyFilter_([this] { return recorder_.recording(); },
                 [this](KeyAction action, std::uint8_t key) { editor_.RecordKey(action, key); }) {
    window_.installEventFilter(&keyFilter_);
    window_.installEventFilter(this);
    connect(&controls_, &AdvancedPageControls::macroChosen, this, [this] { lists_.SelectMacro(); });
    connect(&controls_, &AdvancedPageControls::eventListRightReleased, this,
            [this](QPoint position) {
                if (state_.currentPage == Page::Advanced) {
                    lists_.OpenEventMenu(position);
                }
            });
}

AdvancedPage::~AdvancedPage() {
    // Before the members go: removing the controls ends an edit, whose end
    // would otherwise reach this half-destroyed page.
    window_.removeEventFilter(this);
    window_.removeEventFilter(&keyFilter_);
    if (recorder_.recording()) {
        window_.releaseKeyboard();
    }
}

void AdvancedPage::Enter() {
    controls_.Create(state_.skin, state_.languageEnglish);
    lists_.RefreshMacroList();
}

void AdvancedPage::Leave() {
    controls_.Destroy();
}

bool AdvancedPage::Press(int area, int x) {
    switch (area) {
        case kAddMacro:
            editor_.AddMacro();
            return true;
        case kDeleteMacro:
            editor_.DeleteMacro();
            return true;
        case kRecord:
            editor_.ToggleRecording();
            return true;
        case kSaveMacros:
            editor_.ConfirmRepeatCount();
            return true;
        case kRepeat:
            editor_.ToggleRepeat();
            return true;
        case kLoopMode:
            editor_.ToggleLoopMode();
            return true;
        default:
            break;
    }
    if (PressAdvancedSettingArea(state_.profile, state_.skin.advancedPage, area, x)) {
        window_.update();
        return true;
    }
    return false;
}

bool AdvancedPage::OnCommand(int id) {
    return lists_.RunCommand(id);
}

bool AdvancedPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == list_box_event::kEditingEnded) {
        lists_.ApplyEditedDelay();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace pelmar
