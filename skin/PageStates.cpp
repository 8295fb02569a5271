#include "skin/PageStates.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <mutex>

#include "app/SharedState.h"
#include "skin/PageAreas.h"
#include "skin/PageImageSet.h"
#include "skin/SkinFiles.h"
#include "skin/SkinImage.h"
#include "skin/SkinRect.h"

namespace pelmar {

namespace {

// Main page.
constexpr int kFirstLevelSwitch = 46;  // enable switches of DPI levels 1 to 4
constexpr int kWheelNormal = 41;
constexpr int kWheelReverse = 42;
constexpr int kLightingOn = 36;
constexpr int kLightingOff = 37;
constexpr std::uint8_t kLightingOffMode = 3;

// Advanced page.
constexpr int kRecordArea = 4;
constexpr int kRepeatSwitch = 6;
constexpr int kHoldModeSwitch = 7;
constexpr int kFirstPointerSpeed = 8;  // pointer speeds 0 to 9
constexpr int kFirstWheelSpeed = 18;   // wheel speeds 0 to 9
constexpr int kSpeedSteps = 10;
constexpr int kFireTimeBar = 30;
constexpr int kLongestFireTime = 300;  // a full bar

// Colour page: modes 0 to 3 are areas 0 to 3; the preview picture.
constexpr int kLightingModes = 4;
constexpr int kPreviewArea = 11;

// What the lighting preview shows for each previewColour.
enum class PreviewLook { BlueImage, NormalImage, OverImage, DownImage };
constexpr std::array<PreviewLook, 4> kPreviewLooks{PreviewLook::BlueImage, PreviewLook::NormalImage,
                                                   PreviewLook::OverImage, PreviewLook::DownImage};

bool IsIndex(int value, int count) {
    return value >= 0 && value < count;
}

void Copy(QPainter& frame, const QImage& source, const SkinPage& table, int index) {
    CopyArea(frame, source, table.Area(index));
}

const SkinPage& PageTable(const SharedState& state) {
    switch (state.currentPage) {
        case Page::Advanced:
            return state.skin.advancedPage;
        case Page::Colour:
            return state.skin.colourPage;
        case Page::Main:
            break;
    }
    return state.skin.mainPage;
}

std::int32_t PageHot(const SharedState& state) {
    switch (state.currentPage) {
        case Page::Advanced:
            return state.advancedHot;
        case Page::Colour:
            return state.colourHot;
        case Page::Main:
            break;
    }
    return state.mainHot;
}

void ComposeHotArea(QPainter& frame, const PageImageSet& images, const SharedState& state) {
    const std::int32_t hot = PageHot(state);
    if (hot == kNoArea) {
        return;
    }
    if (state.buttonDown == 0) {
        Copy(frame, images.over, PageTable(state), hot);
        return;
    }
    // The rapid-fire bar shows its value while it is held, not a pressed look.
    if (state.currentPage == Page::Advanced && hot == kFireTimeBar) {
        return;
    }
    Copy(frame, images.down, PageTable(state), hot);
}

// Fills the cells of a level's DPI steps, from the first to the chosen one,
// in the level's colour. The cells keep a one-pixel margin left, right and
// at the top. A chosen step beyond the row fills the whole row.
void FillDpiSteps(QPainter& frame, const SkinPage& table, const Model& model, int level,
                  int chosen) {
    if (!IsIndex(level, static_cast<int>(model.dpiStepColours.size()))) {
        return;
    }
    const RgbColour& rgb = model.dpiStepColours[static_cast<std::size_t>(level)];
    const QColor colour(rgb.red, rgb.green, rgb.blue);
    const int last = std::min(chosen, model.dpiValueCount - 1);
    for (int step = 0; step <= last; ++step) {
        const SkinRect cell =
            table.Area(model.firstDpiValueArea + level * model.dpiValueCount + step);
        frame.fillRect(ToPixels(cell.x + std::int64_t{1}), ToPixels(cell.y + std::int64_t{1}),
                       ToPixels(cell.width - std::int64_t{2}),
                       ToPixels(cell.height - std::int64_t{1}), colour);
    }
}

void ComposeMainPage(QPainter& frame, const PageImageSet& images, const SharedState& state,
                     SkinImageCache& cache) {
    const Model& model = *state.model;
    const SkinPage& table = state.skin.mainPage;
    const Profile& profile = state.profile;
    if (IsIndex(profile.dpiLevel, kDpiLevelCount)) {
        Copy(frame, images.down, table, model.firstDpiLevelMarkerArea + profile.dpiLevel);
    }
    const QImage knob =
        model.hasDpiSetButton ? cache.Get(state.skinFolder / skin_images::kDpiSlider) : QImage();
    for (int level = 0; level < kDpiLevelCount; ++level) {
        if (model.hasDpiSetButton) {
            CopyFromOrigin(frame, knob, table.Area(profile.dpiSetButton[level]));
        }
        FillDpiSteps(frame, table, model, level, profile.dpiSet[level]);
        if (profile.dpiSetEnabled[level] != 0) {
            Copy(frame, images.down, table, kFirstLevelSwitch + level);
        }
    }
    Copy(frame, images.down, table, profile.wheelStatus != 0 ? kWheelReverse : kWheelNormal);
    if (model.hasLightingSwitch) {
        Copy(frame, images.down, table,
             profile.ledStatus == kLightingOffMode ? kLightingOff : kLightingOn);
    }
    if (state.mainHot >= kFirstButtonArea && state.mainHot <= kLastButtonArea) {
        Copy(frame, images.over, table,
             model.firstButtonHoverFrameArea + state.mainHot - kFirstButtonArea);
    }
}

void ComposeAdvancedPage(QPainter& frame, const PageImageSet& images, const SharedState& state) {
    const SkinPage& table = state.skin.advancedPage;
    const Profile& profile = state.profile;
    if (state.recording) {
        Copy(frame, images.down, table, kRecordArea);
    }
    // Speeds outside 0 to 9 (an edited settings file) select no step.
    if (IsIndex(profile.dpiSpeed, kSpeedSteps)) {
        Copy(frame, images.down, table, kFirstPointerSpeed + profile.dpiSpeed);
    }
    if (IsIndex(profile.wheelSpeed, kSpeedSteps)) {
        Copy(frame, images.down, table, kFirstWheelSpeed + profile.wheelSpeed);
    }
    // The bar fills in proportion to the rapid-fire time, never past its area.
    const SkinRect bar = table.Area(kFireTimeBar);
    const std::int64_t fireTime = std::clamp(profile.fireTime, 0, kLongestFireTime);
    const auto filled = static_cast<std::int32_t>(fireTime * bar.width / kLongestFireTime);
    CopyArea(frame, images.down, {bar.x, bar.y, filled, bar.height});
    if (profile.macroMode2 != 0) {
        Copy(frame, images.down, table, kHoldModeSwitch);
    }
    bool repeatOn = false;
    {
        const std::lock_guard lock(state.macros.mutex);
        const int current = state.macros.currentMacro;
        repeatOn = IsIndex(current, static_cast<int>(kUserMacroCapacity)) &&
                   state.macros.user.records[static_cast<std::size_t>(current)].repeatOn == 1;
    }
    if (repeatOn) {
        Copy(frame, images.down, table, kRepeatSwitch);
    }
}

void ComposeColourPage(QPainter& frame, const PageImageSet& images, const SharedState& state,
                       SkinImageCache& cache) {
    const SkinPage& table = state.skin.colourPage;
    if (IsIndex(state.profile.ledStatus, kLightingModes)) {
        Copy(frame, images.down, table, state.profile.ledStatus);
    }
    const SkinRect preview = table.Area(kPreviewArea);
    if (state.previewDark) {
        CopyArea(frame, cache.Get(state.skinFolder / skin_images::kColourPreviewGrey), preview);
        return;
    }
    const std::int32_t colour = state.previewColour;
    if (!IsIndex(colour, static_cast<int>(kPreviewLooks.size()))) {
        return;
    }
    switch (kPreviewLooks[static_cast<std::size_t>(colour)]) {
        case PreviewLook::BlueImage:
            CopyArea(frame, cache.Get(state.skinFolder / skin_images::kColourPreviewBlue), preview);
            break;
        case PreviewLook::NormalImage:
            break;
        case PreviewLook::OverImage:
            CopyArea(frame, images.over, preview);
            break;
        case PreviewLook::DownImage:
            CopyArea(frame, images.down, preview);
            break;
    }
}

int PageTab(Page page) {
    switch (page) {
        case Page::Advanced:
            return frame_area::kAdvancedTab;
        case Page::Colour:
            return frame_area::kColourTab;
        case Page::Main:
            break;
    }
    return frame_area::kMainTab;
}

}  // namespace

void ComposePageStates(QPainter& frame, const PageImageSet& images, const SharedState& state,
                       SkinImageCache& cache) {
    ComposeHotArea(frame, images, state);
    switch (state.currentPage) {
        case Page::Main:
            ComposeMainPage(frame, images, state, cache);
            break;
        case Page::Advanced:
            ComposeAdvancedPage(frame, images, state);
            break;
        case Page::Colour:
            ComposeColourPage(frame, images, state, cache);
            break;
    }
}

void ComposeCommonStates(QPainter& frame, const PageImageSet& images, const SharedState& state) {
    const SkinPage& table = state.skin.mainPage;
    const int tab = PageTab(state.currentPage);
    const int language = state.languageEnglish != 0 ? frame_area::kEnglish : frame_area::kChinese;
    for (int i = 0; i < kFrameAreaCount; ++i) {
        if (i == state.currentProfileNumber + frame_area::kFirstProfile - 1) {
            Copy(frame, images.down, table, i);
        } else if (i == state.mainHot) {
            Copy(frame, state.buttonDown != 0 ? images.down : images.over, table, i);
        } else if (i == tab || i == language) {
            Copy(frame, images.down, table, i);
        }
    }
}

}  // namespace pelmar
