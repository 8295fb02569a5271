#pragma once

class QWidget;

namespace pelmar {

// Routes the core's notifier to the user interface: message boxes with the
// application's name as caption, and repaint requests of window. Both may
// come from any thread and are carried out on the user-interface thread.
void InstallUiNotifier(QWidget* window);

}  // namespace pelmar
