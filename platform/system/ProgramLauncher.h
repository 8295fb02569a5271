#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace pelmar {

// Programs a mouse button can start.
enum class DesktopProgram : std::uint8_t { Calculator, Terminal };

// Starts desktop programs for the buttons that ask for them.
class ProgramLauncher {
  public:
    virtual ~ProgramLauncher() = default;

    // Starts the program and returns at once; a program that cannot be started is ignored.
    virtual void Start(DesktopProgram program) = 0;
};

// Starts the first of the usual programs of the kind that the search path holds, directly
// (no shell), detached from this process: it outlives the driver and leaves no zombie.
class PathProgramLauncher final : public ProgramLauncher {
  public:
    // searchPath is a list of folders separated by ':', like PATH.
    explicit PathProgramLauncher(std::string searchPath);

    void Start(DesktopProgram program) override;

  private:
    std::string searchPath_;
};

// The candidates for a program, in order of preference.
std::span<const std::string_view> ProgramCandidates(DesktopProgram program);

// The first name that is an executable file in a folder of searchPath; names are tried in
// order, each in every folder. Empty folders in the list are skipped.
std::optional<std::filesystem::path> FindProgram(std::span<const std::string_view> names,
                                                 std::string_view searchPath);

// The launcher of this process, searching the PATH it started with.
ProgramLauncher& SystemProgramLauncher();

}  // namespace pelmar
