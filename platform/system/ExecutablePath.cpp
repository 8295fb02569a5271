#include "platform/system/ExecutablePath.h"

#include <system_error>

namespace pelmar {

std::filesystem::path ExecutableFolder() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return {};
    }
    return executable.parent_path();
}

}  // namespace pelmar
