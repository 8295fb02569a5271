#include "skin/SkinEntry.h"

#include <algorithm>

#include "app/Notifier.h"
#include "platform/ini/IniFile.h"

namespace pelmar {

namespace {

constexpr std::size_t kEntryCommas = kSkinEntryFields - 1;

}  // namespace

SkinEntry ParseSkinEntry(std::string_view value) {
    SkinEntry entry;
    std::size_t field = 0;
    std::size_t start = 0;
    while (field < kEntryCommas) {
        const std::size_t comma = value.find(',', start);
        if (comma == std::string_view::npos) {
            break;
        }
        entry[field++] = std::string(value.substr(start, comma - start));
        start = comma + 1;
    }
    entry[field] = std::string(value.substr(std::min(start, value.size())));
    return entry;
}

bool HasExtraCommas(std::string_view value) {
    return static_cast<std::size_t>(std::count(value.begin(), value.end(), ',')) > kEntryCommas;
}

SkinEntry ReadSkinEntry(const std::filesystem::path& file, std::string_view section, int key) {
    const std::string value =
        ini::ReadString(file, section, std::to_string(key), kSkinValueCapacity);
    if (HasExtraCommas(value)) {
        notifier.ShowMessage(std::string(kMalformedEntryMessage));
    }
    return ParseSkinEntry(value);
}

}  // namespace pelmar
