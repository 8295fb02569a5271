#pragma once

#include <QFont>
#include <string>

#include "app/Model.h"
#include "skin/SkinLayout.h"
#include "tools/skingen/Looks.h"

class QPainter;

namespace skingen {

// Main-page pictures both models draw, placed by the areas a model's layout
// gives them.

// The mouse picture beside the six button labels, and the hover frames that
// light one button on it.
struct ButtonPanelAreas {
    int firstLabel;  // the six button function labels
    int picture;     // the box of the mouse picture; the program does not read it
    int firstFrame;  // the six hover frames of the labels
};

// The picture, its soft floor light and the lines from each label to its button.
void DrawButtonPanel(QPainter& painter, const pelmar::SkinLayout& layout,
                     const ButtonPanelAreas& areas);
// Hovering a button's label lights that button on the picture.
void HighlightButtons(QPainter& painter, const pelmar::SkinLayout& layout,
                      const ButtonPanelAreas& areas, State state);
// Each hover frame must hold its whole button and no other; empty when fine.
std::string CheckButtonFrames(const pelmar::SkinLayout& layout, const ButtonPanelAreas& areas);

// The DPI levels' choices are one row per level of model.dpiValueCount
// areas, the first at model.firstDpiValueArea. This draws the DPI each
// choice selects under its area.
void DrawDpiValues(QPainter& painter, const pelmar::SkinLayout& layout, const pelmar::Model& model,
                   const QFont& font);
// Every choice must have the size of the first; empty when fine.
std::string CheckDpiChoiceSizes(const pelmar::SkinLayout& layout, const pelmar::Model& model);

// Thin rules between the DPI levels: level L's rule lies midway between the
// bottom of area firstAbove + L - 1 and the top of area firstBelow + L,
// across the panel under `panelCaption`.
struct LevelRuleAreas {
    int panelCaption;
    int firstAbove;
    int firstBelow;
};
void DrawLevelRules(QPainter& painter, const pelmar::SkinLayout& layout,
                    const LevelRuleAreas& areas);
// A thin rule midway between two areas, as wide as `upper`.
void DrawRuleBetween(QPainter& painter, const pelmar::SkinLayout& layout, int upper, int lower);

}  // namespace skingen
