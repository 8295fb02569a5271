// Judges the settings file and the user macro file that a program killed at
// any moment left behind: both must be whole and readable by the program.
//
//   pelmar_file_check SHIPPED_CONFIG CONFIG MACRO_FILE COUNT...
//
// CONFIG must hold every section and key of SHIPPED_CONFIG, every value a
// decimal integer; MACRO_FILE must hold macroNum, one of the COUNTs given,
// and as many complete macro values, and read back with that many macros.
// Every line of both files must be blank, a comment, a section header or a
// key line, and the last must end with a line end. Prints each problem and
// exits with 1 when there is one.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "macro/MacroStore.h"
#include "platform/ini/IniFile.h"
#include "profile/MacroFile.h"
#include "profile/MacroValue.h"

namespace {

namespace fs = std::filesystem;
using pelmar::ini::ReadString;

// Long enough for any value either file holds.
constexpr std::size_t kReadCapacity = 8192;
constexpr std::string_view kMacroSection = "Macros";
constexpr std::string_view kMacroCountKey = "macroNum";

class Problems {
  public:
    void Add(const std::string& text) {
        std::cerr << "pelmar_file_check: " << text << '\n';
        found_ = true;
    }
    bool Found() const { return found_; }

  private:
    bool found_ = false;
};

std::string ReadBytes(const fs::path& path) {
    std::ifstream stream(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    const auto last = text.find_last_not_of(" \t\r");
    return first == std::string_view::npos ? std::string()
                                           : std::string(text.substr(first, last - first + 1));
}

bool IsDecimal(std::string_view text) {
    if (!text.empty() && text.front() == '-') {
        text.remove_prefix(1);
    }
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
}

// The (section, key) pairs of a file, in file order; reports lines that are
// none of the kinds a settings file holds.
std::vector<std::pair<std::string, std::string>> Keys(const fs::path& path, Problems& problems) {
    const std::string bytes = ReadBytes(path);
    if (bytes.empty()) {
        problems.Add(path.string() + " is empty or missing");
        return {};
    }
    if (bytes.back() != '\n') {
        problems.Add(path.string() + " ends inside a line");
    }
    std::vector<std::pair<std::string, std::string>> keys;
    std::istringstream lines(bytes);
    std::string line;
    std::string section;
    for (int number = 1; std::getline(lines, line); ++number) {
        line = Trim(line);
        if (line.empty() || line.front() == ';' || line.front() == '#') {
            continue;
        }
        if (line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string::npos || Trim(line.substr(0, equals)).empty()) {
            problems.Add(path.string() + " line " + std::to_string(number) +
                         " is broken: " + line.substr(0, 80));
            continue;
        }
        keys.emplace_back(section, Trim(line.substr(0, equals)));
    }
    return keys;
}

void CheckConfig(const fs::path& shipped, const fs::path& config, Problems& problems) {
    Keys(config, problems);
    Problems shippedProblems;
    const auto expected = Keys(shipped, shippedProblems);
    if (shippedProblems.Found() || expected.empty()) {
        problems.Add("the shipped settings file " + shipped.string() + " is unusable");
    }
    for (const auto& [section, key] : expected) {
        const std::string value = ReadString(config, section, key, kReadCapacity);
        if (!IsDecimal(value)) {
            problems.Add(config.string() + " [" + section + "] " + key + " reads as '" + value +
                         "'");
        }
    }
}

void CheckMacros(const fs::path& path, const std::vector<int>& counts, Problems& problems) {
    Keys(path, problems);
    const std::string countText = ReadString(path, kMacroSection, kMacroCountKey, kReadCapacity);
    const int count = IsDecimal(countText) ? std::atoi(countText.c_str()) : -1;
    if (std::find(counts.begin(), counts.end(), count) == counts.end()) {
        problems.Add(path.string() + " macroNum reads as '" + countText + "'");
        return;
    }
    for (int i = 0; i < count; ++i) {
        const std::string value = ReadString(path, kMacroSection, std::to_string(i), kReadCapacity);
        if (value.size() != pelmar::kMacroValueLength || !IsDecimal(value)) {
            problems.Add(path.string() + " macro " + std::to_string(i) + " has " +
                         std::to_string(value.size()) + " characters");
        }
    }
    pelmar::MacroStore store;
    pelmar::ReadMacroFile(path, store);
    if (store.user.count != count) {
        problems.Add(path.string() + " reads back with " + std::to_string(store.user.count) +
                     " macros instead of " + std::to_string(count));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::cerr << "usage: pelmar_file_check SHIPPED_CONFIG CONFIG MACRO_FILE COUNT...\n";
        return 2;
    }
    std::vector<int> counts;
    for (int i = 4; i < argc; ++i) {
        counts.push_back(std::atoi(argv[i]));
    }
    Problems problems;
    CheckConfig(argv[1], argv[2], problems);
    CheckMacros(argv[3], counts, problems);
    return problems.Found() ? 1 : 0;
}
