#include "app/CAboutDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace pelmar {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle("About Pelmar");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Pelmar Version 1.0", this));
    layout->addWidget(new QLabel("Configuration and macro driver for six-button gaming mice.", this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

}  // namespace pelmar
