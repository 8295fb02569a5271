#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <climits>
#include <string>

#include "skin/SkinImage.h"
#include "tests/support/TempFolder.h"

namespace pelmar {
namespace {

// Every pixel of the source differs from every other and from black.
QImage Pattern(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgb(10 + x * 20, 10 + y * 20, 99));
        }
    }
    return image;
}

QImage Black(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

QString ToQString(const std::filesystem::path& path) {
    return QString::fromStdU16String(path.u16string());
}

TEST(SkinImageTest, CopyAreaCopiesExactlyTheAreaInsideThePicture) {
    const QImage source = Pattern(10, 10);
    const struct {
        const char* name;
        SkinRect area;
        QRect copied;  // where the result takes the source's pixels
    } cases[] = {
        {"inside", {2, 3, 4, 2}, QRect(2, 3, 4, 2)},
        {"one pixel", {9, 9, 1, 1}, QRect(9, 9, 1, 1)},
        {"zero width", {2, 3, 0, 2}, QRect()},
        {"zero height", {2, 3, 4, 0}, QRect()},
        {"negative size", {5, 5, -3, -3}, QRect()},
        {"past the right and bottom", {8, 7, 5, 5}, QRect(8, 7, 2, 3)},
        {"left of the picture", {-2, 0, 4, 1}, QRect(0, 0, 2, 1)},
        {"far away", {INT_MAX, INT_MAX, INT_MAX, INT_MAX}, QRect()},
        {"huge", {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, QRect()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QImage target = Black(10, 10);
        {
            QPainter painter(&target);
            CopyArea(painter, source, c.area);
        }
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 10; ++x) {
                const QRgb expected = c.copied.contains(x, y) ? source.pixel(x, y) : qRgb(0, 0, 0);
                ASSERT_EQ(target.pixel(x, y), expected) << x << "," << y;
            }
        }
    }
}

TEST(SkinImageTest, AMissingPictureLeavesTheTargetAsItWas) {
    QImage target = Black(4, 4);
    {
        QPainter painter(&target);
        CopyArea(painter, QImage(), {0, 0, 4, 4});
        CopyFromOrigin(painter, QImage(), {0, 0, 4, 4});
    }
    EXPECT_EQ(target, Black(4, 4));
}

TEST(SkinImageTest, CopyFromOriginPlacesTheTopLeftCorner) {
    const QImage knob = Pattern(4, 3);
    QImage target = Black(10, 10);
    {
        QPainter painter(&target);
        // Asks for more than the knob picture holds: only its 4 by 3 pixels.
        CopyFromOrigin(painter, knob, {5, 6, 6, 6});
        CopyFromOrigin(painter, knob, {0, 0, 2, 1});
    }
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            QRgb expected = qRgb(0, 0, 0);
            if (x >= 5 && x < 9 && y >= 6 && y < 9) {
                expected = knob.pixel(x - 5, y - 6);
            } else if (x < 2 && y < 1) {
                expected = knob.pixel(x, y);
            }
            ASSERT_EQ(target.pixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST(SkinImageTest, LoadsPicturesAsRgbAndNothingFromBadFiles) {
    test::TempFolder folder;
    const QImage pattern = Pattern(6, 4);
    ASSERT_TRUE(pattern.save(ToQString(folder / "pattern.png")));
    // Named .jpg like every skin image, but the content decides the decoder.
    ASSERT_TRUE(pattern.save(ToQString(folder / "lossless.jpg"), "PNG"));
    QImage grey(3, 2, QImage::Format_Grayscale8);
    grey.fill(200);
    ASSERT_TRUE(grey.save(ToQString(folder / "grey.jpg"), "JPEG", 100));
    test::WriteFile(folder / "broken.jpg", "\xFF\xD8\xFF\xE0 not really a picture");
    test::WriteFile(folder / "empty.jpg", "");

    for (const char* name : {"pattern.png", "lossless.jpg"}) {
        SCOPED_TRACE(name);
        const QImage loaded = LoadSkinBitmap(folder / name);
        EXPECT_EQ(loaded.format(), QImage::Format_RGB32);
        EXPECT_EQ(loaded, pattern);
    }
    const QImage loadedGrey = LoadSkinBitmap(folder / "grey.jpg");
    ASSERT_EQ(loadedGrey.format(), QImage::Format_RGB32);
    EXPECT_EQ(loadedGrey.size(), QSize(3, 2));
    EXPECT_NEAR(qRed(loadedGrey.pixel(1, 1)), 200, 2);

    for (const char* name : {"broken.jpg", "empty.jpg", "absent.jpg"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(LoadSkinBitmap(folder / name).isNull());
    }
}

}  // namespace
}  // namespace pelmar
