#pragma once

#include <QPoint>
#include <array>
#include <cstdint>

#include "app/SharedState.h"
#include "skin/PageWindow.h"

namespace pelmar {

class PointerSettings;

// Turns the left button and pointer moves on the main window into the
// pages' hover and pressed state, page switches, window drags and the
// actions of their areas. Points are window client coordinates. It keeps
// mainHot, colourHot, advancedHot and buttonDown of the shared state, edits
// the profile and runs the profile actions; what needs the window goes
// through PageWindow.
class PageInput {
  public:
    PageInput(SharedState& state, PageWindow& window, PointerSettings& pointer);

    // Hover tracking: the area under the point in each of the three page
    // tables, whatever the page, and a repaint for each that changed.
    void OnMouseMove(QPoint point);
    // The pointer left the window: it is over no area.
    void OnMouseLeave();
    // Press: the pressed look, then the action of the area under the point on
    // the current page, or a window drag outside every area.
    void OnLButtonDown(QPoint point, QPoint globalPoint);
    // Release: the pressed look ends, then the action of the frame area under
    // the point, on every page.
    void OnLButtonUp(QPoint point);

  private:
    // The hot indices of the main, colour and advanced tables.
    using HotIndices = std::array<std::int32_t, 3>;

    void SetHot(const HotIndices& hot);
    void PressMain(QPoint globalPoint);
    void PressAdvanced(QPoint point, QPoint globalPoint);
    void PressColour(QPoint globalPoint);
    void ReleaseFrameArea();
    void SwitchToMain();
    void SwitchToAdvanced();
    void SwitchToColour();

    SharedState& state_;
    PageWindow& window_;
    PointerSettings& pointer_;
    // The hot indices at the last move, to repaint only for a change.
    HotIndices lastHot_{kNoArea, kNoArea, kNoArea};
};

}  // namespace pelmar
