#include "bench/ProgramFolderCopy.h"

#include <stdlib.h>

#include <cerrno>
#include <string>
#include <system_error>

namespace pelmar::bench {

ProgramFolderCopy::ProgramFolderCopy(const std::filesystem::path& source) {
    std::string pattern = (std::filesystem::temp_directory_path() / "pelmar-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::system_error(errno, std::generic_category(), "cannot create " + pattern);
    }
    root_ = pattern;
    path_ = root_ / "bin";
    std::filesystem::copy(source, path_, std::filesystem::copy_options::recursive);
}

ProgramFolderCopy::~ProgramFolderCopy() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

}  // namespace pelmar::bench
