#pragma once

#include <QSize>
#include <functional>
#include <string_view>
#include <vector>

#include "skin/SkinLayout.h"
#include "tools/skingen/Looks.h"

class QPainter;

namespace skingen {

// Areas first to last (inclusive) of a page table share a look.
struct AreaRole {
    int first;
    int last;
    Look look;
};
using RoleTable = std::vector<AreaRole>;

// A card behind a group of areas: its top is the caption strip, its bottom
// lies below the lowest member.
struct PanelSpec {
    int caption;
    std::vector<int> members;
};

// Everything a model's skin needs beyond its layout files: which look each
// area has, how areas are grouped, and the pictures only that model has.
// Coordinates come from the layout files alone.
struct SkinDesign {
    std::string_view brand;
    QSize windowSize;
    RoleTable frameRoles;  // main areas 0 to 19, the frame drawn on every page
    RoleTable mainRoles;
    RoleTable colourRoles;
    RoleTable advancedRoles;
    RoleTable warningRoles;
    std::vector<PanelSpec> mainPanels;
    std::vector<PanelSpec> colourPanels;
    std::vector<PanelSpec> advancedPanels;
    std::vector<int> colourSubCaptions;
    // Model pictures of the main page: under the areas, then over them.
    std::function<void(QPainter&, const pelmar::SkinLayout&)> decorateMain;
    std::function<void(QPainter&, const pelmar::SkinLayout&, State)> overlayMain;
    // Checks the layout against the model's pictures; an empty result is
    // fine, otherwise it names what does not fit.
    std::function<std::string(const pelmar::SkinLayout&)> check;
    // The main area whose size the DPI slider knob has, or -1 without one.
    int sliderKnobArea = -1;
};

const SkinDesign& ModelADesign();
// Shares model A's colour, advanced and warning pages.
const SkinDesign& ModelBDesign();

}  // namespace skingen
