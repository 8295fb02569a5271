#include "tools/skingen/LanguageLayouts.h"

#include <vector>

#include "app/Notifier.h"
#include "skin/SkinLoaders.h"

namespace skingen {

namespace {

bool LoadAll(pelmar::SkinLayout& layout, const pelmar::SkinFolder& folder,
             const pelmar::Model& model) {
    bool loaded = pelmar::LoadMainSkin(layout, folder, model) == pelmar::SkinLoad::Loaded;
    loaded &= pelmar::LoadColourSkin(layout, folder, model) == pelmar::SkinLoad::Loaded;
    loaded &= pelmar::LoadAdvancedSkin(layout, folder, model) == pelmar::SkinLoad::Loaded;
    loaded &= pelmar::LoadWarningSkin(layout, folder) == pelmar::SkinLoad::Loaded;
    return loaded;
}

std::string ComparePages(const char* name, const pelmar::SkinPage& english,
                         const pelmar::SkinPage& chinese) {
    for (int index = 0; index < english.Count(); ++index) {
        if (english.Area(index) != chinese.Area(index)) {
            return std::string(name) + " area " + std::to_string(index) +
                   " differs between the English and the Chinese layout";
        }
    }
    return {};
}

std::string CompareLayouts(const LanguageLayouts& layouts) {
    const pelmar::SkinLayout& en = layouts.english;
    const pelmar::SkinLayout& cn = layouts.chinese;
    for (const std::string& difference :
         {ComparePages("main", en.mainPage, cn.mainPage),
          ComparePages("colour", en.colourPage, cn.colourPage),
          ComparePages("advanced", en.advancedPage, cn.advancedPage),
          ComparePages("warning", en.warning, cn.warning)}) {
        if (!difference.empty()) {
            return difference;
        }
    }
    if (en.repeatEditRect != cn.repeatEditRect || en.nameEditRect != cn.nameEditRect ||
        en.macroListRect != cn.macroListRect || en.eventListRect != cn.eventListRect) {
        return "the advanced page's control placements differ between the languages";
    }
    return {};
}

}  // namespace

std::optional<LanguageLayouts> LoadLanguageLayouts(const std::filesystem::path& folder,
                                                   const pelmar::Model& model, std::string& error) {
    std::vector<std::string> messages;
    pelmar::notifier.showMessage = [&](const std::string& text) { messages.push_back(text); };
    LanguageLayouts layouts;
    const bool loaded = LoadAll(layouts.english, {folder, 1}, model) &&
                        LoadAll(layouts.chinese, {folder, 0}, model);
    pelmar::notifier.showMessage = nullptr;
    if (!loaded || !messages.empty()) {
        error = "cannot read the layout files in " + folder.string() +
                (messages.empty() ? std::string() : ": " + messages.front());
        return std::nullopt;
    }
    error = CompareLayouts(layouts);
    if (!error.empty()) {
        return std::nullopt;
    }
    return layouts;
}

}  // namespace skingen
