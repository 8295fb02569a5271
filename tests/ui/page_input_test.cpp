// The pages' answers to the mouse, driven with points on the default skin's
// English layout against a window that records what it is asked to do.
#include "skin/PageAreas.h"
#include "skin/PageInput.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/ini/IniFile.h"
#include "profile/ProfileStore.h"
#include "skin/PageAreas.h"
#include "skin/SkinLoaders.h"
#include "tests/support/RecordingPointerSettings.h"
#include "tests/support/TempFolder.h"

namespace pelmar {

// The fields the pages edit, for failure messages.
[[maybe_unused]] static void PrintTo(const Profile& p, std::ostream* out) {
    *out << "level " << p.dpiLevel << " enabled";
    for (const auto enabled : p.dpiSetEnabled) {
        *out << ' ' << int{enabled};
    }
    *out << " values";
    for (int level = 0; level < kDpiLevelCount; ++level) {
        *out << ' ' << int{p.dpiSet[level]} << '@' << p.dpiSetButton[level];
    }
    *out << " wheel " << p.wheelStatus << " lighting " << int{p.ledStatus} << " fire "
         << p.fireTime;
}

namespace {

const std::filesystem::path kSkinSource =
    (std::filesystem::path(PELMAR_TEST_DATA) / "../../skins/modelA").lexically_normal();

class RecordingWindow final : public PageWindow {
  public:
    int paintsNow = 0;
    int paintsLater = 0;
    int windowPaints = 0;
    std::vector<QPoint> drags;
    int minimized = 0;
    int hidden = 0;
    std::vector<std::string> openedPages;
    int previewStarts = 0;
    int macrosReplaced = 0;
    int advancedEntries = 0;
    int advancedExits = 0;
    std::vector<std::pair<int, int>> advancedPresses;  // area, x
    int popupsDestroyed = 0;
    std::vector<int> popupsOpened;
    std::vector<std::pair<FileKind, FileAction>> fileActions;
    bool fileActionChanges = true;  // what RunFileAction answers
    std::vector<std::int32_t> languages;

    void RepaintPage(Repaint when) override { ++(when == Repaint::Now ? paintsNow : paintsLater); }
    void RepaintWindow() override { ++windowPaints; }
    void StartWindowDrag(QPoint globalPoint) override { drags.push_back(globalPoint); }
    void Minimize() override { ++minimized; }
    void HideToTray() override { ++hidden; }
    void OpenWebPage(std::string_view url) override { openedPages.emplace_back(url); }
    void StartLightingPreview() override { ++previewStarts; }
    void MacrosReplaced() override { ++macrosReplaced; }
    void EnterAdvancedPage() override { ++advancedEntries; }
    void LeaveAdvancedPage() override { ++advancedExits; }
    void PressAdvancedArea(int area, int x) override { advancedPresses.emplace_back(area, x); }
    void DestroyPopup() override { ++popupsDestroyed; }
    void OpenFunctionPopup(int area) override { popupsOpened.push_back(area); }
    bool RunFileAction(FileKind kind, FileAction action) override {
        fileActions.emplace_back(kind, action);
        return fileActionChanges;
    }
    void SwitchLanguage(std::int32_t languageEnglish) override {
        languages.push_back(languageEnglish);
    }
};

QPoint Centre(const SkinPage& page, int area) {
    const SkinRect r = page.Area(area);
    return {r.x + r.width / 2, r.y + r.height / 2};
}

// The window's top-left corner on the screen, for the drag's global points.
constexpr QPoint kWindowAt{100, 50};

class PageInputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        state_.model = &ModelA();
        const SkinFolder skins{kSkinSource, 1};
        ASSERT_EQ(LoadMainSkin(state_.skin, skins, ModelA()), SkinLoad::Loaded);
        ASSERT_EQ(LoadColourSkin(state_.skin, skins, ModelA()), SkinLoad::Loaded);
        ASSERT_EQ(LoadAdvancedSkin(state_.skin, skins, ModelA()), SkinLoad::Loaded);
        state_.configPath = folder_ / "config.ini";
        test::WriteFile(state_.configPath,
                        "[Init]\nCurConfig=2\n[Config1]\nK0=1\nFIRE_TIME=101\n"
                        "[Config2]\nK0=2\nFIRE_TIME=102\n");
        state_.currentProfileNumber = 2;
        state_.profile = BuiltInProfile(ModelA(), 0);
    }

    QPoint Main(int area) const { return Centre(state_.skin.mainPage, area); }
    QPoint Colour(int area) const { return Centre(state_.skin.colourPage, area); }
    QPoint Advanced(int area) const { return Centre(state_.skin.advancedPage, area); }

    void Press(QPoint point) { input_.OnLButtonDown(point, point + kWindowAt); }
    void Release(QPoint point) { input_.OnLButtonUp(point); }
    void Click(QPoint point) {
        input_.OnMouseMove(point);
        Press(point);
        Release(point);
    }

    test::TempFolder folder_;
    SharedState state_;
    RecordingWindow window_;
    test::RecordingPointerSettings pointer_;
    PageInput input_{state_, window_, pointer_};
};

TEST_F(PageInputTest, HoverRepaintsOncePerTableWhoseAreaChanged) {
    // Main area 36 (lighting on) lies over advanced area 1; main area 3 over
    // nothing else.
    input_.OnMouseMove(Main(36));
    EXPECT_EQ(state_.mainHot, 36);
    EXPECT_EQ(state_.advancedHot, 1);
    EXPECT_EQ(state_.colourHot, kNoArea);
    EXPECT_EQ(window_.paintsNow, 2);

    input_.OnMouseMove(Main(36) + QPoint(1, 1));
    EXPECT_EQ(window_.paintsNow, 2) << "no change, no paint";

    input_.OnMouseMove(Main(3));
    EXPECT_EQ(state_.mainHot, 3);
    EXPECT_EQ(state_.advancedHot, kNoArea);
    EXPECT_EQ(window_.paintsNow, 4);

    input_.OnMouseLeave();
    EXPECT_EQ(state_.mainHot, kNoArea);
    EXPECT_EQ(window_.paintsNow, 5);
}

TEST_F(PageInputTest, OtherPagesHitOnlyTheMainTablesFrameAreas) {
    for (const Page page : {Page::Main, Page::Colour, Page::Advanced}) {
        state_.currentPage = page;
        input_.OnMouseMove(Main(36));
        EXPECT_EQ(state_.mainHot, page == Page::Main ? 36 : kNoArea);
        input_.OnMouseMove(Main(19));
        EXPECT_EQ(state_.mainHot, 19);
    }
}

TEST_F(PageInputTest, HitTestingIsHalfOpenAndTakesTheFirstArea) {
    const SkinRect apply = state_.skin.mainPage.Area(3);
    const struct {
        QPoint point;
        std::int32_t hot;
    } cases[] = {
        {{apply.x, apply.y}, 3},
        {{apply.x + apply.width - 1, apply.y + apply.height - 1}, 3},
        {{apply.x + apply.width, apply.y}, kNoArea},
        {{apply.x, apply.y + apply.height}, kNoArea},
        {{apply.x - 1, apply.y}, kNoArea},
    };
    for (const auto& c : cases) {
        input_.OnMouseMove(c.point);
        EXPECT_EQ(state_.mainHot, c.hot) << c.point.x() << "," << c.point.y();
    }
}

// Main-page presses: each row starts from profile 1's defaults (all four
// levels enabled, level 0 current), prepares the profile, presses an area
// and changes the expected profile.
struct PressRow {
    const char* what;
    int area;
    std::function<void(Profile&)> before;
    std::function<void(Profile&)> change;
};

TEST_F(PageInputTest, MainPagePressesEditTheProfile) {
    const auto levels = [](std::array<std::uint8_t, 4> enabled, int current) {
        return [=](Profile& p) {
            p.dpiSetEnabled = enabled;
            p.dpiLevel = current;
        };
    };
    const auto nothing = [](Profile&) {};
    const PressRow rows[] = {
        {"lighting on", 36, [](Profile& p) { p.ledStatus = 3; },
         [](Profile& p) { p.ledStatus = 0; }},
        {"lighting off", 37, nothing, [](Profile& p) { p.ledStatus = 3; }},
        {"wheel normal", 41, [](Profile& p) { p.wheelStatus = 1; },
         [](Profile& p) { p.wheelStatus = 0; }},
        {"wheel reverse", 42, nothing, [](Profile& p) { p.wheelStatus = 1; }},
        {"disable a level", 47, nothing, [](Profile& p) { p.dpiSetEnabled[1] = 0; }},
        {"enable a level", 47, levels({1, 0, 1, 1}, 0), levels({1, 1, 1, 1}, 0)},
        {"only enabled level stays", 48, levels({0, 0, 1, 0}, 2), levels({0, 0, 1, 0}, 2)},
        {"current level moves on, wrapping", 49, levels({1, 0, 0, 1}, 3), levels({1, 0, 0, 0}, 0)},
        {"current level moves to the next", 46, levels({1, 0, 1, 1}, 0), levels({0, 0, 1, 1}, 2)},
        {"disabled current level from a file", 48, levels({0, 0, 0, 0}, 0),
         levels({0, 0, 1, 0}, 2)},
        {"select an enabled level", 55, nothing, [](Profile& p) { p.dpiLevel = 1; }},
        {"a disabled level is not selected", 56, levels({1, 1, 0, 1}, 0), nothing},
        {"stop 3 of level 2", 67, nothing,
         [](Profile& p) {
             p.dpiSet[1] = 2;
             p.dpiSetButton[1] = 67;
         }},
        {"first stop of level 1", 60, nothing, [](Profile& p) { p.dpiSetButton[0] = 60; }},
        {"last stop of level 4", 79,
         [](Profile& p) {
             p.dpiSet[3] = 0;
             p.dpiSetButton[3] = 75;
         },
         [](Profile& p) {
             p.dpiSet[3] = 4;
             p.dpiSetButton[3] = 79;
         }},
        {"own tab", 9, nothing, nothing},
        {"caption", 21, nothing, nothing},
    };
    for (const PressRow& row : rows) {
        SCOPED_TRACE(row.what);
        Profile profile = BuiltInProfile(ModelA(), 0);
        row.before(profile);
        Profile expected = profile;
        row.change(expected);
        state_.profile = profile;
        Press(Main(row.area));
        EXPECT_EQ(state_.profile, expected);
        EXPECT_EQ(state_.currentPage, Page::Main);
        EXPECT_EQ(state_.buttonDown, 1);
        Release(Main(row.area));
        EXPECT_EQ(state_.buttonDown, 0);
    }
    EXPECT_TRUE(window_.drags.empty());
}

// Model B's main page has twelve step cells per level, 66 to 113, and is
// hit-tested up to area 114; its hover frames 115 to 120 are not.
TEST_F(PageInputTest, ModelBStepCellsChooseTheDpiValueOfTheirLevel) {
    state_.model = &ModelB();
    constexpr int kCell = 10;
    constexpr int kCellsPerRow = 20;
    SkinPage& table = state_.skin.mainPage;
    table.Reset(ModelB().labelCounts[0]);
    for (int i = 0; i < table.Count(); ++i) {
        table.areas[static_cast<std::size_t>(i)] = {(i % kCellsPerRow) * kCell,
                                                    (i / kCellsPerRow) * kCell, kCell, kCell};
    }
    const auto nothing = [](Profile&) {};
    const PressRow rows[] = {
        {"first step of level 1", 66, [](Profile& p) { p.dpiSet[0] = 5; },
         [](Profile& p) { p.dpiSet[0] = 0; }},
        {"last step of level 1", 77, nothing, [](Profile& p) { p.dpiSet[0] = 11; }},
        {"first step of level 2", 78, nothing, [](Profile& p) { p.dpiSet[1] = 0; }},
        {"step 11 of level 3", 100, nothing, [](Profile& p) { p.dpiSet[2] = 10; }},
        {"last step of level 4", 113, nothing, [](Profile& p) { p.dpiSet[3] = 11; }},
        {"area 60 is no slider stop", 60, nothing, nothing},
        {"area 114 is hover only", 114, nothing, nothing},
        {"lighting on is hover only", 36, [](Profile& p) { p.ledStatus = 3; }, nothing},
        {"select level 4", 57, nothing, [](Profile& p) { p.dpiLevel = 3; }},
    };
    for (const PressRow& row : rows) {
        SCOPED_TRACE(row.what);
        Profile profile = BuiltInProfile(ModelB(), 0);
        row.before(profile);
        Profile expected = profile;
        row.change(expected);
        state_.profile = profile;
        Click(Main(row.area));
        EXPECT_EQ(state_.mainHot, row.area);
        EXPECT_EQ(state_.profile, expected);
    }
    Click(Main(115));
    EXPECT_EQ(state_.mainHot, kNoArea);
    EXPECT_EQ(window_.drags.size(), 1U) << "a hover frame is not an area to press";
}

TEST_F(PageInputTest, SaveWritesTheCurrentProfileOnPress) {
    state_.profile.fireTime = 77;
    Press(Main(0));
    Profile saved;
    LoadProfile(saved, state_.configPath, 2, Section::Profile, 0, ModelA());
    EXPECT_EQ(saved, state_.profile);
}

TEST_F(PageInputTest, ReleaseActsOnTheAreaUnderThePointerAtRelease) {
    Press(Main(3));
    input_.OnMouseMove(Main(4));
    Release(Main(4));
    EXPECT_EQ(state_.currentProfileNumber, 1);
    EXPECT_EQ(state_.profile.fireTime, 101);
    EXPECT_EQ(ini::ReadString(state_.configPath, "Init", "CurConfig", 5), "2") << "not applied";
    EXPECT_TRUE(pointer_.changes.empty());
}

TEST_F(PageInputTest, FrameAreasActOnReleaseOnEveryPage) {
    for (const Page page : {Page::Main, Page::Colour, Page::Advanced}) {
        SCOPED_TRACE(static_cast<int>(page));
        state_.currentPage = page;

        Press(Main(5));
        EXPECT_EQ(state_.currentProfileNumber, 2) << "a profile is selected on release";
        state_.profile.fireTime = 7;
        Release(Main(5));
        EXPECT_EQ(state_.profile.fireTime, 102);

        const int minimized = window_.minimized;
        Click(Main(12));
        EXPECT_EQ(window_.minimized, minimized + 1);
        EXPECT_EQ(state_.mainHot, kNoArea);

        const int hidden = window_.hidden;
        state_.profile.fireTime = 7;
        Click(Main(13));
        EXPECT_EQ(window_.hidden, hidden + 1);
        EXPECT_EQ(state_.mainHot, kNoArea);
        EXPECT_EQ(state_.profile.fireTime, 7) << "closing keeps the edits";

        Click(Main(19));
        EXPECT_EQ(window_.openedPages.back(), "https://www.halvex.com/");
        EXPECT_EQ(state_.currentPage, page);
    }
}

TEST_F(PageInputTest, HideDropsUnappliedEditsApplySendsThem) {
    state_.profile.wheelStatus = 1;
    Click(Main(3));
    EXPECT_EQ(ini::ReadString(state_.configPath, "Init", "CurConfig", 5), "2");
    EXPECT_EQ(ini::ReadString(state_.configPath, "Config6", "WHEEL_STATUS", 5), "1");
    EXPECT_FALSE(pointer_.changes.empty());

    state_.profile.fireTime = 7;
    state_.profile.dpiLevel = 2;  // as the mouse may switch it
    Click(Main(2));
    EXPECT_EQ(window_.hidden, 1);
    EXPECT_EQ(state_.mainHot, kNoArea);
    EXPECT_EQ(state_.profile.fireTime, 50);
    EXPECT_EQ(state_.profile.dpiLevel, 2);
    EXPECT_EQ(ini::ReadString(state_.configPath, "Config6", "DPI_LEVEL", 5), "2");
}

TEST_F(PageInputTest, RestoreDefaultsOnReleaseReplacesTheMacros) {
    state_.skinFolder = folder_ / "skins";
    state_.macroFilePath = folder_ / "Macro_CN.dat";
    state_.profile.fireTime = 7;
    Click(Main(16));
    EXPECT_EQ(state_.profile, BuiltInProfile(ModelA(), 0)) << "profile 2 has no template here";
    EXPECT_EQ(ini::ReadString(state_.configPath, "Config1", "K3", 5), "5");
    EXPECT_EQ(window_.macrosReplaced, 1);
}

TEST_F(PageInputTest, ModelWithoutWebPageOrLightingSwitchIgnoresThoseAreas) {
    state_.model = &ModelB();
    state_.profile.ledStatus = 2;
    Click(Main(19));
    Click(Main(37));
    EXPECT_TRUE(window_.openedPages.empty());
    EXPECT_EQ(state_.profile.ledStatus, 2);
}

TEST_F(PageInputTest, TabsSwitchPagesAndTheColourPageStartsThePreview) {
    Click(Main(11));
    EXPECT_EQ(state_.currentPage, Page::Colour);
    EXPECT_EQ(window_.previewStarts, 1);
    Click(Main(10));
    EXPECT_EQ(state_.currentPage, Page::Advanced);
    EXPECT_EQ(window_.windowPaints, 1);
    EXPECT_EQ(window_.advancedEntries, 1);
    Click(Main(11));
    EXPECT_EQ(state_.currentPage, Page::Colour);
    EXPECT_EQ(window_.previewStarts, 2);
    EXPECT_EQ(window_.advancedExits, 1);
    Click(Main(9));
    EXPECT_EQ(state_.currentPage, Page::Main);
    EXPECT_EQ(window_.advancedExits, 1) << "the colour page had no controls to remove";
    Click(Main(10));
    Click(Main(10));
    EXPECT_EQ(state_.currentPage, Page::Advanced) << "the page's own tab does nothing";
    EXPECT_EQ(window_.windowPaints, 2);
    EXPECT_EQ(window_.advancedEntries, 2);
    Click(Main(9));
    EXPECT_EQ(state_.currentPage, Page::Main);
    EXPECT_EQ(window_.advancedExits, 2);
    Click(Main(9));
    EXPECT_EQ(state_.currentPage, Page::Main);
    EXPECT_EQ(window_.advancedExits, 2);
}

TEST_F(PageInputTest, AdvancedPagePressesGoToThePagesOwnAreas) {
    state_.currentPage = Page::Advanced;
    const SkinRect bar = state_.skin.advancedPage.Area(30);
    Click(Advanced(4));
    Click(QPoint(bar.x, bar.y + 1));
    using Presses = std::vector<std::pair<int, int>>;
    EXPECT_EQ(window_.advancedPresses, (Presses{{4, Advanced(4).x()}, {30, bar.x}}));
    // The tabs come first, and a press beside every area drags the window.
    Click(Main(9));
    EXPECT_EQ(window_.advancedPresses.size(), 2U);
    EXPECT_TRUE(window_.drags.empty());
}

TEST_F(PageInputTest, ColourPageSetsTheLightingMode) {
    state_.currentPage = Page::Colour;
    for (std::uint8_t mode = 0; mode < 4; ++mode) {
        Click(Colour(mode));
        EXPECT_EQ(state_.profile.ledStatus, mode);
    }
    Click(Colour(4));  // a caption
    EXPECT_EQ(state_.profile.ledStatus, 3);
}

// A press outside the current page's areas drags the window, even over an
// area of a table that page does not show.
TEST_F(PageInputTest, PressOutsideThePagesAreasDragsTheWindow) {
    const SkinRect colourMode = state_.skin.colourPage.Area(0);
    const QPoint overColourArea{colourMode.x, colourMode.y};
    const SkinRect fireBar = state_.skin.advancedPage.Area(30);
    const QPoint overAdvancedArea{fireBar.x + fireBar.width - 1, fireBar.y};
    const QPoint colourCaption = Colour(4);
    const QPoint outside{300, 600};
    const struct {
        Page page;
        QPoint point;
        bool drags;
    } cases[] = {
        {Page::Main, overColourArea, true},     {Page::Main, outside, true},
        {Page::Colour, overAdvancedArea, true}, {Page::Colour, colourCaption, false},
        {Page::Advanced, overColourArea, true}, {Page::Advanced, outside, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.page));
        window_.drags.clear();
        state_.currentPage = c.page;
        Press(c.point);
        ASSERT_EQ(state_.mainHot, kNoArea);
        EXPECT_EQ(window_.drags,
                  c.drags ? std::vector<QPoint>{c.point + kWindowAt} : std::vector<QPoint>{});
        Release(c.point);
    }
}

TEST_F(PageInputTest, ButtonLabelsOpenThePopupAndAnyMainPressClosesItFirst) {
    Click(Main(kFirstButtonArea));
    Click(Main(kLastButtonArea));
    EXPECT_EQ(window_.popupsOpened, (std::vector<int>{kFirstButtonArea, kLastButtonArea}));
    EXPECT_EQ(window_.popupsDestroyed, 0) << "no popup was open";

    // The window set popupOpen when it showed a popup.
    for (const int area : {kFirstButtonArea + 2, 41, 3}) {
        state_.popupOpen = 1;
        const int destroyed = window_.popupsDestroyed;
        Press(Main(area));
        EXPECT_EQ(window_.popupsDestroyed, destroyed + 1) << area;
        EXPECT_EQ(state_.popupOpen, 0);
        Release(Main(area));
    }
    EXPECT_EQ(window_.popupsOpened.back(), kFirstButtonArea + 2);

    // Other pages leave the popup alone.
    state_.currentPage = Page::Colour;
    state_.popupOpen = 1;
    Click(Colour(1));
    EXPECT_EQ(state_.popupOpen, 1);
}

TEST_F(PageInputTest, ImportAndExportRunTheirFileActions) {
    const struct {
        const char* what;
        Page page;
        bool advanced;  // area of the advanced table, else of the main table
        int area;
        FileKind kind;
        FileAction action;
        bool changes;
        int macrosReplaced;
    } cases[] = {
        {"import a profile", Page::Main, false, 14, FileKind::Profile, FileAction::Import, true, 0},
        {"export a profile", Page::Main, false, 15, FileKind::Profile, FileAction::Export, false,
         0},
        {"import macros", Page::Advanced, true, 0, FileKind::Macros, FileAction::Import, true, 1},
        {"cancelled macro import", Page::Advanced, true, 0, FileKind::Macros, FileAction::Import,
         false, 0},
        {"export macros", Page::Advanced, true, 1, FileKind::Macros, FileAction::Export, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        state_.currentPage = c.page;
        window_ = RecordingWindow{};
        window_.fileActionChanges = c.changes;
        Press(c.advanced ? Advanced(c.area) : Main(c.area));
        ASSERT_EQ(window_.fileActions.size(), 1u);
        EXPECT_EQ(window_.fileActions[0].first, c.kind);
        EXPECT_EQ(window_.fileActions[0].second, c.action);
        EXPECT_EQ(window_.macrosReplaced, c.macrosReplaced);
        EXPECT_TRUE(window_.advancedPresses.empty());
        if (c.kind == FileKind::Profile) {
            // The press repaints, and an import that changed the profile again.
            EXPECT_EQ(window_.paintsLater, c.changes ? 2 : 1);
        }
        Release(c.advanced ? Advanced(c.area) : Main(c.area));
    }
}

TEST_F(PageInputTest, TheLanguageButtonsSwitchOnRelease) {
    for (const Page page : {Page::Main, Page::Advanced}) {
        state_.currentPage = page;
        window_.languages.clear();
        Press(Main(17));
        EXPECT_TRUE(window_.languages.empty()) << "not on press";
        Release(Main(17));
        Click(Main(18));
        EXPECT_EQ(window_.languages, (std::vector<std::int32_t>{0, 1}));
    }
}

}  // namespace
}  // namespace pelmar
