// The default skin of model B: the same six-button mouse, whose four DPI
// levels each pick one of twelve values on a row of step cells. The program
// fills a level's cells in the level's colour up to the chosen one.
#include <QPainter>

#include "app/Model.h"
#include "tools/skingen/Canvas.h"
#include "tools/skingen/MainPanels.h"
#include "tools/skingen/SkinDesign.h"

namespace skingen {

namespace {

// Main areas with a meaning in model B.
constexpr ButtonPanelAreas kButtonPanel{.firstLabel = 25, .picture = 121, .firstFrame = 115};
// Between a level's select button and the next level's caption.
constexpr LevelRuleAreas kLevelRules{.panelCaption = 21, .firstAbove = 54, .firstBelow = 50};
constexpr int kWheelCaption = 23;
constexpr int kHint = 24;
// Four digits under a cell of 22 pixels: a small, narrowed face.
constexpr qreal kStepValueSize = 9;
constexpr int kStepValueStretch = 82;

constexpr QSize kWindowSize{800, 640};

void DecorateMain(QPainter& painter, const pelmar::SkinLayout& layout) {
    DrawLevelRules(painter, layout, kLevelRules);
    DrawRuleBetween(painter, layout, kHint, kWheelCaption);
    DrawButtonPanel(painter, layout, kButtonPanel);
    QFont font = PictureFont(kStepValueSize);
    font.setStretch(kStepValueStretch);
    DrawDpiValues(painter, layout, pelmar::ModelB(), font);
}

void OverlayMain(QPainter& painter, const pelmar::SkinLayout& layout, State state) {
    HighlightButtons(painter, layout, kButtonPanel, state);
}

// The program fills the cells in place, so a row of cells of mixed sizes
// would show ragged bars.
std::string Check(const pelmar::SkinLayout& layout) {
    const std::string frames = CheckButtonFrames(layout, kButtonPanel);
    return frames.empty() ? CheckDpiChoiceSizes(layout, pelmar::ModelB()) : frames;
}

}  // namespace

const SkinDesign& ModelBDesign() {
    static const SkinDesign design{
        .brand = pelmar::ModelB().brand,
        .windowSize = kWindowSize,
        // Area 19 is only a line of text: model B has no web page to open.
        .frameRoles = {{0, 0, Look::Button},
                       {1, 1, Look::Plain},
                       {2, 2, Look::Button},
                       {3, 3, Look::PrimaryButton},
                       {4, 8, Look::Segment},
                       {9, 11, Look::Tab},
                       {12, 12, Look::Minimize},
                       {13, 13, Look::Close},
                       {14, 16, Look::Button},
                       {17, 18, Look::Segment},
                       {19, 19, Look::Plain}},
        // The select button of a level is also its marker when current.
        .mainRoles = {{25, 30, Look::FunctionSlot},
                      {41, 42, Look::Segment},
                      {46, 49, Look::Switch},
                      {54, 57, Look::Radio},
                      {66, 113, Look::Step}},
        .colourRoles = ModelADesign().colourRoles,
        .advancedRoles = ModelADesign().advancedRoles,
        .warningRoles = ModelADesign().warningRoles,
        .mainPanels = {{20, {24, 25, 26, 27, 28, 29, 30, 23, 41, 42, 121}},
                       {21, {46, 47, 48, 49, 54, 55, 56, 57, 102, 113}}},
        .colourPanels = ModelADesign().colourPanels,
        .advancedPanels = ModelADesign().advancedPanels,
        .colourSubCaptions = ModelADesign().colourSubCaptions,
        .decorateMain = DecorateMain,
        .overlayMain = OverlayMain,
        .check = Check,
    };
    return design;
}

}  // namespace skingen
