#include "tools/datagen/MacroSource.h"

#include <limits>
#include <map>

#include "macro/KeyTable.h"
#include "macro/Utf16.h"
#include "tools/datagen/SourceText.h"

namespace pelmar::datagen {

namespace {

constexpr std::string_view kCodePrefix = "code:";

const std::map<std::string, std::uint8_t> kActions{{"down", kEventPress}, {"up", kEventRelease}};

std::optional<std::uint8_t> KeyCode(const std::string& word) {
    if (word.starts_with(kCodePrefix)) {
        const auto code = ParseInteger(std::string_view(word).substr(kCodePrefix.size()), 0, 255);
        return code ? std::optional(static_cast<std::uint8_t>(*code)) : std::nullopt;
    }
    return KeyCodeFromName(word);
}

void ReadSetting(const SourceBlock& block, const SourceLine& line, const std::string& key,
                 const std::string& value, SourceMacro& macro) {
    if (key == "repeat") {
        if (value == "off") {
            macro.record.repeatOn = 0;
            macro.record.repeatCount = 1;
            return;
        }
        const auto count = ParseInteger(value, 1, std::numeric_limits<std::uint16_t>::max());
        if (!count) {
            block.Fail(line, "repeat is \"off\" or a count from 1 to 65535");
        }
        macro.record.repeatOn = 1;
        macro.record.repeatCount = static_cast<std::uint16_t>(*count);
        return;
    }
    bool known = false;
    for (const Language language : kLanguages) {
        if (key != "name" && key != "name." + LanguageSuffix(language)) {
            continue;
        }
        if (value.empty() || Utf16FromUtf8(value).size() >= kMacroNameUnits) {
            block.Fail(line, "a name has 1 to 19 UTF-16 units");
        }
        macro.names[static_cast<std::size_t>(language)] = value;
        known = true;
    }
    if (!known) {
        block.Fail(line, "unknown setting " + key);
    }
}

void ReadEvent(const SourceBlock& block, const SourceLine& line, MacroRecord& record) {
    const std::vector<std::string> words = SplitWords(line.text);
    if (words.size() != 3) {
        block.Fail(line, "an event is: key down|up delay");
    }
    const auto code = KeyCode(words[0]);
    const auto action = kActions.find(words[1]);
    const auto delay = ParseInteger(words[2], 0, std::numeric_limits<std::uint16_t>::max());
    if (!code || action == kActions.end() || !delay) {
        block.Fail(line, "unknown key, action or delay");
    }
    if (record.eventCount == kMaxMacroEvents) {
        block.Fail(line, "a macro holds at most 254 events");
    }
    record.events[record.eventCount] = {*code, action->second};
    record.delays[record.eventCount] = static_cast<std::uint16_t>(*delay);
    ++record.eventCount;
}

}  // namespace

std::string LanguageSuffix(Language language) {
    return language == Language::English ? "en" : "cn";
}

std::vector<SourceMacro> ReadMacroSource(const std::filesystem::path& file) {
    std::vector<SourceMacro> macros;
    for (const SourceBlock& block : ReadBlocks(file)) {
        SourceMacro macro{.id = block.header, .names = {}, .record = {}};
        macro.record.repeatCount = 1;
        for (const SourceLine& line : block.lines) {
            if (const auto setting = SplitSetting(line.text)) {
                ReadSetting(block, line, setting->first, setting->second, macro);
            } else {
                ReadEvent(block, line, macro.record);
            }
        }
        for (const SourceMacro& earlier : macros) {
            if (earlier.id == macro.id) {
                throw SourceError(file, block.line, "the id " + macro.id + " is taken");
            }
        }
        macros.push_back(std::move(macro));
    }
    return macros;
}

UserMacroTable MacroTableFor(const std::vector<SourceMacro>& macros, Language language) {
    UserMacroTable table;
    for (const SourceMacro& macro : macros) {
        const auto& name = macro.names[static_cast<std::size_t>(language)];
        if (!name) {
            continue;
        }
        if (static_cast<std::size_t>(table.count) == table.capacity) {
            throw std::runtime_error("more than 12 macros in one language");
        }
        MacroRecord& record = table.records[static_cast<std::size_t>(table.count++)];
        record = macro.record;
        SetMacroName(record, Utf16FromUtf8(*name));
    }
    return table;
}

std::optional<int> MacroIndex(const std::vector<SourceMacro>& macros, const std::string& id,
                              Language language) {
    int index = 0;
    for (const SourceMacro& macro : macros) {
        const bool named = macro.names[static_cast<std::size_t>(language)].has_value();
        if (macro.id == id) {
            return named ? std::optional(index) : std::nullopt;
        }
        index += named ? 1 : 0;
    }
    return std::nullopt;
}

}  // namespace pelmar::datagen
