#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/ManualPage.h"

namespace pelmar {
namespace {

// How a name is written in the page: every hyphen a minus sign.
std::string Minus(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        escaped += c == '-' ? std::string("\\-") : std::string(1, c);
    }
    return escaped;
}

// The request of every line that is one (begins with a dot or apostrophe).
std::vector<std::string> Requests(const std::string& page) {
    std::vector<std::string> requests;
    std::istringstream lines(page);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && (line[0] == '.' || line[0] == '\'')) {
            requests.push_back(line.substr(0, line.find(' ')));
        }
    }
    return requests;
}

TEST(ManualPageTest, ListsEveryOptionOfTheCommandLineAndNamesTheExecutable) {
    for (const Model* model : {&ModelA(), &ModelB()}) {
        const std::string name(model->executableName);
        SCOPED_TRACE(name);
        const std::string page = ManualPage(*model);
        std::string title = Minus(name);
        for (char& c : title) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        EXPECT_EQ(page.rfind(".TH " + title + " 1 ", 0), 0u);
        EXPECT_NE(page.find(".SH NAME\n" + Minus(name) + " \\- "), std::string::npos);
        for (const OptionDescription& option : CommandLineOptions()) {
            SCOPED_TRACE(option.name);
            std::string entry = ".TP\n\\fB" + Minus(option.name) + "\\fR";
            if (!option.argument.empty()) {
                entry += " \\fI" + Minus(option.argument) + "\\fR";
            }
            entry += "\n" + std::string(option.help) + "\n";
            EXPECT_NE(page.find(entry), std::string::npos);
        }
        for (const char* section : {"SYNOPSIS", "DESCRIPTION", "OPTIONS", "FILES", "SEE ALSO"}) {
            EXPECT_NE(page.find(std::string(".SH ") + section + "\n"), std::string::npos);
        }
        EXPECT_NE(page.find(Minus(std::string(model->applicationId) + ".desktop")),
                  std::string::npos);
    }
}

TEST(ManualPageTest, OptionTextCannotBecomeMarkup) {
    const OptionDescription options[] = {
        {"--dry-run", "A-B", ".so /etc/passwd"},
        {"--path", "C:\\DIR", "'br then a \\fB backslash\nand .a dot\n.ex"},
    };
    const std::string page = ManualPage(ModelA(), options);
    EXPECT_NE(page.find("\\fB\\-\\-dry\\-run\\fR \\fIA\\-B\\fR\n\\&.so /etc/passwd\n"),
              std::string::npos);
    EXPECT_NE(page.find("\\fIC:\\eDIR\\fR\n\\&'br then a \\efB backslash\nand .a dot\n\\&.ex\n"),
              std::string::npos);
    const std::set<std::string> known{".TH", ".nh", ".SH", ".TP", ".PP", ".BR"};
    for (const std::string& request : Requests(page)) {
        EXPECT_TRUE(known.contains(request)) << request;
    }
}

}  // namespace
}  // namespace pelmar
