#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <random>
#include <string>
#include <vector>

#include "app/Notifier.h"
#include "skin/SkinLoaders.h"
#include "skin/SkinRegion.h"
#include "tests/support/TempFolder.h"

namespace pelmar {
namespace {

QImage Filled(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// The window shape built the slow way: the full rectangle, then every light
// pixel toggled away one by one, column by column.
QRegion PixelByPixel(const QImage& mask) {
    QRegion region(0, 0, mask.width(), mask.height());
    for (int x = 0; x < mask.width(); ++x) {
        for (int y = 0; y < mask.height(); ++y) {
            const QRgb pixel = mask.pixel(x, y);
            if (qRed(pixel) > 100 && qGreen(pixel) > 100 && qBlue(pixel) > 100) {
                region ^= QRegion(x, y, 1, 1);
            }
        }
    }
    return region;
}

TEST(SkinRegionTest, OnlyPixelsLightInAllThreeComponentsAreCut) {
    const struct {
        QRgb colour;
        bool kept;
    } cases[] = {
        {qRgb(101, 101, 101), false}, {qRgb(255, 255, 255), false}, {qRgb(100, 255, 255), true},
        {qRgb(255, 100, 255), true},  {qRgb(255, 255, 100), true},  {qRgb(0, 0, 0), true},
        {qRgb(101, 255, 101), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(qRed(c.colour)) + "," + std::to_string(qGreen(c.colour)) + "," +
                     std::to_string(qBlue(c.colour)));
        QImage mask = Filled(3, 1, qRgb(0, 0, 0));
        mask.setPixel(1, 0, c.colour);
        const QRegion region = CreateRegionFromMask(mask);
        EXPECT_EQ(region.contains(QPoint(1, 0)), c.kept);
        EXPECT_TRUE(region.contains(QPoint(0, 0)));
        EXPECT_TRUE(region.contains(QPoint(2, 0)));
    }
}

TEST(SkinRegionTest, UniformMasksGiveTheWholeRectangleOrNothing) {
    EXPECT_EQ(CreateRegionFromMask(Filled(7, 5, qRgb(0, 0, 0))), QRegion(0, 0, 7, 5));
    EXPECT_TRUE(CreateRegionFromMask(Filled(7, 5, qRgb(255, 255, 255))).isEmpty());
    EXPECT_TRUE(CreateRegionFromMask(QImage()).isEmpty());
}

TEST(SkinRegionTest, RunsGiveTheSameShapeAsPixelByPixel) {
    // Shapes with repeated and changing scan lines, holes and single pixels.
    QImage mask = Filled(41, 33, qRgb(255, 255, 255));
    {
        QPainter painter(&mask);
        painter.fillRect(3, 2, 30, 12, Qt::black);
        painter.fillRect(10, 5, 4, 4, Qt::white);
        painter.setBrush(Qt::black);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(15, 14, 24, 18);
    }
    std::mt19937 random(7);
    for (int i = 0; i < 60; ++i) {
        const int x = static_cast<int>(random() % 41);
        const int y = static_cast<int>(random() % 33);
        mask.setPixel(x, y, i % 2 == 0 ? qRgb(40, 200, 200) : qRgb(180, 180, 180));
    }
    const QRegion expected = PixelByPixel(mask);
    const QRegion region = CreateRegionFromMask(mask);
    EXPECT_EQ(region, expected);
    for (int y = 0; y < mask.height(); ++y) {
        for (int x = 0; x < mask.width(); ++x) {
            ASSERT_EQ(region.contains(QPoint(x, y)), expected.contains(QPoint(x, y)))
                << x << "," << y;
        }
    }
}

TEST(SkinRegionTest, AdvancedRegionLeavesTheControlsOut) {
    // A window of 100 by 80 with its right quarter cut away.
    const QRegion shape = QRegion(0, 0, 100, 80).subtracted(QRegion(75, 0, 25, 80));
    SkinLayout layout;
    layout.nameEditRect = {10, 10, 20, 10};
    layout.macroListRect = {10, 30, 30, 30};
    layout.eventListRect = {35, 40, 50, 20};  // overlaps the macro list and leaves the shape
    layout.repeatEditRect = {50, 10, 10, 10};

    const QRegion region = AdvancedInvalidRegion(shape, layout);
    EXPECT_FALSE(region.intersects(QRect(10, 10, 20, 10)));
    EXPECT_FALSE(region.intersects(QRect(10, 30, 30, 30)));
    EXPECT_FALSE(region.intersects(QRect(35, 40, 50, 20)));
    // Nothing outside the window is added, not even where two controls overlap.
    EXPECT_EQ(region.subtracted(shape), QRegion());
    EXPECT_EQ(shape.subtracted(region),
              QRegion(10, 10, 20, 10) + QRegion(10, 30, 30, 30) + QRegion(35, 40, 40, 20));
}

TEST(SkinRegionTest, WindowShapeComesFromTheMaskImage) {
    test::TempFolder folder;
    std::vector<std::string> messages;
    notifier.showMessage = [&](const std::string& text) { messages.push_back(text); };

    QImage mask = Filled(120, 90, qRgb(255, 255, 255));
    {
        QPainter painter(&mask);
        painter.fillRect(10, 10, 100, 70, Qt::black);
    }
    const auto maskPath = folder / "main_mask.jpg";
    ASSERT_TRUE(mask.save(QString::fromStdU16String(maskPath.u16string()), "JPEG", 95));
    SkinLayout layout;
    layout.nameEditRect = {20, 20, 30, 10};

    const std::optional<WindowShape> shape = BuildWindowShape(maskPath, layout);
    ASSERT_TRUE(shape.has_value());
    EXPECT_EQ(shape->size, QSize(120, 90));
    // Away from the edges, where the compression cannot blur the mask.
    EXPECT_TRUE(shape->region.contains(QRect(14, 14, 92, 62)));
    EXPECT_FALSE(shape->region.intersects(QRect(0, 0, 120, 6)));
    EXPECT_FALSE(shape->region.intersects(QRect(0, 84, 120, 6)));
    EXPECT_FALSE(shape->advancedInvalidRgn.intersects(QRect(20, 20, 30, 10)));
    EXPECT_TRUE(shape->advancedInvalidRgn.contains(QRect(60, 20, 30, 30)));
    EXPECT_TRUE(messages.empty());

    // A missing or undecodable mask is reported once and gives no shape.
    test::WriteFile(folder / "broken.jpg", "not a picture");
    for (const char* name : {"absent.jpg", "broken.jpg"}) {
        SCOPED_TRACE(name);
        messages.clear();
        EXPECT_FALSE(BuildWindowShape(folder / name, layout).has_value());
        EXPECT_EQ(messages, std::vector<std::string>{std::string(kMissingFileMessage)});
    }
    notifier.showMessage = nullptr;
}

}  // namespace
}  // namespace pelmar
