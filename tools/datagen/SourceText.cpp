#include "tools/datagen/SourceText.h"

#include <charconv>
#include <fstream>

namespace pelmar::datagen {

SourceError::SourceError(const std::filesystem::path& file, int line, const std::string& what)
    : std::runtime_error(file.string() + ":" + std::to_string(line) + ": " + what) {}

void SourceBlock::Fail(const SourceLine& at, const std::string& what) const {
    throw SourceError(file, at.number, what);
}

std::vector<SourceBlock> ReadBlocks(const std::filesystem::path& file) {
    std::ifstream stream(file);
    if (!stream) {
        throw SourceError(file, 0, "cannot be read");
    }
    std::vector<SourceBlock> blocks;
    std::string raw;
    for (int number = 1; std::getline(stream, raw); ++number) {
        const std::string_view text = Trim(raw);
        if (text.empty() || text.front() == '#') {
            continue;
        }
        if (text.front() == '[' && text.back() == ']') {
            blocks.push_back(
                {file, number, std::string(Trim(text.substr(1, text.size() - 2))), {}});
            continue;
        }
        if (blocks.empty()) {
            throw SourceError(file, number, "expected a [header] first");
        }
        blocks.back().lines.push_back({number, std::string(text)});
    }
    return blocks;
}

std::string_view Trim(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::vector<std::string> SplitWords(std::string_view text) {
    std::vector<std::string> words;
    std::size_t start = 0;
    while ((start = text.find_first_not_of(" \t", start)) != std::string_view::npos) {
        const std::size_t end = std::min(text.find_first_of(" \t", start), text.size());
        words.emplace_back(text.substr(start, end - start));
        start = end;
    }
    return words;
}

std::optional<std::pair<std::string, std::string>> SplitSetting(std::string_view text) {
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    return std::pair{std::string(Trim(text.substr(0, equals))),
                     std::string(Trim(text.substr(equals + 1)))};
}

std::optional<long> ParseInteger(std::string_view text, long minimum, long maximum) {
    long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < minimum ||
        value > maximum) {
        return std::nullopt;
    }
    return value;
}

}  // namespace pelmar::datagen
