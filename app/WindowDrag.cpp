#include "app/WindowDrag.h"

#include <QWidget>
#include <QWindow>

namespace pelmar {

WindowDrag::WindowDrag(QWidget& window) : window_(window) {}

void WindowDrag::Start(QPoint globalPoint) {
    QWindow* handle = window_.windowHandle();
    if (handle != nullptr && handle->startSystemMove()) {
        return;
    }
    grabOffset_ = globalPoint - window_.pos();
}

bool WindowDrag::Follow(QPoint globalPoint) {
    if (!grabOffset_) {
        return false;
    }
    window_.move(globalPoint - *grabOffset_);
    return true;
}

void WindowDrag::End() {
    grabOffset_.reset();
}

}  // namespace pelmar
