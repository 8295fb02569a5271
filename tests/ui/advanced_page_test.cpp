#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTest>
#include <functional>
#include <memory>

#include "app/SharedState.h"
#include "macro/CEditHelper.h"
#include "macro/CQorvinMenu.h"
#include "profile/MacroFile.h"
#include "res/Menus.h"
#include "skin/AdvancedPage.h"
#include "tests/support/FakeUtcClock.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TempFolder.h"

namespace pelmar {
namespace {

using Lines = QStringList;

// Advanced-page areas.
constexpr int kAddArea = 2;
constexpr int kDeleteArea = 3;
constexpr int kRecordArea = 4;
constexpr int kSaveArea = 5;
constexpr int kRepeatArea = 6;
constexpr int kLoopModeArea = 7;
constexpr int kFireTimeBar = 30;

int Id(MenuCommand command) {
    return static_cast<int>(command);
}

void SetRecord(MacroRecord& record, std::u16string_view name,
               std::initializer_list<std::array<int, 3>> events, int repeatOn = 0,
               int repeatCount = 1) {
    record = MacroRecord{};
    SetMacroName(record, name);
    record.repeatOn = static_cast<std::uint8_t>(repeatOn);
    record.repeatCount = static_cast<std::uint16_t>(repeatCount);
    for (const auto& [code, action, delay] : events) {
        record.events[record.eventCount] = {static_cast<std::uint8_t>(code),
                                            static_cast<std::uint8_t>(action)};
        record.delays[record.eventCount] = static_cast<std::uint16_t>(delay);
        ++record.eventCount;
    }
}

// A window with the advanced page shown and three macros: "Tap" (A press
// 15 ms, A release 30 ms), "Burst" (no events, repeat on, 5 passes), "Hold".
class AdvancedPageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SharedState& state = *state_;
        state.currentPage = Page::Advanced;
        state.macroFilePath = folder_ / "Macro_EN.dat";
        state.skin.repeatEditRect = {10, 10, 60, 20};
        state.skin.nameEditRect = {80, 10, 120, 20};
        state.skin.macroListRect = {10, 40, 150, 120};
        state.skin.eventListRect = {170, 40, 200, 200};
        state.skin.advancedPage.Reset(38);
        state.skin.advancedPage.areas[kFireTimeBar] = {20, 260, 100, 10};
        auto& records = state.macros.user.records;
        SetRecord(records[0], u"Tap", {{4, 1, 15}, {4, 2, 30}});
        SetRecord(records[1], u"Burst", {}, 1, 5);
        SetRecord(records[2], u"Hold", {});
        state.macros.user.count = 3;

        menu_.LoadMenu(MenuResource::EnglishEventMenu);
        window_.resize(400, 300);
        window_.show();
        QApplication::setActiveWindow(&window_);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
        page_.Enter();
    }

    void TearDown() override { CloseMenu(); }

    AdvancedPageControls& controls() { return page_.controls(); }
    CEditableListBox& eventList() { return *controls().eventList(); }
    const MacroRecord& record(int macro) { return state_->macros.user.records[macro]; }

    Lines EventLines() {
        Lines lines;
        for (int line = 0; line < eventList().count(); ++line) {
            lines << eventList().item(line)->text();
        }
        return lines;
    }

    Lines MacroNames() {
        Lines names;
        for (int entry = 0; entry < controls().macroList()->count(); ++entry) {
            names << controls().macroList()->item(entry)->text();
        }
        return names;
    }

    // The user picks a macro in the macro list.
    void ChooseMacro(int entry) {
        QListWidget* list = controls().macroList();
        const QRect rect = list->visualItemRect(list->item(entry));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }

    // Releases the right button over line `line` of the event list, or below
    // the last line when there is no such line.
    void RightClickLine(int line) {
        QPoint point(20, 5);
        if (line < eventList().count()) {
            point = eventList().visualItemRect(eventList().item(line)).center();
        } else if (eventList().count() > 0) {
            point = eventList().visualItemRect(eventList().item(eventList().count() - 1)).center() +
                    QPoint(0, 40);
        }
        QTest::mouseRelease(eventList().viewport(), Qt::RightButton, {}, point);
    }

    bool MenuShown() { return menu_.Submenu(0)->isVisible(); }

    // Closes the menu without a choice; the window is active again.
    void CloseMenu() {
        menu_.Submenu(0)->hide();
        QApplication::setActiveWindow(&window_);
    }

    void Key(QEvent::Type type, Qt::Key key, std::int32_t at, bool autoRepeat = false) {
        clock_->now = at;
        QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(&window_, &event);
    }

    test::TempFolder folder_;
    std::unique_ptr<SharedState> state_ = std::make_unique<SharedState>();
    QWidget window_;
    CQorvinMenu menu_;
    test::FakeUtcClock* clock_ = new test::FakeUtcClock;
    AdvancedPage page_{window_, menu_, *state_, std::unique_ptr<UtcClock>(clock_)};
};

TEST_F(AdvancedPageTest, TheFourControlsExistWhileThePageIsShown) {
    EXPECT_EQ(controls().repeatEdit()->geometry(), QRect(10, 10, 60, 20));
    EXPECT_EQ(controls().nameEdit()->geometry(), QRect(80, 10, 120, 20));
    EXPECT_EQ(controls().macroList()->geometry(), QRect(10, 40, 150, 120));
    EXPECT_EQ(eventList().geometry(), QRect(170, 40, 200, 200));
    EXPECT_EQ(controls().nameEdit()->maxLength(), 19);
    EXPECT_EQ(controls().macroList()->palette().color(QPalette::Base), QColor(Qt::black));
    EXPECT_EQ(eventList().palette().color(QPalette::Text), QColor(Qt::white));

    page_.Leave();
    EXPECT_FALSE(controls().created());
    EXPECT_EQ(window_.findChildren<QWidget*>().size(), 0);
    page_.Enter();
    EXPECT_EQ(window_.findChildren<QListWidget*>().size(), 2);
}

TEST_F(AdvancedPageTest, EnteringShowsTheMacrosAndTheCurrentOne) {
    const struct {
        int currentMacro;
        int shown;
        Lines events;
        QString repeat;
        bool repeatEnabled;
    } cases[] = {
        {0, 0, {"[↓]A", "    15ms", "[↑]A"}, "1", false},
        {1, 1, {}, "5", true},
        {7, 2, {}, "1", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.currentMacro);
        page_.Leave();
        state_->macros.currentMacro = c.currentMacro;
        page_.Enter();
        EXPECT_EQ(MacroNames(), (Lines{"Tap", "Burst", "Hold"}));
        EXPECT_EQ(controls().macroList()->currentRow(), c.shown);
        EXPECT_EQ(state_->macros.currentMacro, c.shown);
        EXPECT_EQ(controls().nameEdit()->text(), MacroNames()[c.shown]);
        EXPECT_EQ(EventLines(), c.events);
        EXPECT_EQ(controls().repeatEdit()->text(), c.repeat);
        EXPECT_EQ(controls().repeatEdit()->isEnabled(), c.repeatEnabled);
    }
    EXPECT_EQ(state_->recordedPresses, 0);

    state_->macros.currentMacro = 0;
    page_.lists().RefreshMacroList();
    EXPECT_EQ(state_->recordedPresses, 1);
    EXPECT_EQ(state_->recordedReleases, 1);
    ChooseMacro(1);
    EXPECT_EQ(state_->macros.currentMacro, 1);
    EXPECT_EQ(controls().nameEdit()->text(), "Burst");
    EXPECT_EQ(EventLines(), Lines{});
    EXPECT_EQ(state_->recordedPresses, 0);
}

TEST_F(AdvancedPageTest, TheMenuOpensOverALineAndItsCommandsEditTheMacro) {
    RightClickLine(2);
    EXPECT_TRUE(MenuShown());
    EXPECT_EQ(state_->selectedEventLine, 2);
    EXPECT_EQ(page_.lists().menuTarget().event, 1);
    EXPECT_TRUE(page_.OnCommand(Id(MenuCommand::InsertBeforeRightDown)));
    EXPECT_EQ(EventLines(), (Lines{"[↓]A", "    15ms", "[↓]R-KEY", "    30ms", "[↑]A"}));
    EXPECT_EQ(eventList().currentRow(), 4);

    CloseMenu();
    RightClickLine(1);
    EXPECT_TRUE(page_.OnCommand(Id(MenuCommand::ChineseDelete)));
    EXPECT_EQ(EventLines(), (Lines{"[↓]R-KEY", "    30ms", "[↑]A"}));
    EXPECT_EQ(eventList().currentRow(), 0);

    // Below the last line: the line is remembered but no menu opens.
    CloseMenu();
    RightClickLine(9);
    EXPECT_FALSE(MenuShown());
    EXPECT_GE(state_->selectedEventLine, 3);

    // An empty list opens the menu anywhere; inserting after adds event 0.
    ChooseMacro(2);
    RightClickLine(0);
    EXPECT_TRUE(MenuShown());
    EXPECT_TRUE(page_.OnCommand(Id(MenuCommand::InsertAfterMiddleUp)));
    EXPECT_EQ(EventLines(), Lines{"[↑]M-KEY"});
    EXPECT_EQ(eventList().currentRow(), 0);
    EXPECT_FALSE(page_.OnCommand(Id(MenuCommand::ShowWindow)));
}

TEST_F(AdvancedPageTest, ModifyDelayEditsTheDelayLineInPlace) {
    const struct {
        const char* what;
        QString typed;
        std::function<void(CEditHelper*)> end;
        int delay;
    } cases[] = {
        {"enter stores the value", "250",
         [](CEditHelper* e) { QTest::keyClick(e, Qt::Key_Return); }, 250},
        {"escape keeps the delay", "250",
         [](CEditHelper* e) { QTest::keyClick(e, Qt::Key_Escape); }, 15},
        {"focus loss stores the value", "300",
         [this](CEditHelper*) { controls().nameEdit()->setFocus(); }, 300},
        {"a negative value keeps its low byte", "-5",
         [](CEditHelper* e) { QTest::keyClick(e, Qt::Key_Return); }, 251},
        {"a large value keeps its low 16 bits", "70000",
         [](CEditHelper* e) { QTest::keyClick(e, Qt::Key_Return); }, 4464},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetRecord(state_->macros.user.records[0], u"Tap", {{4, 1, 15}, {4, 2, 30}});
        page_.lists().RefreshEventList(0);
        RightClickLine(1);
        CloseMenu();
        page_.OnCommand(Id(MenuCommand::ModifyDelay));
        CEditHelper* editor = eventList().editor();
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->text(), "    15ms");
        QTest::keyClicks(editor, c.typed);
        c.end(editor);

        EXPECT_EQ(eventList().editor(), nullptr);
        EXPECT_EQ(record(0).delays[0], c.delay);
        EXPECT_EQ(EventLines(), (Lines{"[↓]A", QString("    %1ms").arg(c.delay), "[↑]A"}));
        QApplication::processEvents();
    }

    // On an event line the command edits nothing.
    RightClickLine(0);
    page_.OnCommand(Id(MenuCommand::ModifyDelay));
    EXPECT_EQ(eventList().editor(), nullptr);
}

TEST_F(AdvancedPageTest, AnEditNotBegunByTheMenuChangesNoDelay) {
    SetRecord(state_->macros.user.records[2], u"Hold", {{5, 1, 40}, {5, 2, 30}});
    RightClickLine(1);  // the menu's target: Tap's first delay
    CloseMenu();
    // Another macro's delay line, edited straight from the keyboard.
    ChooseMacro(2);
    ASSERT_EQ(eventList().currentRow(), 1);
    QKeyEvent request(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier, QString(QChar(1)));
    QApplication::sendEvent(&eventList(), &request);
    ASSERT_NE(eventList().editor(), nullptr);
    QTest::keyClicks(eventList().editor(), "9");
    QTest::keyClick(eventList().editor(), Qt::Key_Return);

    EXPECT_EQ(record(0).delays[0], 15);
    EXPECT_EQ(record(2).delays[0], 40);
    EXPECT_EQ(EventLines(), (Lines{"[↓]B", "    40ms", "[↑]B"}));
}

TEST_F(AdvancedPageTest, RecordingTakesEveryKeyThroughTheWindowUntilStopped) {
    ChooseMacro(0);
    ASSERT_TRUE(page_.Press(kRecordArea, 0));
    EXPECT_TRUE(state_->recording);
    EXPECT_EQ(QWidget::keyboardGrabber(), &window_);
    EXPECT_EQ(EventLines(), Lines{});
    EXPECT_EQ(controls().repeatEdit()->text(), "1");
    EXPECT_FALSE(controls().repeatEdit()->isEnabled());

    Key(QEvent::KeyPress, Qt::Key_A, 1000);
    Key(QEvent::KeyRelease, Qt::Key_A, 1010, true);  // the window system's repeat
    Key(QEvent::KeyPress, Qt::Key_A, 1010, true);
    Key(QEvent::KeyRelease, Qt::Key_A, 1120);
    Key(QEvent::KeyPress, Qt::Key_B, 1320);
    Key(QEvent::KeyRelease, Qt::Key_B, 1410);
    EXPECT_EQ(eventList().currentRow(), eventList().count() - 1);
    // The recording goes on while another page is shown.
    page_.Leave();
    Key(QEvent::KeyPress, Qt::Key_Escape, 1500);
    Key(QEvent::KeyRelease, Qt::Key_Escape, 1510);
    page_.Enter();
    Key(QEvent::KeyPress, Qt::Key_Return, 1600);
    Key(QEvent::KeyRelease, Qt::Key_Return, 1700);
    EXPECT_TRUE(window_.isVisible());
    EXPECT_EQ(state_->recordedPresses, 1);  // counted since the list was rebuilt

    ASSERT_TRUE(page_.Press(kRecordArea, 0));
    EXPECT_FALSE(state_->recording);
    EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);
    const MacroRecord& tap = record(0);
    ASSERT_EQ(tap.eventCount, 8);
    const int expected[8][3] = {{4, 1, 120}, {4, 2, 200}, {5, 1, 90},   {5, 2, 90},
                                {41, 1, 10}, {41, 2, 90}, {40, 1, 100}, {40, 2, 30}};
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(tap.events[k].code, expected[k][0]) << k;
        EXPECT_EQ(tap.events[k].action, expected[k][1]) << k;
        EXPECT_EQ(tap.delays[k], expected[k][2]) << k;
    }
    // Keys after the recording are the window's again.
    Key(QEvent::KeyPress, Qt::Key_C, 1800);
    EXPECT_EQ(record(0).eventCount, 8);
}

TEST_F(AdvancedPageTest, MacrosAreAddedByNameAndDeleted) {
    controls().nameEdit()->setText("Dash");
    page_.Press(kAddArea, 0);
    EXPECT_EQ(MacroNames(), (Lines{"Tap", "Burst", "Hold", "Dash"}));
    EXPECT_EQ(controls().macroList()->currentRow(), 3);
    EXPECT_EQ(MacroName(record(3)), u"Dash");

    // An existing name only moves the selection; the lists stay as they were.
    ChooseMacro(2);
    controls().nameEdit()->setText("Tap");
    page_.Press(kAddArea, 0);
    EXPECT_EQ(state_->macros.user.count, 4);
    EXPECT_EQ(controls().macroList()->currentRow(), 0);
    EXPECT_EQ(EventLines(), Lines{});

    // Nothing is deleted while recording.
    page_.Press(kRecordArea, 0);
    page_.Press(kDeleteArea, 0);
    EXPECT_EQ(state_->macros.user.count, 4);
    page_.Press(kRecordArea, 0);

    ChooseMacro(0);
    page_.Press(kDeleteArea, 0);
    EXPECT_EQ(MacroNames(), (Lines{"Burst", "Hold", "Dash"}));
    EXPECT_EQ(controls().macroList()->currentRow(), 0);
    EXPECT_EQ(controls().nameEdit()->text(), "Burst");
    EXPECT_EQ(controls().repeatEdit()->text(), "5");

    for (int left = 3; left > 0; --left) {
        page_.Press(kDeleteArea, 0);
    }
    EXPECT_EQ(state_->macros.user.count, 0);
    EXPECT_EQ(controls().nameEdit()->text(), "");
    EXPECT_EQ(controls().repeatEdit()->text(), "1");
    EXPECT_FALSE(controls().repeatEdit()->isEnabled());
    page_.Press(kDeleteArea, 0);
    page_.Press(kRecordArea, 0);
    EXPECT_FALSE(state_->recording);
}

TEST_F(AdvancedPageTest, TheRepeatCountIsHeldInRangeAndSavedWithTheMacros) {
    ChooseMacro(1);
    const struct {
        QString typed;
        QString shown;
        int stored;
    } cases[] = {
        {"12", "12", 12}, {"0", "1", 1}, {"-4", "1", 1}, {"x", "1", 1}, {"70000", "65535", 65535}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        controls().repeatEdit()->setText(c.typed);
        page_.Press(kSaveArea, 0);
        EXPECT_EQ(controls().repeatEdit()->text(), c.shown);
        EXPECT_EQ(record(1).repeatCount, c.stored);
        MacroStore saved;
        ReadMacroFile(state_->macroFilePath, saved);
        EXPECT_EQ(saved.user, state_->macros.user);
    }

    page_.Press(kRepeatArea, 0);
    EXPECT_EQ(record(1).repeatOn, 0);
    EXPECT_EQ(controls().repeatEdit()->text(), "1");
    EXPECT_FALSE(controls().repeatEdit()->isEnabled());
    page_.Press(kRepeatArea, 0);
    EXPECT_EQ(controls().repeatEdit()->text(), "65535");
    EXPECT_TRUE(controls().repeatEdit()->isEnabled());
}

TEST_F(AdvancedPageTest, SettingAreasChangeTheProfile) {
    EXPECT_TRUE(page_.Press(kLoopModeArea, 0));
    EXPECT_EQ(state_->profile.macroMode2, 1);
    EXPECT_TRUE(page_.Press(kFireTimeBar, 70));
    EXPECT_EQ(state_->profile.fireTime, 150);
    EXPECT_TRUE(page_.Press(12, 0));
    EXPECT_EQ(state_->profile.dpiSpeed, 4);
    EXPECT_FALSE(page_.Press(0, 0));
    EXPECT_FALSE(page_.Press(37, 0));
}

}  // namespace
}  // namespace pelmar
