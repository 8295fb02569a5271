#pragma once

#include <QObject>

namespace pelmar {

// Reports the desktop's power events: logind's PrepareForSleep on the system
// bus, sent before the system sleeps and again after it resumes. Without a
// system bus nothing is reported.
class PowerEvents : public QObject {
    Q_OBJECT

public:
    explicit PowerEvents(QObject* parent = nullptr);

signals:
    void powerEvent();

private slots:
    void OnPrepareForSleep(bool sleeping);
};

}  // namespace pelmar
