#pragma once

#include <QDialog>

namespace pelmar {

// The About box of the system menu.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace pelmar
