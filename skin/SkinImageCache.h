#pragma once

#include <QImage>
#include <cstdint>
#include <filesystem>
#include <map>

namespace pelmar {

// Decoded skin images kept between paints. Every lookup checks the file's
// size and modification time, so a picture changed on disk is decoded again
// and shows at the next paint.
class SkinImageCache {
  public:
    // The picture in `file`, decoded by LoadSkinBitmap; a null image when the
    // file is missing or cannot be decoded.
    QImage Get(const std::filesystem::path& file);

  private:
    struct Entry {
        std::uintmax_t size = 0;
        std::filesystem::file_time_type modified;
        QImage image;
    };
    std::map<std::filesystem::path, Entry> entries_;
};

}  // namespace pelmar
