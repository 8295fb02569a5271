#include "skin/PageInput.h"

#include "device/FeatureReports.h"
#include "profile/DpiLevels.h"
#include "profile/LanguageSwitch.h"
#include "profile/ProfileActions.h"
#include "skin/HitTest.h"
#include "skin/InputAreas.h"
#include "skin/PageAreas.h"

namespace pelmar {

namespace {

bool InRange(std::int32_t value, int first, int last) {
    return value >= first && value <= last;
}

}  // namespace

PageInput::PageInput(SharedState& state, PageWindow& window, PointerSettings& pointer)
    : state_(state), window_(window), pointer_(pointer) {}

void PageInput::OnMouseMove(QPoint point) {
    // Only the frame areas of the main table lie on the other pages.
    const int lastMain =
        state_.currentPage == Page::Main ? state_.model->mainPageLastArea : kFrameAreaCount - 1;
    const SkinLayout& skin = state_.skin;
    SetHot({HitTestPage(point.x(), point.y(), skin.mainPage, lastMain),
            HitTestPage(point.x(), point.y(), skin.colourPage, colour_area::kLastHitArea),
            HitTestPage(point.x(), point.y(), skin.advancedPage, advanced_area::kLastHitArea)});
}

void PageInput::OnMouseLeave() {
    SetHot({kNoArea, kNoArea, kNoArea});
}

void PageInput::SetHot(const HotIndices& hot) {
    state_.mainHot = hot[0];
    state_.colourHot = hot[1];
    state_.advancedHot = hot[2];
    // One paint per table whose hot area changed, so a move across areas of
    // two tables paints twice.
    for (std::size_t i = 0; i < hot.size(); ++i) {
        if (hot[i] != lastHot_[i]) {
            window_.RepaintPage(Repaint::Now);
            lastHot_[i] = hot[i];
        }
    }
}

void PageInput::OnLButtonDown(QPoint point, QPoint globalPoint) {
    // The press acts on the area under the press, even without a move
    // before it.
    OnMouseMove(point);
    // A press on an area repaints, which also shows what its action changes.
    if (state_.mainHot != kNoArea || state_.colourHot != kNoArea || state_.advancedHot != kNoArea) {
        state_.buttonDown = 1;
        window_.RepaintPage(Repaint::Later);
    }
    switch (state_.currentPage) {
        case Page::Main:
            PressMain(globalPoint);
            break;
        case Page::Advanced:
            PressAdvanced(point, globalPoint);
            break;
        case Page::Colour:
            PressColour(globalPoint);
            break;
    }
}

void PageInput::PressMain(QPoint globalPoint) {
    using namespace main_area;
    const std::int32_t hot = state_.mainHot;
    const Model& model = *state_.model;
    Profile& profile = state_.profile;
    const int dpiValueAreas = kDpiLevelCount * model.dpiValueCount;

    // Any press on the main page ends an open popup first.
    if (state_.popupOpen != 0) {
        window_.DestroyPopup();
        state_.popupOpen = 0;
    }
    if (hot == kSave) {
        SaveCurrentProfile(state_);
    } else if (hot == frame_area::kAdvancedTab) {
        SwitchToAdvanced();
    } else if (hot == frame_area::kColourTab) {
        SwitchToColour();
    } else if (hot == kImportProfile) {
        // The press's repaint ran while the dialog was open.
        if (window_.RunFileAction(FileKind::Profile, FileAction::Import)) {
            window_.RepaintPage(Repaint::Later);
        }
    } else if (hot == kExportProfile) {
        window_.RunFileAction(FileKind::Profile, FileAction::Export);
    } else if (InRange(hot, kFirstButtonArea, kLastButtonArea)) {
        window_.OpenFunctionPopup(hot);
    } else if (model.hasLightingSwitch && hot == kLightingOn) {
        profile.ledStatus = kLightingOnStatus;
    } else if (model.hasLightingSwitch && hot == kLightingOff) {
        profile.ledStatus = kLightingOffStatus;
    } else if (hot == kWheelNormal) {
        profile.wheelStatus = kWheelNormalStatus;
    } else if (hot == kWheelReverse) {
        profile.wheelStatus = kWheelReverseStatus;
    } else if (InRange(hot, kFirstDpiSwitch, kFirstDpiSwitch + kDpiLevelCount - 1)) {
        ToggleDpiLevel(profile, hot - kFirstDpiSwitch);
    } else if (InRange(hot, kFirstDpiSelect, kFirstDpiSelect + kDpiLevelCount - 1)) {
        SelectDpiLevel(profile, hot - kFirstDpiSelect);
    } else if (InRange(hot, model.firstDpiValueArea, model.firstDpiValueArea + dpiValueAreas - 1)) {
        const int offset = hot - model.firstDpiValueArea;
        SetDpiValue(profile, model, offset / model.dpiValueCount, offset % model.dpiValueCount);
    } else if (hot == kNoArea) {
        // Outside every main-page area, even over an area of another page's table.
        window_.StartWindowDrag(globalPoint);
    }
}

void PageInput::PressAdvanced(QPoint point, QPoint globalPoint) {
    if (state_.mainHot == frame_area::kMainTab) {
        SwitchToMain();
    } else if (state_.mainHot == frame_area::kColourTab) {
        SwitchToColour();
    } else if (state_.advancedHot == advanced_area::kImportMacros) {
        if (window_.RunFileAction(FileKind::Macros, FileAction::Import)) {
            window_.MacrosReplaced();
        }
    } else if (state_.advancedHot == advanced_area::kExportMacros) {
        window_.RunFileAction(FileKind::Macros, FileAction::Export);
    } else if (state_.advancedHot != kNoArea) {
        window_.PressAdvancedArea(state_.advancedHot, point.x());
    } else if (state_.mainHot == kNoArea) {
        window_.StartWindowDrag(globalPoint);
    }
}

void PageInput::PressColour(QPoint globalPoint) {
    if (state_.mainHot == frame_area::kMainTab) {
        SwitchToMain();
    } else if (state_.mainHot == frame_area::kAdvancedTab) {
        SwitchToAdvanced();
    } else if (InRange(state_.colourHot, colour_area::kFirstMode, colour_area::kLastMode)) {
        state_.profile.ledStatus = static_cast<std::uint8_t>(state_.colourHot);
    } else if (state_.colourHot == kNoArea && state_.mainHot == kNoArea) {
        window_.StartWindowDrag(globalPoint);
    }
}

void PageInput::OnLButtonUp(QPoint point) {
    // The release acts on the area under the release, wherever the press was.
    OnMouseMove(point);
    // Every release repaints, which also shows what its action changes.
    state_.buttonDown = 0;
    window_.RepaintPage(Repaint::Later);
    ReleaseFrameArea();
}

void PageInput::ReleaseFrameArea() {
    using namespace main_area;
    const std::int32_t hot = state_.mainHot;
    if (hot == kHide) {
        state_.mainHot = kNoArea;
        RevertToApplied(state_);
        window_.HideToTray();
    } else if (hot == kApply) {
        ApplyProfile(state_, pointer_);
    } else if (InRange(hot, frame_area::kFirstProfile, kLastProfile)) {
        SelectProfile(state_, hot - frame_area::kFirstProfile + 1);
    } else if (hot == kMinimize) {
        state_.mainHot = kNoArea;
        window_.Minimize();
    } else if (hot == kClose) {
        state_.mainHot = kNoArea;
        window_.HideToTray();
    } else if (hot == kRestoreDefaults) {
        RestoreDefaults(state_, pointer_);
        window_.MacrosReplaced();
    } else if (hot == frame_area::kChinese) {
        window_.SwitchLanguage(kLanguageChinese);
    } else if (hot == frame_area::kEnglish) {
        window_.SwitchLanguage(kLanguageEnglish);
    } else if (hot == kWebPage && !state_.model->makerUrl.empty()) {
        window_.OpenWebPage(state_.model->makerUrl);
    }
}

void PageInput::SwitchToMain() {
    const bool fromAdvanced = state_.currentPage == Page::Advanced;
    state_.currentPage = Page::Main;
    if (fromAdvanced) {
        window_.LeaveAdvancedPage();
    }
    window_.RepaintPage(Repaint::Later);
}

void PageInput::SwitchToAdvanced() {
    state_.currentPage = Page::Advanced;
    window_.EnterAdvancedPage();
    window_.RepaintWindow();
}

void PageInput::SwitchToColour() {
    const bool fromAdvanced = state_.currentPage == Page::Advanced;
    state_.currentPage = Page::Colour;
    window_.StartLightingPreview();
    if (fromAdvanced) {
        window_.LeaveAdvancedPage();
    }
    window_.RepaintPage(Repaint::Later);
}

}  // namespace pelmar
