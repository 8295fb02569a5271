#include "profile/MacroFile.h"

#include <algorithm>
#include <string>

#include "app/Notifier.h"
#include "profile/MacroValue.h"

namespace pelmar {

namespace {

constexpr std::string_view kSection = "Macros";
constexpr std::string_view kCountKey = "macroNum";
constexpr std::size_t kCountCapacity = 3;  // at most two characters are read
constexpr std::size_t kValueCapacity = kMacroValueLength + 1;
constexpr const char* kMissingFileMessage = "找不到配置文件";

// Reads the file's macros into `table`, leaving records beyond the file's count untouched.
template <std::size_t Capacity>
void ReadTable(const std::filesystem::path& path, MacroTable<Capacity>& table) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        notifier.ShowMessage(kMissingFileMessage);
    }
    const std::int32_t stored = ini::ReadInt(path, kSection, kCountKey, kCountCapacity);
    const auto count = static_cast<std::int16_t>(std::clamp<std::int32_t>(stored, 0, Capacity));
    for (std::int16_t i = 0; i < count; ++i) {
        const std::string value =
            ini::ReadString(path, kSection, std::to_string(i), kValueCapacity);
        table.records[static_cast<std::size_t>(i)] = DecodeMacroValue(value);
    }
    table.count = count;
}

}  // namespace

void ReadMacroFile(const std::filesystem::path& path, MacroStore& store) {
    UserMacroTable table = store.user;
    ReadTable(path, table);
    const std::lock_guard lock(store.mutex);
    store.user = table;
    store.currentMacro = std::max(table.count - 1, 0);
}

void ReadBuiltInMacroFile(const std::filesystem::path& path, MacroStore& store) {
    BuiltInMacroTable table = store.builtIn;
    ReadTable(path, table);
    const std::lock_guard lock(store.mutex);
    store.builtIn = table;
}

ini::WriteResult WriteMacroFile(const std::filesystem::path& path, const UserMacroTable& table) {
    ini::IniBatch batch(path);
    const int count = std::clamp<int>(table.count, 0, static_cast<int>(table.capacity));
    batch.Set(kSection, kCountKey, std::to_string(count));
    for (int i = 0; i < count; ++i) {
        batch.Set(kSection, std::to_string(i),
                  EncodeMacroValue(table.records[static_cast<std::size_t>(i)]));
    }
    return batch.Commit();
}

}  // namespace pelmar
