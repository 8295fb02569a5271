#include "macro/RecordingKeyFilter.h"

#include <QKeyEvent>

#include "macro/KeyTranslation.h"

namespace pelmar {

RecordingKeyFilter::RecordingKeyFilter(std::function<bool()> recording, KeySink sink)
    : recording_(std::move(recording)), sink_(std::move(sink)) {}

bool RecordingKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !recording_()) {
        return QObject::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool press = type == QEvent::KeyPress;
    if (press || !key->isAutoRepeat()) {
        if (const std::optional<std::uint8_t> virtualKey = VirtualKeyOf(*key)) {
            sink_(press ? KeyAction::Press : KeyAction::Release, *virtualKey);
        }
    }
    return true;
}

}  // namespace pelmar
