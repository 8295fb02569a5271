#pragma once

#include <filesystem>

namespace pelmar::bench {

// A fresh copy of a program folder (executables, settings, macro files, skins) in a new
// temporary folder, removed with the object, so every measurement starts from the shipped
// files.
class ProgramFolderCopy {
  public:
    explicit ProgramFolderCopy(const std::filesystem::path& source);
    ~ProgramFolderCopy();
    ProgramFolderCopy(const ProgramFolderCopy&) = delete;
    ProgramFolderCopy& operator=(const ProgramFolderCopy&) = delete;

    // The copied program folder.
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path root_;
    std::filesystem::path path_;
};

}  // namespace pelmar::bench
