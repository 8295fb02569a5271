#include "skin/SkinRegion.h"

#include <QRect>
#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "app/Notifier.h"
#include "skin/SkinImage.h"
#include "skin/SkinLoaders.h"

namespace pelmar {

namespace {

bool IsCut(QRgb pixel) {
    return qRed(pixel) > kMaskCutLevel && qGreen(pixel) > kMaskCutLevel &&
           qBlue(pixel) > kMaskCutLevel;
}

// Runs of kept pixels on one scan line, as [start, end) pairs from the left.
using Runs = std::vector<std::pair<int, int>>;

void KeptRuns(const QRgb* line, int width, Runs& runs) {
    runs.clear();
    int x = 0;
    while (x < width) {
        while (x < width && IsCut(line[x])) {
            ++x;
        }
        const int start = x;
        while (x < width && !IsCut(line[x])) {
            ++x;
        }
        if (x > start) {
            runs.emplace_back(start, x);
        }
    }
}

// Layout values are stored as written; positions are clamped far outside any
// window so that building the rectangle cannot overflow.
QRect ToQRect(const SkinRect& area) {
    static constexpr std::int64_t kReach = std::int64_t{1} << 24;
    if (area.width <= 0 || area.height <= 0) {
        return {};
    }
    const auto clamp = [](std::int64_t value) {
        return static_cast<int>(std::clamp(value, -kReach, kReach));
    };
    return QRect(QPoint(clamp(area.x), clamp(area.y)),
                 QPoint(clamp(area.Right()) - 1, clamp(area.Bottom()) - 1));
}

}  // namespace

QRegion CreateRegionFromMask(const QImage& mask) {
    const QImage image = mask.convertToFormat(QImage::Format_RGB32);
    // Consecutive scan lines with the same runs form one band of rectangles,
    // which is the form QRegion keeps itself, so the result compares equal to
    // a region built pixel by pixel.
    std::vector<QRect> rects;
    Runs band;
    Runs line;
    int bandTop = 0;
    const auto closeBand = [&](int bottom) {
        for (const auto& [start, end] : band) {
            rects.emplace_back(start, bandTop, end - start, bottom - bandTop);
        }
    };
    for (int y = 0; y < image.height(); ++y) {
        KeptRuns(reinterpret_cast<const QRgb*>(image.constScanLine(y)), image.width(), line);
        if (line != band) {
            closeBand(y);
            band.swap(line);
            bandTop = y;
        }
    }
    closeBand(image.height());

    QRegion region;
    region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

QRegion AdvancedInvalidRegion(const QRegion& windowShape, const SkinLayout& layout) {
    // Subtracted rather than toggled: a control lying partly outside the
    // shape, or two overlapping controls, must never be added back.
    return windowShape.subtracted(ToQRect(layout.nameEditRect))
        .subtracted(ToQRect(layout.eventListRect))
        .subtracted(ToQRect(layout.macroListRect));
}

std::optional<WindowShape> BuildWindowShape(const std::filesystem::path& maskPath,
                                            const SkinLayout& layout) {
    const QImage mask = LoadSkinBitmap(maskPath);
    if (mask.isNull()) {
        notifier.ShowMessage(std::string(kMissingFileMessage));
        return std::nullopt;
    }
    WindowShape shape;
    shape.size = mask.size();
    shape.region = CreateRegionFromMask(mask);
    shape.advancedInvalidRgn = AdvancedInvalidRegion(shape.region, layout);
    return shape;
}

}  // namespace pelmar
