#pragma once

#include <QImage>
#include <filesystem>

#include "app/SharedState.h"
#include "skin/SkinImageCache.h"

namespace pelmar {

// The three looks of a page, full-window pictures of one size: at rest,
// every area hovered, every area pressed or selected. A missing picture is
// a null image, from which copies draw nothing.
struct PageImageSet {
    QImage normal;
    QImage over;
    QImage down;
};

// The looks of `page` from the skin folder.
PageImageSet LoadPageImages(SkinImageCache& cache, const std::filesystem::path& skinFolder,
                            Page page);

}  // namespace pelmar
