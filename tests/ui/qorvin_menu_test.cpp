#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QSignalSpy>

#include "macro/CQorvinMenu.h"

namespace pelmar {
namespace {

TEST(QorvinMenuTest, RecordsAreTakenDepthFirstForEveryMenu) {
    const struct {
        MenuResource resource;
        int records;
        const char* firstItems[4];
    } cases[] = {
        {MenuResource::EnglishEventMenu, 23, {"MENU_CN", "Add Forward", "Left Button", "Down "}},
        {MenuResource::ChineseEventMenu, 23, {"插入菜单", "项前插入    ", "左键    ", "向下    "}},
        {MenuResource::EnglishTrayMenu, 3, {"TRAY", "Show Window", "Exit Driver", nullptr}},
        {MenuResource::ChineseTrayMenu, 3, {"托盘", "显示窗口   ", "关闭驱动", nullptr}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.resource));
        CQorvinMenu menu;
        menu.LoadMenu(c.resource);
        EXPECT_EQ(menu.itemCount(), c.records);
        for (int i = 0; i < 4 && c.firstItems[i] != nullptr; ++i) {
            EXPECT_EQ(menu.item(i).text, QString::fromUtf8(c.firstItems[i]));
        }
    }
    CQorvinMenu menu;
    menu.LoadMenu(MenuResource::EnglishEventMenu);
    EXPECT_EQ(menu.item(11).text, "Add Backward");
    EXPECT_EQ(menu.item(21).id, 32780);
    EXPECT_EQ(menu.item(22).id, 32781);
    // Loading again (a language switch) restarts the records.
    menu.LoadMenu(MenuResource::ChineseEventMenu);
    EXPECT_EQ(menu.itemCount(), 23);
    EXPECT_EQ(menu.item(22).id, 32836);
}

TEST(QorvinMenuTest, ItemsMeasureEightPixelsPerCharacterAndTwentyHigh) {
    EXPECT_EQ(CQorvinMenu::MeasureItem({"Add Backward", 0}), QSize(96, 20));
    EXPECT_EQ(CQorvinMenu::MeasureItem({"删除", 0}), QSize(16, 20));
}

TEST(QorvinMenuTest, HighlightedItemIsFramedWithARisingGradient) {
    QImage image(100, 20, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        CQorvinMenu::DrawItem(painter, image.rect(), "", true);
    }
    EXPECT_EQ(QColor(image.pixel(0, 0)), QColor(0, 0, 0));
    EXPECT_EQ(QColor(image.pixel(99, 19)), QColor(0, 0, 0));
    for (int row = 0; row < 18; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(QColor(image.pixel(50, row + 1)), QColor(0, 14 * row, 255));
    }

    image.fill(Qt::black);
    {
        QPainter painter(&image);
        CQorvinMenu::DrawItem(painter, image.rect(), "", false);
    }
    EXPECT_EQ(QColor(image.pixel(0, 0)), QColor(0, 120, 153));
    EXPECT_EQ(QColor(image.pixel(99, 19)), QColor(0, 120, 153));
}

TEST(QorvinMenuTest, ChoosingAnItemDeliversItsCommand) {
    CQorvinMenu menu;
    menu.LoadMenu(MenuResource::EnglishEventMenu);
    QSignalSpy chosen(&menu, &CQorvinMenu::commandChosen);
    QMenu* context = menu.Submenu(0);
    ASSERT_NE(context, nullptr);
    context->actions().last()->trigger();  // "Delete"
    QMenu* before = context->actions().first()->menu();
    before->actions().at(2)->menu()->actions().at(1)->trigger();  // "Mid Button" > "Up"
    ASSERT_EQ(chosen.count(), 2);
    EXPECT_EQ(chosen.at(0).at(0).toInt(), 32781);
    EXPECT_EQ(chosen.at(1).at(0).toInt(), 32807);
}

}  // namespace
}  // namespace pelmar
