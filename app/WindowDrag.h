#pragma once

#include <QPoint>
#include <optional>

class QWidget;

namespace pelmar {

// Moves a frameless window with the pointer while the left button is held:
// through the window system's own move where it offers one, otherwise by
// moving the window after each pointer move until the release.
class WindowDrag {
  public:
    explicit WindowDrag(QWidget& window);

    // Starts a move at the pointer's screen position, during a left-button press.
    void Start(QPoint globalPoint);
    // While a move of our own runs: moves the window so that the pointer
    // keeps its place in it, and returns true.
    bool Follow(QPoint globalPoint);
    // Ends a move of our own at the release.
    void End();

  private:
    QWidget& window_;
    // The pointer's position relative to the window's top-left corner while
    // a move of our own runs.
    std::optional<QPoint> grabOffset_;
};

}  // namespace pelmar
