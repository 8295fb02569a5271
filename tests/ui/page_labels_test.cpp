// The texts of the three pages: which text each label shows, where, in which
// colour and font; and that a drawn text lands where it is placed.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "app/SharedState.h"
#include "skin/PageLabels.h"
#include "skin/SkinRect.h"

namespace pelmar {
namespace {

const QColor kWhite(255, 255, 255);
const QColor kYellow(255, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kGrey(128, 128, 128);

// Every area of a table is 100 by 30, one below the other, labelled "Lk".
void FillTable(SkinPage& table, int count) {
    table.Reset(count);
    for (int i = 0; i < count; ++i) {
        table.areas[static_cast<std::size_t>(i)] = {10, 40 * i, 100, 30};
        table.labels[static_cast<std::size_t>(i)] = "L" + std::to_string(i);
    }
}

class PageLabelsTest : public ::testing::Test {
  protected:
    PageLabelsTest() : device_(400, 300, QImage::Format_RGB32) {
        // The faces the program maps the skin's font names to.
        QFont::insertSubstitution("Consolas", "DejaVu Sans Mono");
        QFont::insertSubstitution(QString::fromUtf8("宋体"), "WenQuanYi Micro Hei");
        FillTable(state_.skin.mainPage, 99);
        FillTable(state_.skin.advancedPage, 51);
        FillTable(state_.skin.colourPage, 13);
        state_.languageEnglish = 1;
    }

    // The fonts are process-wide; a test that creates another model's leaves
    // model A's behind.
    ~PageLabelsTest() override { CreateLabelFonts(ModelA()); }

    std::vector<PageLabel> Labels() { return LayOutPageLabels(state_, &device_); }

    // The label drawn in pass position i, which must exist.
    PageLabel LabelAt(int i) {
        const std::vector<PageLabel> labels = Labels();
        EXPECT_LT(i, static_cast<int>(labels.size()));
        return i < static_cast<int>(labels.size()) ? labels[static_cast<std::size_t>(i)]
                                                   : PageLabel{};
    }

    QImage device_;
    SharedState state_;
};

TEST_F(PageLabelsTest, EachPageDrawsTheFrameThenItsOwnLabelsInOrder) {
    const struct {
        Page page;
        int count;
    } cases[] = {{Page::Main, 54}, {Page::Advanced, 71}, {Page::Colour, 33}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.page));
        state_.currentPage = c.page;
        const std::vector<PageLabel> labels = Labels();
        ASSERT_EQ(static_cast<int>(labels.size()), c.count);
        for (int i = 0; i < c.count; ++i) {
            EXPECT_EQ(labels[static_cast<std::size_t>(i)].index, i);
        }
        // The frame shows main labels; the pages' own labels follow from index 20.
        EXPECT_EQ(labels[3].text, "L3");
        EXPECT_EQ(labels[1].colour, kYellow);
        EXPECT_EQ(labels[0].colour, kWhite);
        if (c.page != Page::Main) {
            EXPECT_EQ(labels[22].text, "L2");
        }
    }
}

// A skin may hold any int: labels of areas at the limits are placed far
// outside the window, never wrapped around into it.
TEST_F(PageLabelsTest, AreasAtTheIntLimitsPlaceTheirLabelsFarOutside) {
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    const int reach = static_cast<int>(kPixelReach);
    state_.currentPage = Page::Main;
    state_.skin.mainPage.areas[3] = {kMin, kMin, kMin, kMin};
    state_.skin.mainPage.areas[4] = {kMax, kMax, kMax, kMax};
    state_.skin.mainPage.areas[25] = {kMax, kMin, kMax, kMin};
    EXPECT_EQ(LabelAt(3).position, QPoint(-reach, -reach));
    EXPECT_EQ(LabelAt(4).position, QPoint(reach, reach));
    EXPECT_EQ(LabelAt(25).position, QPoint(reach, -reach));
}

TEST_F(PageLabelsTest, ButtonLabelsShowTheFunctionOrTheMacroFiveIn) {
    state_.skin.functionNames[2] = "Right Click";
    state_.skin.functionNames[40] = "Terminal";
    state_.skin.functionNames[53] = "Fifty-three";
    state_.macros.user.count = 4;
    SetMacroName(state_.macros.user.records[0], u"Burst");
    SetMacroName(state_.macros.user.records[3], u"连发");
    const struct {
        std::int32_t code;
        const char* text;
    } cases[] = {
        {2, "Right Click"}, {40, "Terminal"},    {41, "Burst"}, {44, "连发"}, {0, ""},
        {-3, ""},           {53, "Fifty-three"}, {99, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        state_.profile.buttonFunction[2] = c.code;  // button 3, label 27
        const PageLabel label = LabelAt(27);
        const SkinRect area = state_.skin.mainPage.Area(27);
        EXPECT_EQ(label.text, QString::fromUtf8(c.text));
        EXPECT_EQ(label.position.x(), area.x + 5);
        const int height = QFontMetrics(label.font, &device_).height();
        EXPECT_EQ(label.position.y(), area.y + (area.height - height) / 2);
        EXPECT_EQ(label.colour, kWhite);
    }
    state_.mainHot = 27;
    EXPECT_EQ(LabelAt(27).colour, kRed);
    EXPECT_EQ(LabelAt(26).colour, kWhite);
}

TEST_F(PageLabelsTest, LevelCaptionsShowWhetherTheLevelIsEnabledWhereTheModelSaysSo) {
    state_.profile.dpiSetEnabled = {1, 0, 0, 1};
    // A size Qt does not hold for the font is -1.
    const struct {
        const Model* model;
        std::int32_t english;
        qreal labelPoints;
        qreal captionPoints;
        int pixels;  // label and caption alike
        std::array<QColor, 4> colours;
    } cases[] = {
        {&ModelA(), 1, 10, 7.5, -1, {kRed, kGrey, kGrey, kRed}},
        {&ModelA(), 0, 10, 9, -1, {kRed, kGrey, kGrey, kRed}},
        // Model B draws the captions as plain labels in its start-up fonts.
        {&ModelB(), 1, -1, -1, 14, {kWhite, kWhite, kWhite, kWhite}},
        {&ModelB(), 0, -1, -1, 12, {kWhite, kWhite, kWhite, kWhite}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.model->executableName) + " english " +
                     std::to_string(c.english));
        state_.model = c.model;
        CreateLabelFonts(*c.model);
        state_.languageEnglish = c.english;
        const std::vector<PageLabel> labels = Labels();
        EXPECT_EQ(labels[49].font.pointSizeF(), c.labelPoints);
        EXPECT_EQ(labels[49].font.pixelSize(), c.pixels);
        for (int level = 0; level < 4; ++level) {
            const PageLabel& caption = labels[static_cast<std::size_t>(50 + level)];
            EXPECT_EQ(caption.text, QString("L%1").arg(50 + level));
            EXPECT_EQ(caption.font.pointSizeF(), c.captionPoints);
            EXPECT_EQ(caption.font.pixelSize(), c.pixels);
            EXPECT_EQ(caption.colour, c.colours[static_cast<std::size_t>(level)]);
        }
    }
}

// Model B's fonts are as wide as they are asked to be, whatever face stands
// in for the skin's; the popups, the warning and the controls share them.
TEST_F(PageLabelsTest, ModelBFontsHaveTheirPixelHeightAndWidth) {
    CreateLabelFonts(ModelB());
    const struct {
        std::int32_t english;
        int height;
        int width;
    } cases[] = {{1, 14, 7}, {0, 12, 6}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.english);
        const QFont font = LabelFont(c.english);
        EXPECT_EQ(font.pixelSize(), c.height);
        EXPECT_NEAR(QFontMetrics(font).averageCharWidth(), c.width, 1);
        EXPECT_EQ(SmallLabelFont(c.english), font);
    }
    CreateLabelFonts(ModelA());
    EXPECT_EQ(LabelFont(1).pointSizeF(), 10);
    EXPECT_EQ(LabelFont(0).family(), QString::fromUtf8("宋体"));
}

TEST_F(PageLabelsTest, BrandLabelIsYellowOnlyWhereTheModelSaysSo) {
    const struct {
        const Model* model;
        Page page;
        QColor brand;
    } cases[] = {
        {&ModelA(), Page::Main, kYellow},
        {&ModelA(), Page::Colour, kYellow},
        {&ModelB(), Page::Main, kWhite},
        {&ModelB(), Page::Advanced, kWhite},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.model->executableName) + " page " +
                     std::to_string(static_cast<int>(c.page)));
        state_.model = c.model;
        state_.currentPage = c.page;
        EXPECT_EQ(LabelAt(1).colour, c.brand);
        EXPECT_EQ(LabelAt(2).colour, kWhite);
    }
}

TEST_F(PageLabelsTest, AdvancedPageShowsRecordingCountersAndRapidFire) {
    state_.currentPage = Page::Advanced;
    const struct {
        std::int32_t english;
        bool recording;
        const char* record;
    } cases[] = {{1, false, "Record"}, {1, true, "Stop"}, {0, false, "录制"}, {0, true, "停止"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.record);
        state_.languageEnglish = c.english;
        state_.recording = c.recording;
        EXPECT_EQ(LabelAt(20 + 4).text, QString::fromUtf8(c.record));
    }
    state_.profile.fireTime = 150;
    state_.recordedPresses = 7;
    state_.recordedReleases = 12;
    state_.advancedHot = 43;
    const std::vector<PageLabel> labels = Labels();
    EXPECT_EQ(labels[20 + 33].text, "150ms");
    EXPECT_EQ(labels[20 + 43].text, QString::fromUtf8("[↓]7"));
    EXPECT_EQ(labels[20 + 44].text, QString::fromUtf8("[↑]12"));
    EXPECT_EQ(labels[20 + 45].text, "L45");
    EXPECT_EQ(labels[20 + 43].colour, kRed);
    EXPECT_EQ(labels[20 + 44].colour, kWhite);
    // The frame's label of the same number is not the hovered one.
    EXPECT_EQ(labels[43 - 30].colour, kWhite);
}

TEST_F(PageLabelsTest, ColourPageShowsTheDpiOfTheCurrentLevel) {
    state_.currentPage = Page::Colour;
    const struct {
        const Model* model;
        std::int32_t level;
        std::uint8_t code;
        const char* shown;
    } cases[] = {
        {&ModelA(), 0, 0x06, "1200"},
        {&ModelA(), 1, 0x0B, "2400"},
        {&ModelA(), 2, 0x0D, "3200"},
        {&ModelA(), 3, 0x0F, "4800"},
        {&ModelA(), 3, 0x02, "800"},
        {&ModelA(), 3, 0x00, "800"},
        {&ModelB(), 0, 0x02, "400"},
        {&ModelB(), 1, 0x0E, "4000"},
        {&ModelB(), 2, 0x0F, "4800"},
        {&ModelB(), 3, 0x01, "200"},
        // A level outside 0 to 3 shows the value of an unknown code.
        {&ModelA(), 4, 0x06, "800"},
        {&ModelA(), -1, 0x06, "800"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.shown) + " level " + std::to_string(c.level));
        state_.model = c.model;
        state_.profile.dpiLevel = c.level;
        state_.dpiValueCode = {0x06, 0x06, 0x06, 0x06};
        if (c.level >= 0 && c.level < 4) {
            state_.dpiValueCode[static_cast<std::size_t>(c.level)] = c.code;
        }
        EXPECT_EQ(LabelAt(20 + 9).text, c.shown);
        EXPECT_EQ(LabelAt(20 + 10).text, "L10");
    }
}

// The box of the pixels that differ from black.
QRect Inked(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(0, 0, 0)) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

TEST_F(PageLabelsTest, DrawnTextsSitWhereTheyArePlaced) {
    const struct {
        const char* name;
        SkinRect area;
        const char* label;
        bool wider;
    } cases[] = {
        {"centred", {40, 20, 200, 40}, "HHHH", false},
        {"wider than its area, drawn whole", {150, 100, 10, 16}, "HHHHHHHHHHHH", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FillTable(state_.skin.mainPage, 99);
        for (std::string& label : state_.skin.mainPage.labels) {
            label.clear();
        }
        state_.skin.mainPage.areas[3] = c.area;
        state_.skin.mainPage.labels[3] = c.label;
        QImage frame(400, 300, QImage::Format_RGB32);
        frame.fill(Qt::black);
        {
            QPainter painter(&frame);
            DrawPageLabels(painter, state_);
        }
        const QRect ink = Inked(frame);
        ASSERT_FALSE(ink.isEmpty());
        // Glyph bearings make the ink a pixel or two off the measured box.
        const int centreX = c.area.x + c.area.width / 2;
        const int centreY = c.area.y + c.area.height / 2;
        EXPECT_NEAR(ink.center().x(), centreX, 2);
        EXPECT_NEAR(ink.center().y(), centreY, 3);
        EXPECT_EQ(ink.width() > c.area.width, c.wider);
    }
}

TEST_F(PageLabelsTest, ButtonLabelInkStartsFivePixelsIn) {
    state_.skin.functionNames[1] = "HHHH";
    for (std::string& label : state_.skin.mainPage.labels) {
        label.clear();
    }
    state_.skin.mainPage.areas[25] = {30, 50, 150, 30};
    state_.profile.buttonFunction = {1, 0, 0, 0, 0, 0};
    QImage frame(400, 300, QImage::Format_RGB32);
    frame.fill(Qt::black);
    {
        QPainter painter(&frame);
        DrawPageLabels(painter, state_);
    }
    const SkinRect area = state_.skin.mainPage.Area(25);
    const QRect ink = Inked(frame);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), area.x + 5);
    EXPECT_LE(ink.left(), area.x + 5 + 2);
    EXPECT_NEAR(ink.center().y(), area.y + area.height / 2, 3);
}

}  // namespace
}  // namespace pelmar
