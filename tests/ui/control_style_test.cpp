#include <gtest/gtest.h>

#include <QImage>
#include <QLineEdit>
#include <QListWidget>

#include "app/Model.h"
#include "skin/ControlStyle.h"
#include "skin/PageLabels.h"

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

// Model B's controls take the pixel fonts created at start-up, as its texts do.
TEST(ControlStyleTest, ModelBControlsUseTheStartUpFonts) {
    CreateLabelFonts(ModelB());
    const struct {
        std::int32_t english;
        int pixels;
    } cases[] = {{1, 14}, {0, 12}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.english);
        QLineEdit edit;
        StyleAdvancedControl(edit, c.english);
        EXPECT_EQ(edit.font(), LabelFont(c.english));
        EXPECT_EQ(edit.font().pixelSize(), c.pixels);
    }
    CreateLabelFonts(ModelA());
}

}  // namespace
}  // namespace pelmar
