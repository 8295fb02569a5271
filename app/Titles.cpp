#include "app/Titles.h"

namespace pelmar {

namespace {

// The plug-in prompt is the brand word between two fixed pieces per language.
struct PromptPieces {
    std::string_view before;
    std::string_view after;
};
constexpr PromptPieces kEnglishPrompt{"Please plug-in【", "】USB Mouse"};
constexpr PromptPieces kChinesePrompt{"请插入【", "】USB鼠标"};

}  // namespace

std::string WindowTitle(const Model& model, std::int32_t languageEnglish) {
    return std::string(languageEnglish != 0 ? model.englishTitle : model.chineseTitle);
}

std::string PlugInPrompt(const Model& model, std::int32_t languageEnglish) {
    const PromptPieces& pieces = languageEnglish != 0 ? kEnglishPrompt : kChinesePrompt;
    return std::string(pieces.before) + std::string(model.brand) + std::string(pieces.after);
}

}  // namespace pelmar
