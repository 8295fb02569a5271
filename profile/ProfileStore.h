#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "app/Model.h"
#include "platform/ini/IniFile.h"
#include "profile/Profile.h"

namespace pelmar {

// Which section LoadProfile reads: the profile itself or its shipped template.
enum class Section { Profile, Template };

// "Config" + number.
std::string ProfileSectionName(std::int32_t number);
// "CfgReset_EN5" for profile 5 when languageEnglish is exactly 1, else "CfgReset" + number.
std::string TemplateSectionName(std::int32_t number, std::int32_t languageEnglish);

// Reads one section into profile; every field is overwritten, 0 for a missing key.
void LoadProfile(Profile& profile, const std::filesystem::path& path, std::int32_t number,
                 Section section, std::int32_t languageEnglish, const Model& model);

// Writes the 22 keys of profile into "Config" + number as one file replacement.
ini::WriteResult SaveProfile(const Profile& profile, const std::filesystem::path& path,
                             std::int32_t number);
// Adds the 22 keys to a batch, in the order a new section lists them.
void AddProfileKeys(ini::IniBatch& batch, const Profile& profile, std::int32_t number);
// The same keys into a section of any name, such as a shipped template.
void AddProfileSection(ini::IniBatch& batch, const Profile& profile, std::string_view name);

// Adds CurConfig of section Init to a batch.
void AddCurrentProfileNumber(ini::IniBatch& batch, std::int32_t number);

ini::WriteResult SaveDpiLevel(const Profile& profile, const std::filesystem::path& path,
                              std::int32_t number);
ini::WriteResult SaveUsbSpeed(const Profile& profile, const std::filesystem::path& path,
                              std::int32_t number);

// VER_SEL of section Init, low byte: 0 Chinese, anything else English.
std::int32_t ReadLanguage(const std::filesystem::path& path);
// Stores VER_SEL of section Init as "0" or "1".
ini::WriteResult WriteLanguage(const std::filesystem::path& path, std::int32_t languageEnglish);
// CurConfig of section Init, 0 when absent.
std::int32_t ReadCurrentProfileNumber(const std::filesystem::path& path);

// Profile 1's built-in defaults; a reset keeps the current macroMode2, passed in.
Profile BuiltInProfile(const Model& model, std::int32_t macroMode2);

// Main-page area showing the DPI value chosen for a level.
std::int32_t DpiSetButton(int level, std::uint8_t dpiSet);

}  // namespace pelmar
