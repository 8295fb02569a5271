#include <gtest/gtest.h>

#include <vector>

#include "app/CommandLine.h"

namespace pelmar {
namespace {

CommandLine Parse(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "pelmar");
    return ParseCommandLine(arguments);
}

TEST(CommandLineTest, UnderstandsItsOptions) {
    EXPECT_TRUE(Parse({"--help"}).showHelp);
    EXPECT_TRUE(Parse({"--version"}).showVersion);
    EXPECT_EQ(Parse({"--folder", "/opt/pelmar"}).folder, "/opt/pelmar");
    EXPECT_EQ(Parse({"--folder=/opt/my pelmar"}).folder, "/opt/my pelmar");
    EXPECT_TRUE(Parse({"--hidden"}).hidden);
    EXPECT_TRUE(Parse({"--print-udev-rules"}).printUdevRules);
    EXPECT_EQ(Parse({"--autostart", "on"}).autostart, AutostartRequest::On);
    EXPECT_EQ(Parse({"--autostart=off"}).autostart, AutostartRequest::Off);
    const CommandLine none = Parse({});
    EXPECT_FALSE(none.showHelp || none.showVersion || none.virtualMouse || none.hidden ||
                 none.printUdevRules);
    EXPECT_EQ(none.autostart, AutostartRequest::Unchanged);
    EXPECT_TRUE(none.folder.empty() && none.error.empty());
}

TEST(CommandLineTest, VirtualMouseOptions) {
    const CommandLine plain = Parse({"--virtual-mouse"});
    EXPECT_TRUE(plain.virtualMouse);
    EXPECT_TRUE(plain.virtualMouseLog.empty() && plain.virtualMouseControl.empty());
    const CommandLine full = Parse({"--virtual-mouse", "--virtual-mouse-log", "/tmp/m.log",
                                    "--virtual-mouse-control=/tmp/m.pipe"});
    EXPECT_TRUE(full.virtualMouse);
    EXPECT_EQ(full.virtualMouseLog, "/tmp/m.log");
    EXPECT_EQ(full.virtualMouseControl, "/tmp/m.pipe");
    // A log or control pipe asks for the mouse by itself.
    EXPECT_TRUE(Parse({"--virtual-mouse-control", "/tmp/p"}).virtualMouse);
    EXPECT_NE(Parse({"--virtual-mouse-log"}).error, "");
    EXPECT_NE(Parse({"--virtual-mouse=yes"}).error, "");
}

TEST(CommandLineTest, RejectsWhatItDoesNotUnderstand) {
    EXPECT_NE(Parse({"--colour"}).error, "");
    EXPECT_NE(Parse({"--folder"}).error, "");
    EXPECT_NE(Parse({"--help=yes"}).error, "");
    EXPECT_NE(Parse({"stray"}).error, "");
    EXPECT_NE(Parse({"--autostart", "yes"}).error, "");
    EXPECT_NE(Parse({"--autostart"}).error, "");
    EXPECT_NE(Parse({"--hidden=1"}).error, "");
}

TEST(CommandLineTest, UsageNamesEveryOption) {
    const std::string usage = UsageText("pelmar-b");
    for (const char* option :
         {"Usage: pelmar-b", "--help", "--version", "--folder DIR", "--virtual-mouse ",
          "--virtual-mouse-log FILE", "--virtual-mouse-control PATH", "--hidden",
          "--autostart on|off", "--print-udev-rules"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
}

}  // namespace
}  // namespace pelmar
