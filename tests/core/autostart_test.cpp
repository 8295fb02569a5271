#include <gtest/gtest.h>

#include <string>

#include "app/Autostart.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"

namespace pelmar {
namespace {

using test::ReadFile;
using test::ScopedEnvironment;
using test::TempFolder;

TEST(AutostartTest, OnWritesTheEntryAndOffRemovesIt) {
    TempFolder config;
    const ScopedEnvironment configHome("XDG_CONFIG_HOME", config.path().string());
    const std::filesystem::path entry = config.path() / "autostart/org.pelmar.PelmarB.desktop";
    ASSERT_EQ(AutostartEntryPath(ModelB()), entry);

    ASSERT_EQ(SetAutostart(ModelB(), true, "/usr/bin/pelmar-b"), "");
    const std::string text = ReadFile(entry);
    EXPECT_TRUE(text.starts_with("[Desktop Entry]\nType=Application\n")) << text;
    EXPECT_NE(text.find("\nExec=/usr/bin/pelmar-b --hidden\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nName=Drenn GAMING MOUSE\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nIcon=org.pelmar.PelmarB\n"), std::string::npos) << text;
    // Turning it on again keeps one whole entry.
    ASSERT_EQ(SetAutostart(ModelB(), true, "/usr/bin/pelmar-b"), "");
    EXPECT_EQ(ReadFile(entry), text);

    ASSERT_EQ(SetAutostart(ModelB(), false, "/usr/bin/pelmar-b"), "");
    EXPECT_FALSE(std::filesystem::exists(entry));
    // Off when it is already off is no error.
    EXPECT_EQ(SetAutostart(ModelB(), false, "/usr/bin/pelmar-b"), "");
}

TEST(AutostartTest, ExecutablePathsAreQuotedForTheExecLine) {
    const struct {
        const char* executable;
        const char* exec;
    } cases[] = {
        {"/opt/pelmar/bin/pelmar", "Exec=/opt/pelmar/bin/pelmar --hidden\n"},
        {"/home/ann/My Programs/pelmar", "Exec=\"/home/ann/My Programs/pelmar\" --hidden\n"},
        {"/home/ann/100%/pelmar", "Exec=/home/ann/100%%/pelmar --hidden\n"},
        {"/home/ann/a$b\"c/pelmar", "Exec=\"/home/ann/a\\$b\\\"c/pelmar\" --hidden\n"},
    };
    for (const auto& c : cases) {
        const std::string text = AutostartEntry(ModelA(), c.executable);
        EXPECT_NE(text.find(c.exec), std::string::npos) << text;
    }
}

TEST(AutostartTest, WithoutAnyHomeItSaysSo) {
    const ScopedEnvironment configHome("XDG_CONFIG_HOME", std::nullopt);
    const ScopedEnvironment home("HOME", std::nullopt);
    EXPECT_NE(SetAutostart(ModelA(), true, "/usr/bin/pelmar"), "");
}

}  // namespace
}  // namespace pelmar
