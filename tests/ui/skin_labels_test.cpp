// The labels of the default skins of both models fit their areas in both
// languages, in the faces the program draws them with.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <filesystem>
#include <string>
#include <vector>

#include "skin/PageLabels.h"
#include "skin/SkinLoaders.h"
#include "tools/skingen/Popups.h"

namespace pelmar {
namespace {

// The layout sources, beside the tests' data folder in the source tree.
std::filesystem::path SkinSource(const char* model) {
    return (std::filesystem::path(PELMAR_TEST_DATA) / "../../skins" / model).lexically_normal();
}

// The faces installed for the label fonts "Consolas" (English) and "宋体"
// (Chinese), in their point sizes, measured at the screen's 96 dots per inch.
// A model with pixel fonts uses the ones the program creates for it.
struct LabelFonts {
    LabelFonts(bool english, const Model& model)
        : label(Face(english, 10)), small(Face(english, english ? 7.5 : 9)) {
        if (model.pixelFonts) {
            MapSkinFonts();
            CreateLabelFonts(model);
            label = LabelFont(english ? 1 : 0);
            small = SmallLabelFont(english ? 1 : 0);
            CreateLabelFonts(ModelA());
        }
    }

    static QFont Face(bool english, qreal points) {
        QFont font(english ? "DejaVu Sans Mono" : "WenQuanYi Micro Hei");
        font.setPointSizeF(points);
        return font;
    }

    QFont label;
    QFont small;
};

// Measures on a picture of 96 dots per inch, as the window's paint device.
QFontMetrics Metrics(const QFont& font) {
    static const QImage device(1, 1, QImage::Format_RGB32);
    return QFontMetrics(font, &device);
}

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

struct Fit {
    std::string what;
    QString text;
    int width;  // room for the text
    int height;
    const QFont* font;
};

struct Range {
    int first;
    int last;
};
// Codes a profile can hold, and the rows of the two menu levels.
constexpr Range kStoredFunctions[] = {{1, 6}, {11, 17}, {21, 52}};
constexpr Range kMenuFunctions[] = {{1, 16}, {21, 38}};

// Centred labels keep two pixels clear of their area's sides.
constexpr int kSideMargin = 2;
// Button function labels start 5 pixels in and leave room for the menu arrow.
constexpr int kFunctionIndent = 5;
constexpr int kFunctionArrow = 22;

void Centred(std::vector<Fit>& fits, const std::string& page, const SkinPage& table, int first,
             int last, const QFont& font) {
    for (int index = first; index <= last; ++index) {
        const SkinRect area = table.Area(index);
        fits.push_back({page + " " + std::to_string(index), Text(table.Label(index)),
                        area.width - 2 * kSideMargin, area.height, &font});
    }
}

struct ShippedSkin {
    const char* folder;
    const Model& (*model)();
};

class SkinLabelsTest : public ::testing::TestWithParam<ShippedSkin> {};

TEST_P(SkinLabelsTest, EveryLabelFitsItsArea) {
    const Model& model = GetParam().model();
    for (const bool english : {false, true}) {
        SCOPED_TRACE(english ? "English" : "Chinese");
        SkinLayout layout;
        const SkinFolder folder{SkinSource(GetParam().folder), english ? 1 : 0};
        ASSERT_EQ(LoadMainSkin(layout, folder, model), SkinLoad::Loaded);
        ASSERT_EQ(LoadColourSkin(layout, folder, model), SkinLoad::Loaded);
        ASSERT_EQ(LoadAdvancedSkin(layout, folder, model), SkinLoad::Loaded);
        ASSERT_EQ(LoadWarningSkin(layout, folder), SkinLoad::Loaded);
        const LabelFonts fonts(english, model);

        std::vector<Fit> fits;
        Centred(fits, "main", layout.mainPage, 0, 24, fonts.label);
        Centred(fits, "main", layout.mainPage, 31, 49, fonts.label);
        Centred(fits, "main", layout.mainPage, 50, 53, fonts.small);
        Centred(fits, "colour", layout.colourPage, 0, layout.colourPage.Count() - 1, fonts.label);
        Centred(fits, "advanced", layout.advancedPage, 0, layout.advancedPage.Count() - 1,
                fonts.label);
        Centred(fits, "warning", layout.warning, 0, layout.warning.Count() - 1, fonts.label);

        // Texts the program puts in place of a label.
        const struct {
            const SkinPage& table;
            int index;
            QString text;
        } replaced[] = {
            {layout.advancedPage, 4, english ? "Record" : "录制"},
            {layout.advancedPage, 4, english ? "Stop" : "停止"},
            {layout.advancedPage, 33, "300ms"},
            {layout.advancedPage, 43, QString::fromUtf8("[↓]255")},
            {layout.advancedPage, 44, QString::fromUtf8("[↑]255")},
            {layout.colourPage, 9, "4800"},
        };
        for (const auto& r : replaced) {
            const SkinRect a = r.table.Area(r.index);
            fits.push_back({"replaced " + r.text.toStdString(), r.text, a.width - 2 * kSideMargin,
                            a.height, &fonts.label});
        }

        // Every name a button label or a menu row can show.
        for (const Range& range : kStoredFunctions) {
            for (int code = range.first; code <= range.last; ++code) {
                for (int button = 25; button <= 30; ++button) {
                    const SkinRect slot = layout.mainPage.Area(button);
                    fits.push_back({"function " + std::to_string(code) + " on button label " +
                                        std::to_string(button),
                                    Text(layout.FunctionName(code)),
                                    slot.width - kFunctionIndent - kFunctionArrow, slot.height,
                                    &fonts.label});
                }
            }
        }
        for (const Range& range : kMenuFunctions) {
            for (int code = range.first; code <= range.last; ++code) {
                fits.push_back({"function " + std::to_string(code) + " in a menu row",
                                Text(layout.FunctionName(code)),
                                skingen::kMenuRowWidth - 2 * kSideMargin, skingen::kMenuRowHeight,
                                &fonts.label});
            }
        }

        for (const Fit& fit : fits) {
            if (fit.text.isEmpty()) {
                continue;
            }
            const QFontMetrics metrics = Metrics(*fit.font);
            EXPECT_LE(metrics.horizontalAdvance(fit.text), fit.width)
                << fit.what << ": \"" << fit.text.toStdString() << "\"";
            EXPECT_LE(metrics.height(), fit.height) << fit.what;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Models, SkinLabelsTest,
                         ::testing::Values(ShippedSkin{"modelA", ModelA},
                                           ShippedSkin{"modelB", ModelB}),
                         [](const auto& info) { return std::string(info.param.folder); });

}  // namespace
}  // namespace pelmar
