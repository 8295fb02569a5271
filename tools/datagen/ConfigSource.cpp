#include "tools/datagen/ConfigSource.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <set>

#include "app/Model.h"
#include "platform/ini/IniFile.h"
#include "profile/FunctionCodes.h"
#include "profile/ProfileStore.h"
#include "tools/datagen/SourceText.h"

namespace pelmar::datagen {

namespace {

constexpr std::string_view kInitSection = "Init";
constexpr std::string_view kMacroWord = "macro";
constexpr std::string_view kDpiWord = "dpi";
constexpr std::size_t kValueCapacity = 16;
constexpr int kFirstTemplate = 2;  // profile 1 has no template; its defaults are built in

// The profile and template sections the program reads, in the order the file lists them.
std::vector<std::string> RequiredSections() {
    std::vector<std::string> sections;
    for (int number = 1; number <= kProfileCount; ++number) {
        sections.push_back(ProfileSectionName(number));
    }
    for (int number = kFirstTemplate; number <= kProfileCount; ++number) {
        sections.push_back(TemplateSectionName(number, 0));
    }
    sections.push_back(TemplateSectionName(kProfileCount, 1));
    return sections;
}

// The languages whose default macros a section's profile is used with: a profile with the
// shipped interface language, an English template only in English, a template that has an
// English variant only in Chinese, any other template in both.
std::vector<Language> SectionLanguages(const std::string& section, Language shipped,
                                       const std::set<std::string>& defined) {
    if (section.starts_with("Config")) {
        return {shipped};
    }
    for (int number = kFirstTemplate; number <= kProfileCount; ++number) {
        const std::string english = TemplateSectionName(number, 1);
        if (english == TemplateSectionName(number, 0)) {
            continue;
        }
        if (section == english) {
            return {Language::English};
        }
        if (section == TemplateSectionName(number, 0) && defined.contains(english)) {
            return {Language::Chinese};
        }
    }
    return {kLanguages.begin(), kLanguages.end()};
}

// The DPI value of `model` that selects `dpi`, if the model offers it.
std::optional<std::int32_t> DpiValueIndex(const Model& model, long dpi) {
    for (int index = 0; index < model.dpiValueCount; ++index) {
        if (DisplayedDpi(model, model.dpiValueCodes[static_cast<std::size_t>(index)]) == dpi) {
            return index;
        }
    }
    return std::nullopt;
}

// The number a setting stands for in a section.
std::int32_t ResolveValue(const SourceBlock& block, const SourceLine& line,
                          const std::string& value, const std::vector<Language>& languages,
                          const std::vector<SourceMacro>& macros, const Model& model) {
    const std::vector<std::string> words = SplitWords(value);
    if (words.size() == 2 && words[1] == kDpiWord) {
        const auto dpi = ParseInteger(words[0], 0, std::numeric_limits<std::int32_t>::max());
        const auto index = dpi ? DpiValueIndex(model, *dpi) : std::nullopt;
        if (!index) {
            block.Fail(line, "model " + std::string(model.executableName) + " offers no " +
                                 words[0] + " dpi");
        }
        return *index;
    }
    if (words.size() == 2 && words[0] == kMacroWord) {
        std::optional<int> index;
        for (const Language language : languages) {
            const auto found = MacroIndex(macros, words[1], language);
            if (!found || (index && *index != *found)) {
                block.Fail(line, "macro " + words[1] + " is not at one place in the " +
                                     LanguageSuffix(language) + " macros of this section");
            }
            index = found;
        }
        return kFirstUserMacroCode + *index;
    }
    const auto number = ParseInteger(value, std::numeric_limits<std::int32_t>::min(),
                                     std::numeric_limits<std::int32_t>::max());
    if (!number) {
        block.Fail(line, "a value is a number or \"macro ID\"");
    }
    return static_cast<std::int32_t>(*number);
}

using Settings = std::vector<std::pair<std::string, std::int32_t>>;

// The profile made of the built-in defaults with the settings on top, read back through the
// program's own profile reader.
Profile BuildProfile(const Settings& settings, const std::filesystem::path& scratch,
                     const Model& model) {
    const std::filesystem::path file = scratch / "profile.ini";
    std::filesystem::remove(file);
    ini::IniBatch batch(file);
    AddProfileKeys(batch, BuiltInProfile(model, 0), 1);
    for (const auto& [key, value] : settings) {
        batch.Set(ProfileSectionName(1), key, std::to_string(value));
    }
    if (const ini::WriteResult result = batch.Commit(); !result.Ok()) {
        throw std::runtime_error(result.error);
    }
    Profile profile;
    LoadProfile(profile, file, 1, Section::Profile, 0, model);
    return profile;
}

}  // namespace

void WriteConfig(const std::filesystem::path& source, const std::vector<SourceMacro>& macros,
                 const std::filesystem::path& output, const std::filesystem::path& scratch,
                 const Model& model) {
    const std::vector<SourceBlock> blocks = ReadBlocks(source);
    const std::vector<std::string> required = RequiredSections();

    ini::IniBatch batch(output);
    Language shipped = Language::Chinese;
    std::map<std::string, const SourceBlock*> blockOfSection;
    for (const SourceBlock& block : blocks) {
        if (block.header == kInitSection) {
            for (const SourceLine& line : block.lines) {
                const auto setting = SplitSetting(line.text);
                const auto value = setting ? ParseInteger(setting->second, 0, 255) : std::nullopt;
                if (!value || (setting->first != "CurConfig" && setting->first != "VER_SEL")) {
                    block.Fail(line, "[Init] holds CurConfig and VER_SEL");
                }
                batch.Set(kInitSection, setting->first, setting->second);
                if (setting->first == "VER_SEL") {
                    shipped = *value != 0 ? Language::English : Language::Chinese;
                }
            }
            continue;
        }
        for (const std::string& section : SplitWords(block.header)) {
            if (std::find(required.begin(), required.end(), section) == required.end() ||
                !blockOfSection.emplace(section, &block).second) {
                throw SourceError(source, block.line, "unknown or repeated section " + section);
            }
        }
    }

    std::set<std::string> defined;
    for (const auto& entry : blockOfSection) {
        defined.insert(entry.first);
    }
    std::map<std::string, Settings> settingsOfSection;
    for (const std::string& section : required) {
        if (!defined.contains(section)) {
            throw SourceError(source, 0, "section " + section + " is missing");
        }
        const SourceBlock& block = *blockOfSection.at(section);
        const std::vector<Language> languages = SectionLanguages(section, shipped, defined);
        Settings& settings = settingsOfSection[section];
        for (const SourceLine& line : block.lines) {
            const auto setting = SplitSetting(line.text);
            if (!setting) {
                block.Fail(line, "expected KEY = value");
            }
            settings.emplace_back(setting->first, ResolveValue(block, line, setting->second,
                                                               languages, macros, model));
        }
        AddProfileSection(batch, BuildProfile(settings, scratch, model), section);
    }
    if (const ini::WriteResult result = batch.Commit(); !result.Ok()) {
        throw std::runtime_error(result.error);
    }

    // A key the profile does not have, or a value it cannot hold, would be lost on the way
    // through the profile: every setting must read back as written.
    for (const auto& [section, settings] : settingsOfSection) {
        for (const auto& [key, value] : settings) {
            if (ini::ReadString(output, section, key, kValueCapacity) != std::to_string(value)) {
                throw SourceError(source, blockOfSection.at(section)->line,
                                  section + ": " + key + " = " + std::to_string(value) +
                                      " is not a profile key and value");
            }
        }
    }
}

}  // namespace pelmar::datagen
