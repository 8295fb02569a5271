// The default skin of model A: a six-button mouse whose four DPI levels each
// pick one of five values on a slider.
#include <QPainter>

#include "app/Model.h"
#include "tools/skingen/Canvas.h"
#include "tools/skingen/MainPanels.h"
#include "tools/skingen/SkinDesign.h"

namespace skingen {

namespace {

// Main areas with a meaning in model A.
constexpr ButtonPanelAreas kButtonPanel{.firstLabel = 25, .picture = 84, .firstFrame = 90};
constexpr LevelRuleAreas kLevelRules{.panelCaption = 21, .firstAbove = 80, .firstBelow = 80};
constexpr int kLightingCaption = 22;
constexpr int kHint = 24;
constexpr int kSliderStops = 60;  // 60 + 5 * level + stop
constexpr qreal kStopValueSize = 10;

// The window: a dialog of 533 by 395 dialog units.
constexpr QSize kWindowSize{800, 640};

void DecorateMain(QPainter& painter, const pelmar::SkinLayout& layout) {
    DrawLevelRules(painter, layout, kLevelRules);
    DrawRuleBetween(painter, layout, kHint, kLightingCaption);
    DrawButtonPanel(painter, layout, kButtonPanel);
    DrawDpiValues(painter, layout, pelmar::ModelA(), PictureFont(kStopValueSize));
}

void OverlayMain(QPainter& painter, const pelmar::SkinLayout& layout, State state) {
    HighlightButtons(painter, layout, kButtonPanel, state);
}

// The knob picture fits every stop only if all stops have its size.
std::string Check(const pelmar::SkinLayout& layout) {
    const std::string frames = CheckButtonFrames(layout, kButtonPanel);
    return frames.empty() ? CheckDpiChoiceSizes(layout, pelmar::ModelA()) : frames;
}

}  // namespace

const SkinDesign& ModelADesign() {
    static const SkinDesign design{
        .brand = pelmar::ModelA().brand,
        .windowSize = kWindowSize,
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
                       {19, 19, Look::Link}},
        .mainRoles = {{25, 30, Look::FunctionSlot},
                      {36, 37, Look::Segment},
                      {41, 42, Look::Segment},
                      {46, 49, Look::Switch},
                      // The marker of a level holds its radio button.
                      {80, 83, Look::LevelMarker},
                      {54, 57, Look::Radio},
                      {60, 79, Look::SliderStop}},
        .colourRoles = {{0, 3, Look::LightingMode},
                        {9, 9, Look::ValueWell},
                        {11, 11, Look::Preview}},
        .advancedRoles = {{0, 3, Look::Button},
                          {4, 4, Look::RecordButton},
                          {5, 5, Look::Button},
                          {6, 7, Look::CheckBox},
                          {8, 27, Look::Step},
                          {30, 30, Look::FireBar},
                          {31, 31, Look::Plus},
                          {32, 32, Look::Minus},
                          {33, 33, Look::ValueWell},
                          {43, 44, Look::ValueWell}},
        .warningRoles = {{0, 1, Look::Button}},
        .mainPanels = {{20, {24, 25, 26, 27, 28, 29, 30, 22, 23, 36, 37, 41, 42, 84}},
                       {21, {46, 47, 48, 49, 54, 55, 56, 57, 80, 81, 82, 83, 75, 76, 77, 78, 79}}},
        .colourPanels = {{12, {11}}, {5, {0, 1, 2, 3, 4, 6, 8, 9, 10}}},
        .advancedPanels = {{38, {0, 1, 2, 3, 4, 5, 6, 7, 39, 40, 41, 42, 43, 44}},
                           {28, {8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 45, 46}},
                           {29, {18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 47, 48}},
                           {34, {30, 31, 32, 33, 49, 50}}},
        .colourSubCaptions = {4},
        .decorateMain = DecorateMain,
        .overlayMain = OverlayMain,
        .check = Check,
        .sliderKnobArea = kSliderStops,
    };
    return design;
}

}  // namespace skingen
