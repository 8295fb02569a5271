#include <gtest/gtest.h>

#include "app/Titles.h"

namespace pelmar {
namespace {

TEST(TitlesTest, TitlesAndPromptsPerModelAndLanguage) {
    const struct {
        const Model& model;
        std::int32_t languageEnglish;
        const char* title;
        const char* prompt;
    } cases[] = {
        {ModelA(), 1, "Halvex Gaming Mouse", "Please plug-in【Halvex】USB Mouse"},
        {ModelA(), 2, "Halvex Gaming Mouse", "Please plug-in【Halvex】USB Mouse"},
        {ModelA(), 0, "Halvex专业级宏定义游戏鼠标", "请插入【Halvex】USB鼠标"},
        {ModelB(), 1, "Drenn GAMING MOUSE", "Please plug-in【Drenn】USB Mouse"},
        {ModelB(), 0, "Drenn专业级宏定义游戏鼠标", "请插入【Drenn】USB鼠标"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        EXPECT_EQ(WindowTitle(c.model, c.languageEnglish), c.title);
        EXPECT_EQ(PlugInPrompt(c.model, c.languageEnglish), c.prompt);
    }
}

}  // namespace
}  // namespace pelmar
