#include "app/Titles.h"

#include "app/UdevRules.h"

namespace pelmar {

namespace {

// The plug-in prompt is the brand word between two fixed pieces per language.
struct PromptPieces {
    std::string_view before;
    std::string_view after;
};
constexpr PromptPieces kEnglishPrompt{"Please plug-in【", "】USB Mouse"};
constexpr PromptPieces kChinesePrompt{"请插入【", "】USB鼠标"};

// The access message: a statement, then the commands that fix it.
struct AccessPieces {
    std::string_view problem;
    std::string_view remedy;
};
constexpr AccessPieces kEnglishAccess{
    "The mouse is plugged in, but you lack the permission to open its device node.",
    "Install the device rule as root, then unplug the mouse and plug it in again:"};
constexpr AccessPieces kChineseAccess{"鼠标已插入，但当前用户没有打开其设备节点的权限。",
                                      "请以 root 身份安装设备规则，然后拔下鼠标再重新插入："};

}  // namespace

std::string WindowTitle(const Model& model, std::int32_t languageEnglish) {
    return std::string(languageEnglish != 0 ? model.englishTitle : model.chineseTitle);
}

std::string PlugInPrompt(const Model& model, std::int32_t languageEnglish) {
    const PromptPieces& pieces = languageEnglish != 0 ? kEnglishPrompt : kChinesePrompt;
    return std::string(pieces.before) + std::string(model.brand) + std::string(pieces.after);
}

std::string AccessDeniedMessage(const Model& model, std::int32_t languageEnglish) {
    const AccessPieces& pieces = languageEnglish != 0 ? kEnglishAccess : kChineseAccess;
    const std::string rules = "/etc/udev/rules.d/" + std::string(kUdevRulesFileName);
    return std::string(pieces.problem) + "\n\n" + std::string(pieces.remedy) + "\n\n  " +
           std::string(model.executableName) + " --print-udev-rules | sudo tee " + rules +
           "\n  sudo udevadm control --reload\n";
}

}  // namespace pelmar
