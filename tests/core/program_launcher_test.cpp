#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <string_view>
#include <thread>

#include "platform/system/ProgramLauncher.h"
#include "tests/support/TempFolder.h"

namespace pelmar {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

void WriteProgram(const std::filesystem::path& path, const std::string& script, bool executable) {
    WriteFile(path, script);
    std::filesystem::permissions(path, executable ? std::filesystem::perms::owner_all
                                                  : std::filesystem::perms::owner_read |
                                                        std::filesystem::perms::owner_write);
}

TEST(ProgramLauncherTest, FindsTheFirstCandidateThatIsAnExecutableFile) {
    TempFolder first;
    TempFolder second;
    WriteProgram(first / "gnome-calculator", "", false);
    std::filesystem::create_directory(first / "mate-calc");
    WriteProgram(first / "xcalc", "", true);
    WriteProgram(second / "kcalc", "", true);
    constexpr std::array<std::string_view, 4> names{"gnome-calculator", "mate-calc", "kcalc",
                                                    "xcalc"};
    const std::string path = first.path().string() + "::" + second.path().string() + ":";

    EXPECT_EQ(FindProgram(names, path), second / "kcalc");
    EXPECT_EQ(FindProgram(std::span(names).first(2), path), std::nullopt);
    EXPECT_EQ(FindProgram(names, ""), std::nullopt);
    EXPECT_EQ(FindProgram(ProgramCandidates(DesktopProgram::Calculator), first.path().string()),
              first / "xcalc");
}

TEST(ProgramLauncherTest, StartsTheProgramDetachedAndIgnoresAMissingOne) {
    TempFolder folder;
    const std::filesystem::path marker = folder / "started";
    // The program notes its parent: after the detaching start it is not this process.
    WriteProgram(folder / "xterm",
                 "#!/bin/sh\necho $PPID > '" + marker.string() + ".tmp'\nmv '" + marker.string() +
                     ".tmp' '" + marker.string() + "'\n",
                 true);
    PathProgramLauncher launcher(folder.path().string());
    launcher.Start(DesktopProgram::Calculator);  // no calculator there: nothing happens
    launcher.Start(DesktopProgram::Terminal);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!std::filesystem::exists(marker) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_TRUE(std::filesystem::exists(marker));
    EXPECT_NE(std::stol(ReadFile(marker)), static_cast<long>(getpid()));
}

}  // namespace
}  // namespace pelmar
