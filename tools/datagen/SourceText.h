#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace pelmar::datagen {

// A mistake in a readable source, reported as "file:line: what".
class SourceError : public std::runtime_error {
  public:
    SourceError(const std::filesystem::path& file, int line, const std::string& what);
};

struct SourceLine {
    int number = 0;
    std::string text;  // trimmed
};

// A "[header]" line and the lines up to the next header.
struct SourceBlock {
    std::filesystem::path file;
    int line = 0;
    std::string header;
    std::vector<SourceLine> lines;

    [[noreturn]] void Fail(const SourceLine& at, const std::string& what) const;
};

// Reads a UTF-8 source made of blocks. Blank lines and lines starting with '#' are skipped;
// any other line before the first header is an error.
std::vector<SourceBlock> ReadBlocks(const std::filesystem::path& file);

std::string_view Trim(std::string_view text);
std::vector<std::string> SplitWords(std::string_view text);

// "key = value" split at the first '=', both parts trimmed; nothing when there is no '='.
std::optional<std::pair<std::string, std::string>> SplitSetting(std::string_view text);

// The whole text as a decimal integer within [minimum, maximum], or nothing.
std::optional<long> ParseInteger(std::string_view text, long minimum, long maximum);

}  // namespace pelmar::datagen
