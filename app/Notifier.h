#pragma once

#include <functional>
#include <string>

namespace pelmar {

// How the core reaches the user interface without knowing its widgets: a
// repaint request and a message box. The user interface installs the
// handlers at start-up; until then both do nothing. The handlers may be
// called from any thread; the user interface moves the work to its own.
struct Notifier {
    std::function<void()> requestRepaint;
    std::function<void(const std::string& text)> showMessage;

    void RequestRepaint() const {
        if (requestRepaint) {
            requestRepaint();
        }
    }
    void ShowMessage(const std::string& text) const {
        if (showMessage) {
            showMessage(text);
        }
    }
};

extern Notifier notifier;

}  // namespace pelmar
