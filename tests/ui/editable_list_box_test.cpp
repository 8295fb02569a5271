#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <functional>
#include <vector>

#include "macro/CEditHelper.h"
#include "macro/CEditableListBox.h"
#include "macro/ListBoxEvents.h"

namespace pelmar {
namespace {

// The list's parent: keeps the events the list sends it.
class ParentWindow : public QWidget {
  public:
    struct Change {
        int line;
        QString oldText;
    };
    std::vector<Change> changes;
    int editsEnded = 0;

  protected:
    bool event(QEvent* event) override {
        if (event->type() == list_box_event::kLineChanged) {
            const auto* changed = static_cast<LineChangedEvent*>(event);
            changes.push_back({changed->line(), changed->oldText()});
            return true;
        }
        if (event->type() == list_box_event::kEditingEnded) {
            ++editsEnded;
            return true;
        }
        return QWidget::event(event);
    }
};

void SendCharacter(QWidget* target, QChar character) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier, QString(character));
    QApplication::sendEvent(target, &press);
}

class EditableListBoxTest : public ::testing::Test {
  protected:
    void SetUp() override {
        parent_.resize(300, 200);
        list_->setGeometry(0, 0, 200, 100);
        other_->setGeometry(0, 150, 200, 20);
        for (int i = 0; i < 20; ++i) {
            list_->addItem(i % 2 == 0 ? QString("[↓]A") : QString("    %1ms").arg(i));
        }
        parent_.show();
        QApplication::setActiveWindow(&parent_);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&parent_));
    }

    // Begins editing line 1 and types `text` over the selected line text.
    CEditHelper* EditLine1(const QString& text) {
        list_->setCurrentRow(1);
        SendCharacter(list_, QChar(1));
        CEditHelper* editor = list_->editor();
        if (editor != nullptr) {
            QTest::keyClicks(editor, text);
        }
        return editor;
    }

    ParentWindow parent_;
    CEditableListBox* list_ = new CEditableListBox(&parent_);
    QLineEdit* other_ = new QLineEdit(&parent_);
};

TEST_F(EditableListBoxTest, CharacterOneLaysTheEditorOverTheSelectedLine) {
    CEditHelper* editor = EditLine1("");
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(list_->editLine(), 1);
    EXPECT_EQ(editor->text(), "    1ms");
    EXPECT_EQ(editor->selectedText(), "    1ms");
    EXPECT_TRUE(editor->hasFocus());
    EXPECT_EQ(editor->geometry(), list_->visualItemRect(list_->item(1)).adjusted(0, -2, 0, 2));
}

TEST_F(EditableListBoxTest, OtherCharactersBeginNothing) {
    list_->setCurrentRow(1);
    for (const QChar character : {QChar('a'), QChar(2), QChar('1')}) {
        SendCharacter(list_, character);
        EXPECT_EQ(list_->editor(), nullptr) << int{character.unicode()};
    }
    list_->setCurrentRow(-1);
    SendCharacter(list_, QChar(1));
    EXPECT_EQ(list_->editor(), nullptr) << "no line selected";
}

TEST_F(EditableListBoxTest, EveryWayOfEndingTellsTheParentAndCommitsUnlessDiscarded) {
    const struct {
        const char* what;
        std::function<void(CEditHelper*)> end;
        QString typed;
        QString line;  // line 1 afterwards
        bool changed;
    } cases[] = {
        {"enter commits", [](CEditHelper* e) { QTest::keyClick(e, Qt::Key_Return); }, "250", "250",
         true},
        {"keypad enter commits", [](CEditHelper* e) { QTest::keyClick(e, Qt::Key_Enter); }, "7",
         "7", true},
        {"escape discards", [](CEditHelper* e) { QTest::keyClick(e, Qt::Key_Escape); }, "250",
         "    1ms", false},
        {"focus loss commits", [this](CEditHelper*) { other_->setFocus(); }, "99", "99", true},
        {"an unchanged text changes no line",
         [](CEditHelper* e) {
             e->setText("    1ms");
             QTest::keyClick(e, Qt::Key_Return);
         },
         "", "    1ms", false},
        {"a scroll commits first",
         [this](CEditHelper*) { list_->verticalScrollBar()->setValue(3); }, "42", "42", true},
        {"a resize commits", [this](CEditHelper*) { list_->resize(180, 90); }, "43", "43", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        list_->item(1)->setText("    1ms");
        list_->verticalScrollBar()->setValue(0);
        parent_.changes.clear();
        parent_.editsEnded = 0;
        CEditHelper* editor = EditLine1(c.typed);
        ASSERT_NE(editor, nullptr);
        c.end(editor);

        EXPECT_EQ(list_->editor(), nullptr);
        EXPECT_EQ(list_->editLine(), -1);
        EXPECT_EQ(list_->item(1)->text(), c.line);
        EXPECT_EQ(list_->count(), 20);
        EXPECT_EQ(parent_.editsEnded, 1);
        ASSERT_EQ(parent_.changes.size(), c.changed ? 1U : 0U);
        if (c.changed) {
            EXPECT_EQ(parent_.changes[0].line, 1);
            EXPECT_EQ(parent_.changes[0].oldText, "    1ms");
            EXPECT_EQ(list_->currentRow(), 1);
        }
        QApplication::processEvents();
    }
}

}  // namespace
}  // namespace pelmar
