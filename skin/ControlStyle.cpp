#include "skin/ControlStyle.h"

#include <QPalette>
#include <QWidget>

#include "skin/PageLabels.h"

namespace pelmar {

namespace {

// Palette roles a control paints its background and its text with.
constexpr QPalette::ColorRole kBackgroundRoles[] = {QPalette::Base, QPalette::Window,
                                                    QPalette::AlternateBase, QPalette::Button};
constexpr QPalette::ColorRole kTextRoles[] = {QPalette::Text, QPalette::WindowText,
                                              QPalette::ButtonText};

}  // namespace

void StyleAdvancedControl(QWidget& control, std::int32_t languageEnglish) {
    QPalette palette = control.palette();
    for (const QPalette::ColorRole role : kBackgroundRoles) {
        palette.setColor(role, Qt::black);
    }
    for (const QPalette::ColorRole role : kTextRoles) {
        palette.setColor(role, Qt::white);
    }
    control.setPalette(palette);
    control.setAutoFillBackground(true);
    control.setFont(LabelFont(languageEnglish));
}

}  // namespace pelmar
