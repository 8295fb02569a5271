#include "app/PowerEvents.h"

#include <QDBusConnection>

namespace pelmar {

PowerEvents::PowerEvents(QObject* parent) : QObject(parent) {
    QDBusConnection::systemBus().connect(
        "org.freedesktop.login1", "/org/freedesktop/login1", "org.freedesktop.login1.Manager",
        "PrepareForSleep", this, SLOT(OnPrepareForSleep(bool)));
}

void PowerEvents::OnPrepareForSleep(bool /*sleeping*/) {
    emit powerEvent();
}

}  // namespace pelmar
