#include "skin/SkinImage.h"

#include <QPainter>
#include <QString>
#include <algorithm>
#include <cstdint>

namespace pelmar {

namespace {

// The part of the rectangle (x, y, width, height) that lies inside the
// picture, computed in 64 bits so that no layout value can overflow.
QRect ClipToPicture(const QImage& source, std::int64_t x, std::int64_t y, std::int64_t width,
                    std::int64_t height) {
    const std::int64_t left = std::max<std::int64_t>(x, 0);
    const std::int64_t top = std::max<std::int64_t>(y, 0);
    const std::int64_t right = std::min<std::int64_t>(x + width, source.width());
    const std::int64_t bottom = std::min<std::int64_t>(y + height, source.height());
    if (right <= left || bottom <= top) {
        return {};
    }
    return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
            static_cast<int>(bottom - top)};
}

void Copy(QPainter& target, QPoint at, const QImage& source, const QRect& part) {
    if (part.isEmpty()) {
        return;
    }
    const QPainter::CompositionMode mode = target.compositionMode();
    target.setCompositionMode(QPainter::CompositionMode_Source);
    target.drawImage(at, source, part);
    target.setCompositionMode(mode);
}

}  // namespace

QImage LoadSkinBitmap(const std::filesystem::path& file) {
    QImage image;
    if (!image.load(QString::fromStdU16String(file.u16string()))) {
        return {};
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

void CopyArea(QPainter& target, const QImage& source, const SkinRect& area) {
    const QRect part = ClipToPicture(source, area.x, area.y, area.width, area.height);
    Copy(target, part.topLeft(), source, part);
}

void CopyFromOrigin(QPainter& target, const QImage& source, const SkinRect& area) {
    const QRect part = ClipToPicture(source, 0, 0, area.width, area.height);
    Copy(target, QPoint(area.x, area.y), source, part);
}

}  // namespace pelmar
