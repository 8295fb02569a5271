// Skin layout entries are outside input: any user may ship a skin. The input
// is used twice: as one value for the splitter, whose fields must join back
// into the value, and as a whole layout file read through ReadSkinEntry.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/ini/IniFile.h"
#include "skin/SkinEntry.h"
#include "skin/SkinRect.h"

namespace {

constexpr std::size_t kEntryCommas = pelmar::kSkinEntryFields - 1;
constexpr int kKeysRead = 4;

void CheckSplit(std::string_view value) {
    const pelmar::SkinEntry entry = pelmar::ParseSkinEntry(value);
    const auto commas = static_cast<std::size_t>(std::count(value.begin(), value.end(), ','));
    const std::size_t used = std::min(commas, kEntryCommas) + 1;
    std::string joined = entry[0];
    for (std::size_t field = 1; field < used; ++field) {
        joined += ',' + entry[field];
    }
    if (joined != value || pelmar::HasExtraCommas(value) != (commas > kEntryCommas)) {
        __builtin_trap();
    }
    for (std::size_t field = used; field < pelmar::kSkinEntryFields; ++field) {
        if (!entry[field].empty()) {
            __builtin_trap();
        }
    }
}

// One scratch file per process, removed when the process ends.
class ScratchFile {
  public:
    ScratchFile()
        : path_(std::filesystem::temp_directory_path() /
                ("pelmar-skin-entry-fuzz-" + std::to_string(::getpid()) + ".ini")) {}
    ~ScratchFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

const std::filesystem::path& LayoutFile() {
    static const ScratchFile file;
    return file.path();
}

void CheckFile(std::string_view text) {
    {
        std::ofstream stream(LayoutFile(), std::ios::binary | std::ios::trunc);
        stream.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    for (const char* section : {"BUTTONPOS", "FUN_STRING"}) {
        for (int key = 0; key < kKeysRead; ++key) {
            const pelmar::SkinEntry entry = pelmar::ReadSkinEntry(LayoutFile(), section, key);
            const pelmar::SkinRect area{pelmar::ini::ToInt(entry[1]), pelmar::ini::ToInt(entry[2]),
                                        pelmar::ini::ToInt(entry[3]), pelmar::ini::ToInt(entry[4])};
            // An area holds its top-left corner exactly when it is not empty,
            // and never a point on its right edge, whatever the stored values.
            const bool empty = area.width <= 0 || area.height <= 0;
            if (area.Contains(area.x, area.y) == empty || area.Contains(area.Right(), area.y)) {
                __builtin_trap();
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    CheckSplit(input);
    CheckFile(input);
    return 0;
}
