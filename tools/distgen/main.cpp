// Writes the files a Linux installation carries beside the executables, from
// the same texts the program itself uses:
//   pelmar-distgen KIND A|B OUTPUT_FILE
// KIND is one of the generators listed in kGenerators.
#include <array>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

#include "app/ManualPage.h"
#include "app/Model.h"
#include "app/UdevRules.h"

namespace pelmar::distgen {
namespace {

struct Generator {
    std::string_view kind;
    std::string (*text)(const Model& model);
};

constexpr std::array kGenerators{
    Generator{"udev-rules", UdevRules},
    Generator{"manpage", ManualPage},
};

const Model* ModelNamed(std::string_view name) {
    if (name == "A") {
        return &ModelA();
    }
    if (name == "B") {
        return &ModelB();
    }
    return nullptr;
}

// Writes text to file unless it already holds it, so that an unchanged output
// does not make its dependants rebuild.
bool WriteIfChanged(const std::string& file, const std::string& text) {
    {
        std::ifstream old(file, std::ios::binary);
        const std::string current((std::istreambuf_iterator<char>(old)),
                                  std::istreambuf_iterator<char>());
        if (old && current == text) {
            return true;
        }
    }
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out.flush());
}

int Run(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: pelmar-distgen KIND A|B OUTPUT_FILE\n");
        return 2;
    }
    const Model* model = ModelNamed(argv[2]);
    if (model == nullptr) {
        std::fprintf(stderr, "pelmar-distgen: no model %s (A or B)\n", argv[2]);
        return 2;
    }
    for (const Generator& generator : kGenerators) {
        if (generator.kind == argv[1]) {
            if (!WriteIfChanged(argv[3], generator.text(*model))) {
                std::fprintf(stderr, "pelmar-distgen: cannot write %s\n", argv[3]);
                return 1;
            }
            return 0;
        }
    }
    std::fprintf(stderr, "pelmar-distgen: no generator %s\n", argv[1]);
    return 2;
}

}  // namespace
}  // namespace pelmar::distgen

int main(int argc, char** argv) {
    return pelmar::distgen::Run(argc, argv);
}
