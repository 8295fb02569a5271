// The main window's own mouse events, through Qt on the offscreen platform:
// hover without a button held, the window drag, the maker's web page and the
// lighting preview's thread.
#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QUrl>
#include <filesystem>

#include "app/CPelmarDlg.h"
#include "app/SharedState.h"
#include "skin/AdvancedPage.h"
#include "skin/SkinLoaders.h"
#include "tests/support/TempFolder.h"

namespace pelmar {
namespace {

const std::filesystem::path kSkinSource =
    (std::filesystem::path(PELMAR_TEST_DATA) / "../../skins/modelA").lexically_normal();

// Receives the addresses the program opens instead of a browser.
class UrlCatcher : public QObject {
    Q_OBJECT

  public:
    QList<QUrl> urls;

  public slots:
    void Open(const QUrl& url) { urls.append(url); }
};

int ThreadCount() {
    return static_cast<int>(std::distance(std::filesystem::directory_iterator("/proc/self/task"),
                                          std::filesystem::directory_iterator()));
}

class MainWindowInputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sharedState.model = &ModelA();
        ASSERT_EQ(LoadMainSkin(sharedState.skin, {kSkinSource, 1}, ModelA()), SkinLoad::Loaded);
        ASSERT_EQ(LoadColourSkin(sharedState.skin, {kSkinSource, 1}, ModelA()), SkinLoad::Loaded);
        sharedState.configPath = folder_ / "config.ini";
        sharedState.currentPage = Page::Main;
        window_.move(100, 50);
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    }
    void TearDown() override {
        sharedState.currentPage = Page::Main;
        sharedState.mainHot = kNoArea;
        sharedState.colourHot = kNoArea;
        sharedState.advancedHot = kNoArea;
        sharedState.buttonDown = 0;
    }

    static QPoint Main(int area) {
        const SkinRect r = sharedState.skin.mainPage.Area(area);
        return {r.x + r.width / 2, r.y + r.height / 2};
    }

    test::TempFolder folder_;
    CPelmarDlg window_;
};

TEST_F(MainWindowInputTest, HoverFollowsThePointerWithoutAButtonHeld) {
    QTest::mouseMove(&window_, Main(6));
    EXPECT_EQ(sharedState.mainHot, 6);
    QTest::mouseMove(&window_, Main(7));
    EXPECT_EQ(sharedState.mainHot, 7);
}

TEST_F(MainWindowInputTest, PressOutsideEveryAreaMovesTheWindowUntilRelease) {
    const QPoint start = window_.pos();
    const QPoint outside{300, 600};
    QTest::mousePress(&window_, Qt::LeftButton, {}, outside);
    QTest::mouseMove(&window_, outside + QPoint(40, 30));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window_.pos() == start + QPoint(40, 30); }, 2000))
        << window_.pos().x() << "," << window_.pos().y();
    QTest::mouseRelease(&window_, Qt::LeftButton, {}, outside);

    const QPoint dropped = window_.pos();
    QTest::mouseMove(&window_, outside + QPoint(50, 50));
    QCoreApplication::processEvents();
    EXPECT_EQ(window_.pos(), dropped);
    EXPECT_EQ(sharedState.mainHot, kNoArea);
}

TEST_F(MainWindowInputTest, WebPageAreaOpensTheMakersAddress) {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("https", &catcher, "Open");
    QTest::mouseClick(&window_, Qt::LeftButton, {}, Main(19));
    QDesktopServices::unsetUrlHandler("https");
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls.front(), QUrl("https://www.halvex.com/"));
}

TEST_F(MainWindowInputTest, EnteringTheColourPageTwiceStartsOnePreviewThread) {
    const int threads = ThreadCount();
    QTest::mouseClick(&window_, Qt::LeftButton, {}, Main(11));
    EXPECT_EQ(sharedState.currentPage, Page::Colour);
    EXPECT_TRUE(sharedState.previewRunning);
    EXPECT_EQ(ThreadCount(), threads + 1);

    QTest::mouseClick(&window_, Qt::LeftButton, {}, Main(9));
    EXPECT_EQ(sharedState.currentPage, Page::Main);
    QTest::mouseClick(&window_, Qt::LeftButton, {}, Main(11));
    EXPECT_EQ(sharedState.currentPage, Page::Colour);
    EXPECT_EQ(ThreadCount(), threads + 1);
}

TEST_F(MainWindowInputTest, TheAdvancedPagesControlsExistOnlyWhileItIsShown) {
    ASSERT_EQ(LoadAdvancedSkin(sharedState.skin, {kSkinSource, 1}, ModelA()), SkinLoad::Loaded);
    QTest::mouseClick(&window_, Qt::LeftButton, {}, Main(10));
    EXPECT_EQ(sharedState.currentPage, Page::Advanced);
    EXPECT_EQ(window_.findChildren<QLineEdit*>().size(), 2);
    EXPECT_EQ(window_.findChildren<QListWidget*>().size(), 2);
    const SkinRect names = sharedState.skin.nameEditRect;
    EXPECT_EQ(window_.advancedPage().controls().nameEdit()->geometry(),
              QRect(names.x, names.y, names.width, names.height));

    QTest::mouseClick(&window_, Qt::LeftButton, {}, Main(11));
    EXPECT_EQ(sharedState.currentPage, Page::Colour);
    EXPECT_TRUE(window_.findChildren<QLineEdit*>().empty());
    EXPECT_TRUE(window_.findChildren<QListWidget*>().empty());
    EXPECT_TRUE(sharedState.previewRunning);
    // The page's objects remain for the next visit.
    QTest::mouseClick(&window_, Qt::LeftButton, {}, Main(10));
    EXPECT_EQ(window_.findChildren<QListWidget*>().size(), 2);
}

}  // namespace
}  // namespace pelmar

#include "main_window_input_test.moc"
