// The left-button warning on the offscreen platform, with a small skin of
// flat colours: its shape, where it shows, its hover look and its results.
#include "assign/WarningDlg.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <string>

#include "skin/SkinFiles.h"
#include "tests/support/TempFolder.h"

namespace pelmar {
namespace {

constexpr QRgb kNormal = qRgb(0, 0, 200);
constexpr QRgb kOver = qRgb(0, 200, 0);
constexpr SkinRect kConfirm{10, 60, 50, 20};
constexpr SkinRect kCancel{100, 60, 50, 20};
constexpr SkinRect kMessage{10, 10, 180, 30};

QImage Flat(QRgb colour) {
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QPoint Centre(const SkinRect& r) {
    return {r.x + r.width / 2, r.y + r.height / 2};
}
// A pixel of the area that no centred label covers.
QPoint Corner(const SkinRect& r) {
    return {r.x + 1, r.y + 1};
}

class WarningDlgTest : public ::testing::Test {
  protected:
    void SetUp() override {
        state_.skinFolder = folder_.path();
        // The mask cuts away the right quarter (white) of the dialog.
        QImage mask = Flat(qRgb(0, 0, 0));
        for (int y = 0; y < mask.height(); ++y) {
            for (int x = 150; x < mask.width(); ++x) {
                mask.setPixel(x, y, qRgb(255, 255, 255));
            }
        }
        Save(mask, skin_images::kWarningMask);
        Save(Flat(kNormal), skin_images::kWarningNormal);
        Save(Flat(kOver), skin_images::kWarningOver);
        state_.skin.warning.Reset(kWarningEntryCount);
        state_.skin.warning.areas = {kConfirm, kCancel, kMessage};
        state_.skin.warning.labels = {"OK", "No", "Sure?"};
        state_.popupPosition = {120, 80};
    }

    void Save(const QImage& image, std::string_view name) {
        ASSERT_TRUE(
            image.save(QString::fromStdString((folder_ / std::string(name)).string()), "PNG"));
    }

    static void Move(WarningDlg& dialog, QPoint point) {
        QMouseEvent move(QEvent::MouseMove, point, dialog.mapToGlobal(point), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&dialog, &move);
    }

    test::TempFolder folder_;
    SharedState state_;
};

TEST_F(WarningDlgTest, TakesItsShapeFromTheMaskAndShowsAtThePopupPosition) {
    WarningDlg dialog(state_);
    EXPECT_EQ(dialog.size(), QSize(200, 100));
    EXPECT_TRUE(dialog.mask().contains(QPoint(149, 50)));
    EXPECT_FALSE(dialog.mask().contains(QPoint(150, 50)));
    EXPECT_EQ(dialog.pos(), QPoint(120, 80));
}

TEST_F(WarningDlgTest, WithoutAMaskItIsAPlainRectangle) {
    std::filesystem::remove(folder_ / std::string(skin_images::kWarningMask));
    WarningDlg dialog(state_);
    EXPECT_EQ(dialog.size(), QSize(300, 150));
    EXPECT_TRUE(dialog.mask().isEmpty());
}

TEST_F(WarningDlgTest, ReleasesEndItOnlyOnConfirmOrCancel) {
    const struct {
        const char* where;
        QPoint point;
        bool ends;
        int result;
    } cases[] = {
        {"confirm", Centre(kConfirm), true, kWarningConfirmed},
        {"cancel", Centre(kCancel), true, kWarningCancelled},
        {"message", Centre(kMessage), false, 0},
        {"elsewhere", QPoint(5, 95), false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        WarningDlg dialog(state_);
        dialog.open();
        QTest::mouseRelease(&dialog, Qt::LeftButton, {}, c.point);
        EXPECT_EQ(!dialog.isVisible(), c.ends);
        EXPECT_EQ(dialog.result(), c.result);
    }
}

TEST_F(WarningDlgTest, EscapeCancels) {
    WarningDlg dialog(state_);
    dialog.open();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), kWarningCancelled);
}

TEST_F(WarningDlgTest, TheHoveredButtonShowsTheOverPictureAndLabelsStayRed) {
    WarningDlg dialog(state_);
    const struct {
        const char* where;
        QPoint point;
        std::int32_t hot;
        QRgb confirm;
        QRgb cancel;
    } steps[] = {
        {"nowhere", QPoint(5, 95), kNoArea, kNormal, kNormal},
        {"confirm", Centre(kConfirm), kWarningConfirmed, kOver, kNormal},
        {"cancel", Centre(kCancel), kWarningCancelled, kNormal, kOver},
        {"message", Centre(kMessage), kNoArea, kNormal, kNormal},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.where);
        Move(dialog, step.point);
        EXPECT_EQ(dialog.hot(), step.hot);
        const QImage shown = dialog.grab().toImage();
        EXPECT_EQ(shown.pixel(Corner(kConfirm)), step.confirm);
        EXPECT_EQ(shown.pixel(Corner(kCancel)), step.cancel);
        EXPECT_EQ(shown.pixel(Corner(kMessage)), kNormal);
        int red = 0;
        const QRect message(kMessage.x, kMessage.y, kMessage.width, kMessage.height);
        for (int y = message.top(); y <= message.bottom(); ++y) {
            for (int x = message.left(); x <= message.right(); ++x) {
                red += qRed(shown.pixel(x, y)) > 200 && qGreen(shown.pixel(x, y)) < 80 ? 1 : 0;
            }
        }
        EXPECT_GT(red, 0) << "the message is drawn in red";
    }
}

}  // namespace
}  // namespace pelmar
