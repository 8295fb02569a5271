#include "platform/system/ExecutablePath.h"

#include <system_error>

namespace pelmar {

std::filesystem::path ExecutablePath() {
    std::error_code error;
    std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : executable;
}

std::filesystem::path ExecutableFolder() {
    return ExecutablePath().parent_path();
}

}  // namespace pelmar
