#include <gtest/gtest.h>

#include <QImage>
#include <chrono>
#include <filesystem>

#include "skin/SkinImageCache.h"
#include "tests/support/TempFolder.h"

namespace pelmar {
namespace {

void Save(const std::filesystem::path& file, QSize size, QRgb colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(QString::fromStdString(file.string()), "PNG"));
}

TEST(SkinImageCacheTest, APictureChangedOnDiskShowsAtTheNextLookup) {
    test::TempFolder folder;
    const std::filesystem::path file = folder / "main_normal.jpg";
    SkinImageCache cache;
    EXPECT_TRUE(cache.Get(file).isNull());

    Save(file, {4, 4}, qRgb(200, 0, 0));
    const auto written = std::filesystem::last_write_time(file);
    EXPECT_EQ(cache.Get(file).pixel(0, 0), qRgb(200, 0, 0));

    // Another picture of the same size, newer.
    Save(file, {4, 4}, qRgb(0, 200, 0));
    std::filesystem::last_write_time(file, written + std::chrono::seconds(2));
    EXPECT_EQ(cache.Get(file).pixel(0, 0), qRgb(0, 200, 0));

    // Another size, with the time set back as a copy from elsewhere may have it.
    Save(file, {6, 3}, qRgb(0, 0, 200));
    std::filesystem::last_write_time(file, written + std::chrono::seconds(2));
    const QImage resized = cache.Get(file);
    EXPECT_EQ(resized.size(), QSize(6, 3));
    EXPECT_EQ(resized.pixel(0, 0), qRgb(0, 0, 200));

    std::filesystem::remove(file);
    EXPECT_TRUE(cache.Get(file).isNull());
}

}  // namespace
}  // namespace pelmar
