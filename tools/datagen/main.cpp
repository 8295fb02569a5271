// Generates the program's shipped data files from their readable sources:
//   pelmar-datagen DATA_FOLDER OUTPUT_FOLDER [A|B]
// for the device model named last (default A): the model decides the built-in profile that the
// shipped profiles start from and the DPI values they can choose.
// A file whose content did not change is left alone, so a build does not touch the copies
// in the program folder that depend on it.
#include <cctype>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "profile/MacroFile.h"
#include "tools/datagen/ConfigSource.h"
#include "tools/datagen/MacroSource.h"

namespace pelmar::datagen {
namespace {

constexpr std::size_t kBuiltInMacroCount = 8;  // functions 31 to 38

std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

void WriteMacros(const std::filesystem::path& file, const UserMacroTable& table) {
    std::filesystem::create_directories(file.parent_path());
    if (const ini::WriteResult result = WriteMacroFile(file, table); !result.Ok()) {
        throw std::runtime_error(result.error);
    }
}

std::string Upper(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

// Copies every file of `from` to the same place under `to` unless it is there already with
// the same content; the copy replaces the old file in one step.
void Publish(const std::filesystem::path& from, const std::filesystem::path& to) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(from)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        const std::filesystem::path target = to / std::filesystem::relative(entry.path(), from);
        const std::string bytes = ReadBytes(entry.path());
        if (std::filesystem::exists(target) && ReadBytes(target) == bytes) {
            continue;
        }
        std::filesystem::create_directories(target.parent_path());
        const std::filesystem::path temporary = target.string() + ".new";
        std::filesystem::copy_file(entry.path(), temporary,
                                   std::filesystem::copy_options::overwrite_existing);
        std::filesystem::rename(temporary, target);
    }
}

// The models whose data this tool writes, by the name on its command line.
struct ModelName {
    std::string_view name;
    const Model& (*model)();
};
constexpr ModelName kModels[] = {{"A", ModelA}, {"B", ModelB}};

void Generate(const std::filesystem::path& data, const std::filesystem::path& output,
              const Model& model) {
    const std::filesystem::path work = output.string() + ".work";
    const std::filesystem::path files = work / "files";
    std::filesystem::remove_all(work);
    std::filesystem::create_directories(files);

    const std::vector<SourceMacro> builtIn = ReadMacroSource(data / "macros" / "builtin.txt");
    const UserMacroTable builtInTable = MacroTableFor(builtIn, Language::English);
    if (builtIn.size() != kBuiltInMacroCount ||
        static_cast<std::size_t>(builtInTable.count) != kBuiltInMacroCount) {
        throw std::runtime_error("the built-in macros are eight named macros");
    }
    WriteMacros(files / "constMacro.dat", builtInTable);

    const std::vector<SourceMacro> defaults = ReadMacroSource(data / "macros" / "default.txt");
    for (const Language language : kLanguages) {
        const std::string suffix = Upper(LanguageSuffix(language));
        const UserMacroTable table = MacroTableFor(defaults, language);
        WriteMacros(files / "skins" / ("INI_" + suffix) / "defMacro.dat", table);
        WriteMacros(files / ("Macro_" + suffix + ".dat"), table);
    }

    WriteConfig(data / "config.txt", defaults, files / "config.ini", work, model);
    Publish(files, output);
    std::filesystem::remove_all(work);
}

}  // namespace
}  // namespace pelmar::datagen

int main(int argc, char** argv) {
    const pelmar::Model* model = argc == 3 ? &pelmar::ModelA() : nullptr;
    for (const pelmar::datagen::ModelName& candidate : pelmar::datagen::kModels) {
        if (argc == 4 && candidate.name == argv[3]) {
            model = &candidate.model();
        }
    }
    if (model == nullptr) {
        std::fprintf(stderr, "usage: %s DATA_FOLDER OUTPUT_FOLDER [A|B]\n", argv[0]);
        return 2;
    }
    try {
        pelmar::datagen::Generate(argv[1], argv[2], *model);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
