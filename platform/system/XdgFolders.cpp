#include "platform/system/XdgFolders.h"

#include <cstdlib>
#include <string>

namespace pelmar {

namespace {

std::filesystem::path AbsoluteEnvironmentPath(std::string_view variable) {
    const char* value = std::getenv(std::string(variable).c_str());
    if (value == nullptr || *value != '/') {
        return {};
    }
    return value;
}

}  // namespace

std::filesystem::path XdgBaseFolder(std::string_view variable, std::string_view defaultUnderHome) {
    if (std::filesystem::path folder = AbsoluteEnvironmentPath(variable); !folder.empty()) {
        return folder;
    }
    if (const std::filesystem::path home = AbsoluteEnvironmentPath("HOME"); !home.empty()) {
        return home / defaultUnderHome;
    }
    return {};
}

std::filesystem::path XdgDataHome() {
    return XdgBaseFolder("XDG_DATA_HOME", ".local/share");
}

std::filesystem::path XdgConfigHome() {
    return XdgBaseFolder("XDG_CONFIG_HOME", ".config");
}

}  // namespace pelmar
