#pragma once

class QPainter;

namespace pelmar {

struct PageImageSet;
struct SharedState;
class SkinImageCache;

// Copies, onto the frame being composed, the over or down look of every area
// of the page shown whose state calls for it: the hovered or pressed area
// and the page's own state looks (DPI levels and sliders, switches, speeds,
// the rapid-fire bar, the lighting mode and its preview). Extra pictures
// (slider knob, preview colours) come from `cache` in the skin folder.
void ComposePageStates(QPainter& frame, const PageImageSet& images, const SharedState& state,
                       SkinImageCache& cache);

// Copies the looks of the frame areas 0 to 19, which every page shows: the
// current profile, the hovered or pressed area, the page's tab and the
// interface language.
void ComposeCommonStates(QPainter& frame, const PageImageSet& images, const SharedState& state);

}  // namespace pelmar
