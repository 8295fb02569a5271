// The function-choice popups on the offscreen platform, with a small skin of
// flat colours: rows 20 pixels high and 100 wide on both levels.
#include <gtest/gtest.h>

#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <string>

#include "assign/ButtonAssignment.h"
#include "assign/CMenuDlg.h"
#include "assign/FunctionPopup.h"
#include "assign/WarningDlg.h"
#include "skin/SkinFiles.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TempFolder.h"

namespace pelmar {
namespace {

constexpr int kRowWidth = 100;
constexpr int kRowHeight = 20;
constexpr QRgb kNormal = qRgb(0, 0, 200);
constexpr QRgb kOver = qRgb(0, 200, 0);
constexpr QRgb kDown = qRgb(200, 200, 0);

using Functions = std::array<std::int32_t, kButtonCount>;

QImage Flat(int height, QRgb colour) {
    QImage image(kRowWidth, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A point in row `row` (counted from 1) of a popup, away from its label.
QPoint Row(int row) {
    return {2, (row - 1) * kRowHeight + 2};
}

void Send(QWidget& widget, QEvent::Type type, QPoint point) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(type, point, widget.mapToGlobal(point), button, held, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

void Click(QWidget& widget, QPoint point) {
    Send(widget, QEvent::MouseMove, point);
    Send(widget, QEvent::MouseButtonPress, point);
    Send(widget, QEvent::MouseButtonRelease, point);
}

class FunctionPopupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        state_.skinFolder = folder_.path();
        Save(Flat(10 * kRowHeight, qRgb(0, 0, 0)), skin_images::kMenuMask);
        Save(Flat(12 * kRowHeight, qRgb(0, 0, 0)), skin_images::kSubMenuMask);
        for (const LookImages& looks : {skin_images::kMenu, skin_images::kSubMenu}) {
            Save(Flat(12 * kRowHeight, kNormal), looks.normal);
            Save(Flat(12 * kRowHeight, kOver), looks.over);
            Save(Flat(12 * kRowHeight, kDown), looks.down);
        }
        for (int code = 1; code <= kFunctionNameCount; ++code) {
            state_.skin.functionNames[static_cast<std::size_t>(code)] = "f" + std::to_string(code);
        }
        state_.skin.mainPage.Reset(40);
        for (int area = kFirstButtonArea; area <= kLastButtonArea; ++area) {
            state_.skin.mainPage.areas[static_cast<std::size_t>(area)] = {
                10, 30 * (area - kFirstButtonArea), 80, 20};
        }
        SetMacros(5);
        state_.profile.buttonFunction = {1, 2, 3, 5, 4, 6};
        state_.assignTarget = kFirstButtonArea;
        window_.setGeometry(200, 100, 300, 300);
        window_.show();
    }

    void Save(const QImage& image, std::string_view name) {
        ASSERT_TRUE(
            image.save(QString::fromStdString((folder_ / std::string(name)).string()), "PNG"));
    }

    void SetMacros(int count) {
        for (int i = 0; i < count; ++i) {
            SetMacroName(state_.macros.user.records[static_cast<std::size_t>(i)],
                         u"macro " + std::u16string(1, static_cast<char16_t>(u'A' + i)));
        }
        state_.macros.user.count = static_cast<std::int16_t>(count);
    }

    std::unique_ptr<CMenuDlg> Open() {
        std::unique_ptr<CMenuDlg> menu(CMenuDlg::Create(state_, &window_));
        menu->move(200, 150);
        menu->show();
        return menu;
    }

    test::TempFolder folder_;
    SharedState state_;
    QWidget window_;
};

TEST_F(FunctionPopupTest, FirstLevelChoicesKeepALeftClick) {
    const struct {
        const char* what;
        Functions before;
        int button;  // index
        int row;
        Functions after;
        bool chosen;
    } cases[] = {
        {"another button keeps it", {1, 1, 3, 5, 4, 6}, 0, 2, {2, 1, 3, 5, 4, 6}, true},
        {"the next button gets it", {1, 2, 3, 5, 4, 6}, 0, 2, {2, 1, 3, 5, 4, 6}, true},
        {"the last button keeps it", {2, 2, 3, 5, 4, 1}, 5, 3, {2, 2, 3, 5, 4, 1}, true},
        {"row 7 only opens its group", {1, 2, 3, 5, 4, 6}, 1, 7, {1, 2, 3, 5, 4, 6}, false},
        {"row 11", {1, 2, 3, 5, 4, 6}, 1, 11, {1, 2, 3, 5, 4, 6}, false},
        {"row 12", {1, 2, 3, 5, 4, 6}, 1, 12, {1, 2, 3, 5, 4, 6}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        state_.profile.buttonFunction = c.before;
        state_.assignTarget = kFirstButtonArea + c.button;
        state_.popupCloseRequest = 0;
        auto menu = Open();
        QSignalSpy chosen(menu.get(), &CMenuDlg::Chosen);
        // Rows 11 and 12 lie below the popup but are hit-tested: the
        // release sees the row of the last move.
        Send(*menu, QEvent::MouseMove, Row(c.row));
        EXPECT_EQ(menu->hot(), c.row);
        Send(*menu, QEvent::MouseButtonPress, Row(c.row));
        Send(*menu, QEvent::MouseButtonRelease, Row(c.row));
        EXPECT_EQ(state_.profile.buttonFunction, c.after);
        EXPECT_EQ(chosen.count(), c.chosen ? 1 : 0);
        EXPECT_EQ(state_.popupCloseRequest, c.chosen ? 1 : 0);
        EXPECT_EQ(menu->isVisible(), !c.chosen);
    }
}

TEST_F(FunctionPopupTest, TheSecondLevelFollowsTheHoveredRow) {
    auto menu = Open();
    const struct {
        int row;
        int rows;  // 0: no second level
        int offsetRows;
        QString firstLabel;
    } steps[] = {
        {8, 10, -2, "f21"}, {9, 5, 4, "macro A"}, {7, 6, 1, "f11"},
        {10, 8, 2, "f31"},  {3, 0, 0, ""},        {9, 5, 4, "macro A"},
    };
    QPointer<CSubMenuDlg> previous;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.row);
        Send(*menu, QEvent::MouseMove, Row(step.row));
        CSubMenuDlg* sub = menu->subMenu();
        if (previous != nullptr) {
            EXPECT_FALSE(previous->isVisible()) << "the previous second level went";
        }
        if (step.rows == 0) {
            EXPECT_EQ(sub, nullptr);
            continue;
        }
        ASSERT_NE(sub, nullptr);
        EXPECT_TRUE(sub->isVisible());
        EXPECT_EQ(sub->rows(), step.rows);
        EXPECT_EQ(sub->size(), QSize(kRowWidth, step.rows * kRowHeight + 1));
        EXPECT_EQ(sub->pos(), menu->pos() + QPoint(kRowWidth, step.offsetRows * kRowHeight));
        EXPECT_EQ(sub->labels().first(), step.firstLabel);
        previous = sub;
    }
}

TEST_F(FunctionPopupTest, SecondLevelChoicesAssignTheirGroupsCodes) {
    constexpr Functions kUsual{1, 2, 3, 5, 4, 6};
    const struct {
        const char* what;
        Functions before;
        int button;  // index
        int row;
        int subRow;
        Functions after;
    } cases[] = {
        {"a user macro", kUsual, 1, 9, 3, {1, 43, 3, 5, 4, 6}},
        {"a multimedia key", kUsual, 3, 8, 10, {1, 2, 3, 30, 4, 6}},
        {"a mouse function", kUsual, 2, 7, 1, {1, 2, 11, 5, 4, 6}},
        {"a built-in macro", kUsual, 4, 10, 8, {1, 2, 3, 5, 38, 6}},
        {"the last button keeps the only left click",
         {2, 2, 3, 5, 4, 1},
         5,
         8,
         2,
         {2, 2, 3, 5, 4, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        state_.profile.buttonFunction = c.before;
        state_.assignTarget = kFirstButtonArea + c.button;
        state_.popupCloseRequest = 0;
        auto menu = Open();
        QSignalSpy chosen(menu.get(), &CMenuDlg::Chosen);
        Send(*menu, QEvent::MouseMove, Row(c.row));
        CSubMenuDlg* sub = menu->subMenu();
        ASSERT_NE(sub, nullptr);
        Click(*sub, Row(c.subRow));
        EXPECT_EQ(state_.profile.buttonFunction, c.after);
        EXPECT_EQ(state_.popupCloseRequest, 1);
        EXPECT_EQ(chosen.count(), 1);
        EXPECT_FALSE(menu->isVisible());
        EXPECT_FALSE(sub->isVisible());
    }
}

TEST_F(FunctionPopupTest, AReleaseOnTheSecondLevelBeforeAnyRowAssignsNothing) {
    auto menu = Open();
    Send(*menu, QEvent::MouseMove, Row(8));
    CSubMenuDlg* sub = menu->subMenu();
    ASSERT_NE(sub, nullptr);
    Send(*sub, QEvent::MouseButtonPress, Row(1));
    Send(*sub, QEvent::MouseButtonRelease, Row(1));
    EXPECT_EQ(state_.profile.buttonFunction, (Functions{1, 2, 3, 5, 4, 6}));
    EXPECT_EQ(state_.popupCloseRequest, 0);
}

TEST_F(FunctionPopupTest, WithoutUserMacrosRowNineOpensNothing) {
    SetMacros(0);
    auto menu = Open();
    Send(*menu, QEvent::MouseMove, Row(9));
    EXPECT_EQ(menu->subMenu(), nullptr);
}

TEST_F(FunctionPopupTest, TheHoveredRowShowsTheOverOrDownPicture) {
    auto menu = Open();
    Send(*menu, QEvent::MouseMove, Row(4));
    QImage shown = menu->grab().toImage();
    EXPECT_EQ(shown.pixel(Row(4)), kOver);
    EXPECT_EQ(shown.pixel(Row(3)), kNormal);
    EXPECT_EQ(shown.pixel(Row(5)), kNormal);
    Send(*menu, QEvent::MouseButtonPress, Row(4));
    shown = menu->grab().toImage();
    EXPECT_EQ(shown.pixel(Row(4)), kDown);
}

TEST_F(FunctionPopupTest, NoPopupWithoutAUsableMask) {
    std::filesystem::remove(folder_ / std::string(skin_images::kMenuMask));
    EXPECT_EQ(CMenuDlg::Create(state_, &window_), nullptr);
    Save(Flat(5, qRgb(0, 0, 0)), skin_images::kMenuMask);
    EXPECT_EQ(CMenuDlg::Create(state_, &window_), nullptr) << "shorter than ten rows";
}

TEST_F(FunctionPopupTest, OpeningWarnsOnlyWhenNoOtherButtonHasTheLeftClick) {
    const struct {
        const char* what;
        Functions functions;
        int warningResult;
        bool warned;
        bool opens;
    } cases[] = {
        {"another left click", {1, 2, 1, 5, 4, 6}, kWarningCancelled, false, true},
        {"confirmed", {1, 2, 3, 5, 4, 6}, kWarningConfirmed, true, true},
        {"cancelled", {1, 2, 3, 5, 4, 6}, kWarningCancelled, true, false},
        {"closed otherwise", {1, 2, 3, 5, 4, 6}, 0, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        state_.profile.buttonFunction = c.functions;
        state_.popupOpen = 0;
        int warnings = 0;
        std::unique_ptr<CMenuDlg> popup(
            OpenFunctionPopup(state_, window_, kFirstButtonArea, [&](SharedState&, QWidget&) {
                ++warnings;
                return c.warningResult;
            }));
        EXPECT_EQ(state_.assignTarget, kFirstButtonArea);
        const QPoint corner = window_.mapToGlobal(QPoint(10, 20));
        EXPECT_EQ(state_.popupPosition, (std::array<std::int32_t, 2>{corner.x(), corner.y()}));
        EXPECT_EQ(warnings, c.warned ? 1 : 0);
        EXPECT_EQ(popup != nullptr, c.opens);
        EXPECT_EQ(state_.popupOpen, c.opens ? 1 : 0);
        if (popup) {
            EXPECT_EQ(popup->pos(), corner);
            EXPECT_TRUE(popup->isVisible());
        }
    }
}

}  // namespace
}  // namespace pelmar
