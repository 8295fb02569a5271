#include "skin/SkinImageCache.h"

#include "skin/SkinImage.h"

namespace pelmar {

QImage SkinImageCache::Get(const std::filesystem::path& file) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    const std::filesystem::file_time_type modified =
        error ? std::filesystem::file_time_type{} : std::filesystem::last_write_time(file, error);
    if (error) {
        entries_.erase(file);
        return {};
    }
    const auto found = entries_.find(file);
    if (found != entries_.end() && found->second.size == size &&
        found->second.modified == modified) {
        return found->second.image;
    }
    Entry& entry = entries_[file];
    entry = {size, modified, LoadSkinBitmap(file)};
    return entry.image;
}

}  // namespace pelmar
