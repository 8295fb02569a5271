// The main window's paint as a whole: the popup it closes on request and the
// minimised window's icon.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPointer>

#include "app/CPelmarDlg.h"
#include "app/SharedState.h"
#include "skin/PagePainter.h"

namespace pelmar {
namespace {

TEST(MainWindowPaintTest, APaintClosesThePopupOnlyWhenAsked) {
    CPelmarDlg window;
    QPointer<QWidget> popup = new QWidget(&window);
    window.SetPopupWindow(popup);

    sharedState.popupCloseRequest = 0;
    static_cast<void>(window.grab());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(popup.isNull());
    EXPECT_EQ(window.popupWindow(), popup);

    sharedState.popupCloseRequest = 1;
    static_cast<void>(window.grab());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(popup.isNull());
    EXPECT_EQ(window.popupWindow(), nullptr);
    EXPECT_EQ(sharedState.popupCloseRequest, 0);
}

TEST(MainWindowPaintTest, TheMinimisedWindowShowsItsIconCentred) {
    QPixmap red(32, 32);
    red.fill(Qt::red);
    const QIcon icon(red);
    const struct {
        QSize client;
        QPoint corner;  // (client - icon + 1) / 2
    } cases[] = {{{101, 51}, {35, 10}}, {{100, 50}, {34, 9}}};
    for (const auto& c : cases) {
        QImage frame(c.client, QImage::Format_RGB32);
        frame.fill(Qt::white);
        {
            QPainter painter(&frame);
            PaintMinimisedIcon(painter, c.client, icon, 32);
        }
        EXPECT_EQ(frame.pixel(c.corner), qRgb(255, 0, 0));
        EXPECT_EQ(frame.pixel(c.corner + QPoint(31, 31)), qRgb(255, 0, 0));
        EXPECT_EQ(frame.pixel(c.corner - QPoint(1, 1)), qRgb(0, 0, 0));
        EXPECT_EQ(frame.pixel(c.corner + QPoint(32, 32)), qRgb(0, 0, 0));
    }
}

}  // namespace
}  // namespace pelmar
