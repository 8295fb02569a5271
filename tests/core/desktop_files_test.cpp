#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "app/Model.h"
#include "app/SharedState.h"

namespace pelmar {
namespace {

#ifdef PELMAR_DESKTOP_FILES
const std::filesystem::path kDesktopFiles = PELMAR_DESKTOP_FILES;
#else
const std::filesystem::path kDesktopFiles;
#endif

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The keys of a desktop entry's main group.
std::map<std::string, std::string> EntryKeys(const std::string& text) {
    std::map<std::string, std::string> keys;
    std::istringstream lines(text);
    std::string group;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with('[')) {
            group = line;
        } else if (const std::size_t equals = line.find('=');
                   group == "[Desktop Entry]" && equals != std::string::npos) {
            keys[line.substr(0, equals)] = line.substr(equals + 1);
        }
    }
    return keys;
}

class DesktopFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (kDesktopFiles.empty()) {
            GTEST_SKIP() << "built without the user interface and its desktop files";
        }
    }
};

TEST_F(DesktopFilesTest, EntriesCarryTheModelsIdentity) {
    for (const Model* model : {&ModelA(), &ModelB()}) {
        SCOPED_TRACE(model->applicationId);
        const std::filesystem::path file =
            kDesktopFiles / (std::string(model->applicationId) + ".desktop");
        ASSERT_TRUE(std::filesystem::is_regular_file(file));
        const auto keys = EntryKeys(ReadFile(file));
        EXPECT_EQ(keys.at("Name"), model->englishTitle);
        EXPECT_EQ(keys.at("Name[zh_CN]"), model->chineseTitle);
        EXPECT_EQ(keys.at("Exec"), model->executableName);
        EXPECT_EQ(keys.at("Icon"), model->applicationId);
    }
}

TEST_F(DesktopFilesTest, AppStreamDescriptionNamesBothProgramsAndTheMouse) {
    const std::string id(ModelA().applicationId);
    const std::string text = ReadFile(kDesktopFiles / (id + ".metainfo.xml"));
    EXPECT_NE(text.find("<id>" + id + "</id>"), std::string::npos);
    for (const Model* model : {&ModelA(), &ModelB()}) {
        SCOPED_TRACE(model->applicationId);
        EXPECT_NE(text.find("<launchable type=\"desktop-id\">" + std::string(model->applicationId) +
                            ".desktop</launchable>"),
                  std::string::npos);
        EXPECT_NE(text.find("<binary>" + std::string(model->executableName) + "</binary>"),
                  std::string::npos);
    }
    char modalias[64];
    std::snprintf(modalias, sizeof modalias, "<modalias>usb:v%04Xp%04Xd*</modalias>",
                  static_cast<unsigned>(SharedState::vendorId),
                  static_cast<unsigned>(SharedState::productId));
    EXPECT_NE(text.find(modalias), std::string::npos);
}

}  // namespace
}  // namespace pelmar
