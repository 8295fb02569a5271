// The state looks of the three pages, composed from a small synthetic skin
// whose every picture is one plain colour, so each area's pixels tell which
// picture it was copied from.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/SharedState.h"
#include "skin/PageImageSet.h"
#include "skin/PagePainter.h"
#include "skin/PageStates.h"
#include "skin/SkinFiles.h"
#include "skin/SkinImageCache.h"
#include "tests/support/TempFolder.h"

namespace pelmar {
namespace {

enum class Look {
    Normal,
    Over,
    Down,
    Knob,
    Grey,
    Blue,
    Black,
    StepBlue,
    StepMagenta,
    StepRed,
    StepViolet,
    Unknown
};

const char* LookName(Look look) {
    constexpr const char* kNames[] = {"normal",       "over",     "down",        "knob",
                                      "grey",         "blue",     "black",       "step blue",
                                      "step magenta", "step red", "step violet", "unknown"};
    return kNames[static_cast<int>(look)];
}

// Each page's three looks have colours of their own.
QRgb PageColour(Page page, Look look) {
    const int shade = 30 * static_cast<int>(page);
    switch (look) {
        case Look::Normal:
            return qRgb(10, 10, 10 + shade);
        case Look::Over:
            return qRgb(0, 100 + shade, 0);
        case Look::Down:
            return qRgb(100 + shade, 0, 0);
        default:
            break;
    }
    return qRgb(0, 0, 0);
}
constexpr QRgb kKnob = qRgb(200, 200, 0);
constexpr QRgb kGrey = qRgb(90, 90, 90);
constexpr QRgb kBlue = qRgb(0, 0, 250);

// Areas are 10-pixel cells, twenty to a row: the main table from cell 0, the
// advanced and colour tables from cell 100, so a page's own areas never
// cover the frame's. The rapid-fire bar gets a row of its own, 121 wide.
constexpr int kCell = 10;
constexpr int kCellsPerRow = 20;
constexpr int kPageFirstCell = 100;
constexpr SkinRect kFireBar{10, 100, 121, 10};
const QSize kWindow(200, 120);

SkinRect Cell(int cell) {
    return {(cell % kCellsPerRow) * kCell, (cell / kCellsPerRow) * kCell, kCell, kCell};
}

void FillTable(SkinPage& table, int count, int firstCell) {
    table.Reset(count);
    for (int i = 0; i < count; ++i) {
        table.areas[static_cast<std::size_t>(i)] = Cell(firstCell + i);
    }
}

QImage Plain(QRgb colour) {
    QImage image(kWindow, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// An area of the frame (the main table, every page) or of the page's own table.
enum class Table { Frame, Page };

struct Expected {
    Table table;
    int index;
    Look look;
};

struct Case {
    const char* name;
    std::function<void(SharedState&)> setUp;
    std::vector<Expected> expected;
};

class PageStatesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto save = [this](std::string_view name, QRgb colour) {
            // Stored losslessly; the content, not the name, picks the decoder.
            ASSERT_TRUE(Plain(colour).save(QString::fromStdString((folder_.path() / name).string()),
                                           "PNG"));
        };
        for (const auto& [page, looks] : {std::pair{Page::Main, skin_images::kMainPage},
                                          std::pair{Page::Advanced, skin_images::kAdvancedPage},
                                          std::pair{Page::Colour, skin_images::kColourPage}}) {
            save(looks.normal, PageColour(page, Look::Normal));
            save(looks.over, PageColour(page, Look::Over));
            save(looks.down, PageColour(page, Look::Down));
        }
        save(skin_images::kDpiSlider, kKnob);
        save(skin_images::kColourPreviewGrey, kGrey);
        save(skin_images::kColourPreviewBlue, kBlue);
        Fresh(Page::Main);
    }

    // A state at rest on `page`: profile 1, nothing hovered, every switch off.
    SharedState& Fresh(Page page, const Model& model = ModelA()) {
        state_ = std::make_unique<SharedState>();
        SharedState& state = *state_;
        state.model = &model;
        state.skinFolder = folder_.path();
        FillTable(state.skin.mainPage, model.labelCounts[0], 0);
        FillTable(state.skin.advancedPage, model.labelCounts[2], kPageFirstCell);
        state.skin.advancedPage.areas[30] = kFireBar;
        FillTable(state.skin.colourPage, model.labelCounts[1], kPageFirstCell);
        state.currentPage = page;
        state.currentProfileNumber = 1;
        state.profile.dpiSetButton = {60, 65, 70, 75};
        return state;
    }

    // The page's normal look with the state looks copied over it; the texts,
    // which would cover the small areas, are left out.
    QImage Compose() {
        const PageImageSet images = LoadPageImages(cache_, folder_.path(), state_->currentPage);
        QImage frame = images.normal.copy();
        {
            QPainter painter(&frame);
            ComposePageStates(painter, images, *state_, cache_);
            ComposeCommonStates(painter, images, *state_);
        }
        return frame;
    }

    Look LookAt(const QImage& frame, int x, int y) const {
        const QRgb pixel = frame.pixel(x, y);
        for (const Look look : {Look::Normal, Look::Over, Look::Down}) {
            if (pixel == PageColour(state_->currentPage, look)) {
                return look;
            }
        }
        const std::pair<QRgb, Look> others[] = {{kKnob, Look::Knob},
                                                {kGrey, Look::Grey},
                                                {kBlue, Look::Blue},
                                                {qRgb(0, 0, 0), Look::Black},
                                                {qRgb(0, 0, 255), Look::StepBlue},
                                                {qRgb(255, 0, 255), Look::StepMagenta},
                                                {qRgb(255, 0, 0), Look::StepRed},
                                                {qRgb(128, 0, 255), Look::StepViolet}};
        for (const auto& [colour, look] : others) {
            if (pixel == colour) {
                return look;
            }
        }
        return Look::Unknown;
    }

    // The look at the middle of an area.
    Look LookOf(const QImage& frame, const SkinRect& area) const {
        return LookAt(frame, area.x + area.width / 2, area.y + area.height / 2);
    }

    // Checks the look of each area in `expected` on `frame`.
    void Check(const QImage& frame, const std::vector<Expected>& expected) const;

    test::TempFolder folder_;
    std::unique_ptr<SharedState> state_;
    SkinImageCache cache_;
};

void PageStatesTest::Check(const QImage& frame, const std::vector<Expected>& expected) const {
    const SharedState& state = *state_;
    const SkinPage& page =
        state.currentPage == Page::Advanced ? state.skin.advancedPage : state.skin.colourPage;
    for (const Expected& e : expected) {
        const SkinPage& table = e.table == Table::Frame ? state.skin.mainPage : page;
        const Look look = LookOf(frame, table.Area(e.index));
        EXPECT_EQ(look, e.look) << (e.table == Table::Frame ? "frame" : "page") << " area "
                                << e.index << " is " << LookName(look) << ", expected "
                                << LookName(e.look);
    }
}

TEST_F(PageStatesTest, MainPageShowsTheStateOfTheProfileAndThePointer) {
    constexpr Table F = Table::Frame;
    const Case cases[] = {
        {"at rest only the state looks show",
         [](SharedState&) {},
         {{F, 4, Look::Down},
          {F, 5, Look::Normal},
          {F, 9, Look::Down},
          {F, 10, Look::Normal},
          {F, 17, Look::Down},
          {F, 18, Look::Normal},
          {F, 0, Look::Normal},
          {F, 80, Look::Down},
          {F, 81, Look::Normal},
          {F, 60, Look::Knob},
          {F, 61, Look::Normal},
          {F, 65, Look::Knob},
          {F, 46, Look::Normal},
          {F, 41, Look::Down},
          {F, 42, Look::Normal},
          {F, 36, Look::Down},
          {F, 37, Look::Normal},
          {F, 25, Look::Normal},
          {F, 90, Look::Normal}}},
        {"the state looks follow the profile and the language",
         [](SharedState& s) {
             s.currentProfileNumber = 3;
             s.languageEnglish = 1;
             s.profile.dpiLevel = 2;
             s.profile.dpiSetButton = {64, 66, 72, 79};
             s.profile.dpiSetEnabled = {1, 0, 1, 0};
             s.profile.wheelStatus = 1;
             s.profile.ledStatus = 3;
         },
         {{F, 6, Look::Down},
          {F, 4, Look::Normal},
          {F, 18, Look::Down},
          {F, 17, Look::Normal},
          {F, 82, Look::Down},
          {F, 80, Look::Normal},
          {F, 64, Look::Knob},
          {F, 60, Look::Normal},
          {F, 66, Look::Knob},
          {F, 72, Look::Knob},
          {F, 79, Look::Knob},
          {F, 46, Look::Down},
          {F, 47, Look::Normal},
          {F, 48, Look::Down},
          {F, 49, Look::Normal},
          {F, 42, Look::Down},
          {F, 41, Look::Normal},
          {F, 37, Look::Down},
          {F, 36, Look::Normal}}},
        {"a hovered area is copied from over",
         [](SharedState& s) { s.mainHot = 14; },
         {{F, 14, Look::Over}, {F, 15, Look::Normal}}},
        {"a pressed area is copied from down",
         [](SharedState& s) {
             s.mainHot = 14;
             s.buttonDown = 1;
         },
         {{F, 14, Look::Down}}},
        {"a hovered page area below the frame",
         [](SharedState& s) { s.mainHot = 54; },
         {{F, 54, Look::Over}}},
        {"the current profile stays down under the pointer",
         [](SharedState& s) {
             s.currentProfileNumber = 3;
             s.mainHot = 6;
         },
         {{F, 6, Look::Down}}},
        {"a hovered button label lights its frame on the picture",
         [](SharedState& s) { s.mainHot = 27; },
         {{F, 27, Look::Over}, {F, 92, Look::Over}, {F, 90, Look::Normal}}},
        {"a pressed button label keeps its frame in the hover look",
         [](SharedState& s) {
             s.mainHot = 30;
             s.buttonDown = 1;
         },
         {{F, 30, Look::Down}, {F, 95, Look::Over}}},
        {"a DPI level outside 0 to 3 marks no level",
         [](SharedState& s) { s.profile.dpiLevel = 7; },
         {{F, 80, Look::Normal}, {F, 83, Look::Normal}, {F, 87, Look::Normal}}},
        {"a knob index outside the table draws no knob",
         [](SharedState& s) {
             s.profile.dpiSetButton = {60, 65, 70, 400};
         },
         {{F, 75, Look::Normal}, {F, 70, Look::Knob}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.setUp(Fresh(Page::Main));
        Check(Compose(), c.expected);
    }
}

TEST_F(PageStatesTest, ModelBMainPageFillsTheChosenDpiStepsInTheLevelColours) {
    constexpr Table F = Table::Frame;
    // Step cell of level L, step S.
    const auto step = [](int level, int s) { return 66 + 12 * level + s; };
    const Case cases[] = {
        {"at rest: the first cells of each level, no knob and no lighting switch",
         [](SharedState&) {},
         {{F, 54, Look::Down},
          {F, 55, Look::Normal},
          {F, 80, Look::Normal},
          {F, step(0, 0), Look::StepBlue},
          {F, step(0, 1), Look::Normal},
          {F, step(1, 0), Look::StepMagenta},
          {F, step(2, 0), Look::StepRed},
          {F, step(3, 0), Look::StepViolet},
          {F, step(3, 1), Look::Normal},
          {F, 60, Look::Normal},
          {F, 41, Look::Down},
          {F, 36, Look::Normal},
          {F, 37, Look::Normal},
          {F, 114, Look::Normal}}},
        {"each level filled up to its chosen step",
         [](SharedState& s) {
             s.profile.dpiLevel = 3;
             s.profile.dpiSet = {4, 11, 0, 7};
             s.profile.dpiSetEnabled = {0, 1, 0, 1};
             s.profile.ledStatus = 3;
         },
         {{F, 57, Look::Down},
          {F, 54, Look::Normal},
          {F, step(0, 4), Look::StepBlue},
          {F, step(0, 5), Look::Normal},
          {F, step(1, 0), Look::StepMagenta},
          {F, step(1, 11), Look::StepMagenta},
          {F, step(2, 0), Look::StepRed},
          {F, step(2, 1), Look::Normal},
          {F, step(3, 7), Look::StepViolet},
          {F, step(3, 8), Look::Normal},
          {F, 47, Look::Down},
          {F, 49, Look::Down},
          {F, 46, Look::Normal},
          {F, 37, Look::Normal}}},
        {"a chosen step beyond the row fills the row and no further",
         [](SharedState& s) {
             s.profile.dpiSet = {0, 0, 0, 200};
         },
         {{F, step(3, 11), Look::StepViolet}, {F, 114, Look::Normal}}},
        {"a hovered button label lights its frame among 115 to 120",
         [](SharedState& s) { s.mainHot = 25; },
         {{F, 25, Look::Over}, {F, 115, Look::Over}, {F, 116, Look::Normal}}},
        {"the last button's frame",
         [](SharedState& s) { s.mainHot = 30; },
         {{F, 120, Look::Over}, {F, 115, Look::Normal}}},
        {"a hovered step cell shows the fill over its hover look",
         [](SharedState& s) { s.mainHot = 66; },
         {{F, 66, Look::StepBlue}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.setUp(Fresh(Page::Main, ModelB()));
        Check(Compose(), c.expected);
    }
}

// The fill keeps a one-pixel margin left, right and at the top of the cell
// and reaches its bottom edge.
TEST_F(PageStatesTest, ModelBStepFillLeavesTheCellMargins) {
    Fresh(Page::Main, ModelB());
    const SkinRect cell = state_->skin.mainPage.Area(66);
    const QImage frame = Compose();
    const struct {
        int x;
        int y;
        Look look;
    } pixels[] = {
        {cell.x, cell.y + 5, Look::Normal},
        {cell.x + 1, cell.y + 5, Look::StepBlue},
        {cell.x + cell.width - 2, cell.y + 5, Look::StepBlue},
        {cell.x + cell.width - 1, cell.y + 5, Look::Normal},
        {cell.x + 5, cell.y, Look::Normal},
        {cell.x + 5, cell.y + 1, Look::StepBlue},
        {cell.x + 5, cell.y + cell.height - 1, Look::StepBlue},
    };
    for (const auto& p : pixels) {
        EXPECT_EQ(LookAt(frame, p.x, p.y), p.look) << "pixel " << p.x << "," << p.y;
    }
}

TEST_F(PageStatesTest, AdvancedPageShowsRecordingSpeedsAndSwitches) {
    constexpr Table F = Table::Frame;
    constexpr Table P = Table::Page;
    const Case cases[] = {
        {"at rest",
         [](SharedState&) {},
         {{F, 10, Look::Down},
          {F, 9, Look::Normal},
          {F, 4, Look::Down},
          {P, 4, Look::Normal},
          {P, 8, Look::Down},
          {P, 9, Look::Normal},
          {P, 18, Look::Down},
          {P, 7, Look::Normal},
          {P, 6, Look::Normal}}},
        {"recording, speeds, hold mode and a repeating macro",
         [](SharedState& s) {
             s.recording = true;
             s.profile.dpiSpeed = 3;
             s.profile.wheelSpeed = 9;
             s.profile.macroMode2 = 1;
             s.macros.currentMacro = 2;
             s.macros.user.records[2].repeatOn = 1;
         },
         {{P, 4, Look::Down},
          {P, 11, Look::Down},
          {P, 8, Look::Normal},
          {P, 27, Look::Down},
          {P, 18, Look::Normal},
          {P, 7, Look::Down},
          {P, 6, Look::Down}}},
        {"speeds outside 0 to 9 select no step",
         [](SharedState& s) {
             s.profile.dpiSpeed = 12;
             s.profile.wheelSpeed = 11;
         },
         {{P, 20, Look::Normal}, {P, 29, Look::Normal}}},
        {"a current macro outside the table shows no repeat",
         [](SharedState& s) {
             s.macros.currentMacro = 12;
             s.macros.user.records[0].repeatOn = 1;
         },
         {{P, 6, Look::Normal}}},
        {"hovered areas of the page and of the frame",
         [](SharedState& s) {
             s.advancedHot = 2;
             s.mainHot = 11;
         },
         {{P, 2, Look::Over}, {F, 11, Look::Over}}},
        {"pressed",
         [](SharedState& s) {
             s.advancedHot = 2;
             s.buttonDown = 1;
         },
         {{P, 2, Look::Down}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.setUp(Fresh(Page::Advanced));
        Check(Compose(), c.expected);
    }
}

TEST_F(PageStatesTest, RapidFireBarFillsInProportionToTheTime) {
    const struct {
        std::int32_t fireTime;
        bool hovered;
        bool held;
        int filled;     // columns copied from down
        Look unfilled;  // the look of the rest
    } cases[] = {
        {150, false, false, 60, Look::Normal},
        {0, false, false, 0, Look::Normal},
        {300, false, false, 121, Look::Normal},
        {1, false, false, 0, Look::Normal},
        {299, false, false, 120, Look::Normal},
        {400, false, false, 121, Look::Normal},
        {-5, false, false, 0, Look::Normal},
        // Hovered, the bar is lit; held, it shows no pressed look, only its fill.
        {150, true, false, 60, Look::Over},
        {150, true, true, 60, Look::Normal},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("fireTime " + std::to_string(c.fireTime) + (c.hovered ? " hovered" : "") +
                     (c.held ? " held" : ""));
        SharedState& state = Fresh(Page::Advanced);
        state.profile.fireTime = c.fireTime;
        state.advancedHot = c.hovered ? 30 : kNoArea;
        state.buttonDown = c.held ? 1 : 0;
        const QImage frame = Compose();
        for (int column = 0; column < kFireBar.width; ++column) {
            const Look want = column < c.filled ? Look::Down : c.unfilled;
            const Look got = LookAt(frame, kFireBar.x + column, kFireBar.y + 5);
            if (got != want) {
                ADD_FAILURE() << "column " << column << " is " << LookName(got) << ", expected "
                              << LookName(want);
                break;
            }
        }
        EXPECT_EQ(LookAt(frame, kFireBar.x + kFireBar.width, kFireBar.y + 5), Look::Normal);
    }
}

TEST_F(PageStatesTest, ColourPageShowsTheModeAndThePreviewLook) {
    constexpr Table F = Table::Frame;
    constexpr Table P = Table::Page;
    const struct {
        const char* name;
        std::uint8_t ledStatus;
        bool dark;
        std::int32_t colour;
        std::vector<Expected> expected;
    } cases[] = {
        {"mode 2, unlit",
         2,
         true,
         0,
         {{F, 11, Look::Down},
          {F, 9, Look::Normal},
          {P, 2, Look::Down},
          {P, 0, Look::Normal},
          {P, 3, Look::Normal},
          {P, 11, Look::Grey}}},
        {"colour 0 is blue", 0, false, 0, {{P, 0, Look::Down}, {P, 11, Look::Blue}}},
        {"colour 1 is the normal picture's", 0, false, 1, {{P, 11, Look::Normal}}},
        {"colour 2 is the over picture's", 0, false, 2, {{P, 11, Look::Over}}},
        {"colour 3 is the down picture's", 0, false, 3, {{P, 11, Look::Down}}},
        {"an unknown colour leaves the preview at rest", 0, false, 9, {{P, 11, Look::Normal}}},
        {"a mode outside 0 to 3 selects none",
         11,
         false,
         1,
         {{P, 0, Look::Normal}, {P, 3, Look::Normal}, {P, 11, Look::Normal}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SharedState& state = Fresh(Page::Colour);
        state.profile.ledStatus = c.ledStatus;
        state.previewDark = c.dark;
        state.previewColour = c.colour;
        Check(Compose(), c.expected);
    }
}

// The whole paint: a missing picture leaves its areas as they are, and
// without a normal picture the frame starts black.
TEST_F(PageStatesTest, MissingPicturesLeaveAreasAsTheyAre) {
    std::filesystem::remove(folder_.path() / skin_images::kMainPage.over);
    std::filesystem::remove(folder_.path() / skin_images::kDpiSlider);
    state_->mainHot = 14;
    QImage frame = PaintPage(*state_, cache_, kWindow);
    Check(frame, {{Table::Frame, 14, Look::Normal},
                  {Table::Frame, 60, Look::Normal},
                  {Table::Frame, 4, Look::Down}});

    std::filesystem::remove(folder_.path() / skin_images::kMainPage.normal);
    frame = PaintPage(*state_, cache_, kWindow);
    EXPECT_EQ(frame.size(), kWindow);
    Check(frame, {{Table::Frame, 0, Look::Black}, {Table::Frame, 4, Look::Down}});
}

}  // namespace
}  // namespace pelmar
