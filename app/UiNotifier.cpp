#include "app/UiNotifier.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QThread>
#include <QWidget>

#include "app/Notifier.h"

namespace pelmar {

namespace {

void ShowMessageBox(QWidget* owner, const QString& text) {
    QMessageBox::information(owner, QApplication::applicationName(), text);
}

}  // namespace

void InstallUiNotifier(QWidget* window) {
    QPointer<QWidget> target(window);
    notifier.showMessage = [target](const std::string& text) {
        const QString message = QString::fromStdString(text);
        if (QThread::currentThread() == qApp->thread()) {
            ShowMessageBox(target, message);
            return;
        }
        QMetaObject::invokeMethod(
            qApp, [target, message] { ShowMessageBox(target, message); }, Qt::QueuedConnection);
    };
    notifier.requestRepaint = [target] {
        QMetaObject::invokeMethod(
            qApp,
            [target] {
                if (target) {
                    target->update();
                }
            },
            Qt::QueuedConnection);
    };
}

}  // namespace pelmar
