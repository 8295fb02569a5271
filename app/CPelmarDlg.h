#pragma once

#include <QWidget>

namespace pelmar {

// The program's one main window: frameless, shaped and painted from the skin.
class CPelmarDlg : public QWidget {
    Q_OBJECT

public:
    explicit CPelmarDlg(QWidget* parent = nullptr);

    // Brings the program to life before the window is first shown.
    void OnInitDialog();
    // Shows the window again, raised and active, whether hidden or minimised.
    void RestoreWindow();

    // The window title of the current language.
    QString WindowTitle() const;
};

}  // namespace pelmar
