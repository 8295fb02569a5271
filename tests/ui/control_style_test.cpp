#include <gtest/gtest.h>

#include <QImage>
#include <QLineEdit>
#include <QListWidget>

#include "skin/ControlStyle.h"

namespace pelmar {
namespace {

TEST(ControlStyleTest, ControlsShowWhiteTextInTheLabelFontOnBlack) {
    const struct {
        std::int32_t english;
        const char* family;
    } cases[] = {{1, "Consolas"}, {0, "宋体"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.family);
        QLineEdit edit;
        QListWidget list;
        for (QWidget* control : {static_cast<QWidget*>(&edit), static_cast<QWidget*>(&list)}) {
            control->resize(120, 60);
            StyleAdvancedControl(*control, c.english);
            EXPECT_EQ(control->font().family(), QString::fromUtf8(c.family));
            EXPECT_EQ(control->font().pointSizeF(), 10);
            EXPECT_EQ(control->palette().color(QPalette::Text), QColor(Qt::white));
            const QImage shown = control->grab().toImage();
            EXPECT_EQ(QColor(shown.pixel(60, 30)), QColor(Qt::black));
        }
    }
}

}  // namespace
}  // namespace pelmar
