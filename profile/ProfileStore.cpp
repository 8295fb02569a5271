#include "profile/ProfileStore.h"

#include <array>
#include <string_view>

namespace pelmar {

namespace {

// Read capacities in UTF-16 units with the terminator: the DPI keys take up to
// nine characters, every other key four.
constexpr std::size_t kKeyCapacity = 5;
constexpr std::size_t kDpiKeyCapacity = 10;

constexpr std::string_view kInitSection = "Init";
constexpr std::string_view kCurConfigKey = "CurConfig";
constexpr std::string_view kLanguageKey = "VER_SEL";

constexpr int kFirstDpiSetButton = 60;
constexpr int kDpiButtonsPerLevel = 5;

struct ProfileDefaults {
    std::array<std::int32_t, kButtonCount> buttonFunction{1, 2, 3, 5, 4, 6};
    std::uint8_t ledStatus = 0;
    std::uint8_t dpiSpeed = 4;
    std::uint8_t wheelSpeed = 2;
    std::uint8_t usbSpeed = 2;
    std::int32_t fireTime = 50;
};
constexpr ProfileDefaults kProfileOneDefaults{};

std::string Numbered(std::string_view stem, int number) {
    return std::string(stem) + std::to_string(number);
}

std::int32_t ReadKey(const std::filesystem::path& path, const std::string& section,
                     const std::string& key, std::size_t capacity = kKeyCapacity) {
    return ini::ReadInt(path, section, key, capacity);
}

std::uint8_t LowByte(std::int32_t value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

}  // namespace

std::string ProfileSectionName(std::int32_t number) {
    return Numbered("Config", number);
}

std::string TemplateSectionName(std::int32_t number, std::int32_t languageEnglish) {
    if (number == kProfileCount && languageEnglish == 1) {
        return "CfgReset_EN5";
    }
    return Numbered("CfgReset", number);
}

std::int32_t DpiSetButton(int level, std::uint8_t dpiSet) {
    return kFirstDpiSetButton + kDpiButtonsPerLevel * level + dpiSet;
}

void LoadProfile(Profile& profile, const std::filesystem::path& path, std::int32_t number,
                 Section section, std::int32_t languageEnglish, const Model& model) {
    const std::string name = section == Section::Template
                                 ? TemplateSectionName(number, languageEnglish)
                                 : ProfileSectionName(number);
    for (int button = 0; button < kButtonCount; ++button) {
        profile.buttonFunction[button] = ReadKey(path, name, Numbered("K", button));
    }
    profile.wheelStatus = ReadKey(path, name, "WHEEL_STATUS");
    profile.macroMode2 = ReadKey(path, name, "MACRO_MODE2");
    profile.dpiLevel = ReadKey(path, name, "DPI_LEVEL");
    for (int level = 0; level < kDpiLevelCount; ++level) {
        profile.dpiSet[level] =
            LowByte(ReadKey(path, name, Numbered("DPI_SET", level), kDpiKeyCapacity));
        if (model.hasDpiSetButton) {
            profile.dpiSetButton[level] = DpiSetButton(level, profile.dpiSet[level]);
        }
        profile.dpiSetEnabled[level] =
            ReadKey(path, name, Numbered("DPI_SET_EN", level), kDpiKeyCapacity) != 0 ? 1 : 0;
    }
    profile.ledStatus = LowByte(ReadKey(path, name, "LED_STATUS"));
    profile.dpiSpeed = LowByte(ReadKey(path, name, "DPI_SPEED"));
    profile.wheelSpeed = LowByte(ReadKey(path, name, "WHEEL_SPEED"));
    profile.usbSpeed = LowByte(ReadKey(path, name, "USB_SPEED"));
    profile.fireTime = ReadKey(path, name, "FIRE_TIME");
}

void AddProfileKeys(ini::IniBatch& batch, const Profile& profile, std::int32_t number) {
    AddProfileSection(batch, profile, ProfileSectionName(number));
}

void AddProfileSection(ini::IniBatch& batch, const Profile& profile, std::string_view name) {
    const auto set = [&](const std::string& key, std::int32_t value) {
        batch.Set(name, key, std::to_string(value));
    };
    for (int button = 0; button < kButtonCount; ++button) {
        set(Numbered("K", button), profile.buttonFunction[button]);
    }
    set("DPI_LEVEL", profile.dpiLevel);
    set("WHEEL_STATUS", profile.wheelStatus);
    set("MACRO_MODE2", profile.macroMode2);
    for (int level = 0; level < kDpiLevelCount; ++level) {
        set(Numbered("DPI_SET", level), profile.dpiSet[level]);
        set(Numbered("DPI_SET_EN", level), profile.dpiSetEnabled[level] != 0 ? 1 : 0);
    }
    set("LED_STATUS", profile.ledStatus);
    set("DPI_SPEED", profile.dpiSpeed);
    set("WHEEL_SPEED", profile.wheelSpeed);
    set("USB_SPEED", profile.usbSpeed);
    set("FIRE_TIME", profile.fireTime);
}

ini::WriteResult SaveProfile(const Profile& profile, const std::filesystem::path& path,
                             std::int32_t number) {
    ini::IniBatch batch(path);
    AddProfileKeys(batch, profile, number);
    return batch.Commit();
}

void AddCurrentProfileNumber(ini::IniBatch& batch, std::int32_t number) {
    batch.Set(std::string(kInitSection), std::string(kCurConfigKey), std::to_string(number));
}

ini::WriteResult SaveDpiLevel(const Profile& profile, const std::filesystem::path& path,
                              std::int32_t number) {
    return ini::WriteString(path, ProfileSectionName(number), "DPI_LEVEL",
                            std::to_string(profile.dpiLevel));
}

ini::WriteResult SaveUsbSpeed(const Profile& profile, const std::filesystem::path& path,
                              std::int32_t number) {
    return ini::WriteString(path, ProfileSectionName(number), "USB_SPEED",
                            std::to_string(profile.usbSpeed));
}

std::int32_t ReadLanguage(const std::filesystem::path& path) {
    return LowByte(ini::ReadInt(path, kInitSection, kLanguageKey, kKeyCapacity));
}

ini::WriteResult WriteLanguage(const std::filesystem::path& path, std::int32_t languageEnglish) {
    return ini::WriteString(path, kInitSection, kLanguageKey, languageEnglish != 0 ? "1" : "0");
}

std::int32_t ReadCurrentProfileNumber(const std::filesystem::path& path) {
    return ini::ReadInt(path, kInitSection, kCurConfigKey, kKeyCapacity);
}

Profile BuiltInProfile(const Model& model, std::int32_t macroMode2) {
    Profile profile;
    profile.buttonFunction = kProfileOneDefaults.buttonFunction;
    profile.macroMode2 = macroMode2;
    profile.dpiSet = model.defaultDpiSet;
    profile.dpiSetEnabled = {1, 1, 1, 1};
    profile.ledStatus = kProfileOneDefaults.ledStatus;
    profile.dpiSpeed = kProfileOneDefaults.dpiSpeed;
    profile.wheelSpeed = kProfileOneDefaults.wheelSpeed;
    profile.usbSpeed = kProfileOneDefaults.usbSpeed;
    profile.fireTime = kProfileOneDefaults.fireTime;
    if (model.hasDpiSetButton) {
        for (int level = 0; level < kDpiLevelCount; ++level) {
            profile.dpiSetButton[level] = DpiSetButton(level, profile.dpiSet[level]);
        }
    }
    return profile;
}

}  // namespace pelmar
