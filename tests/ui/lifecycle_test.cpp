#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "app/CPelmarDlg.h"
#include "app/SharedState.h"
#include "tests/support/FakeHid.h"

namespace pelmar {
namespace {

using Report = std::vector<std::uint8_t>;

class LifecycleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sharedState.model = &ModelA();
        sharedState.writeCaps.featureReportByteLength = 8;
        sharedState.reportBuffer.fill(0);
        sharedState.writeHandle = mouse_;
        sharedState.devicePath = "virtual-mouse#col05";
    }
    void TearDown() override {
        sharedState.writeHandle = nullptr;
        sharedState.devicePath.clear();
    }

    std::shared_ptr<test::FakeHidDevice> mouse_ = std::make_shared<test::FakeHidDevice>();
};

TEST_F(LifecycleTest, ExitDriverSendsTheExitReportFirstAndEnds) {
    CPelmarDlg window;
    window.show();
    window.AddTrayIcon();
    window.ExitDriver();
    ASSERT_FALSE(mouse_->Features().empty());
    EXPECT_EQ(mouse_->Features().front(), (Report{0x07, 0x20, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(window.ended());
    EXPECT_EQ(window.trayIcon(), nullptr);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(LifecycleTest, ExitCommandsOfBothLanguagesEndTheProgram) {
    for (const int command : {32800, 32838}) {
        CPelmarDlg window;
        window.OnCommand(command);
        EXPECT_TRUE(window.ended()) << command;
    }
}

TEST_F(LifecycleTest, OnlyRemovalOfOurInterfaceEndsTheProgram) {
    const struct {
        DeviceChangeEvent event;
        DeviceChangeKind kind;
        const char* path;
        bool ends;
    } cases[] = {
        {DeviceChangeEvent::RemoveComplete, DeviceChangeKind::Interface, "virtual-mouse#col05",
         true},
        {DeviceChangeEvent::RemoveComplete, DeviceChangeKind::Interface, "VIRTUAL-MOUSE#COL05",
         true},
        {DeviceChangeEvent::RemoveComplete, DeviceChangeKind::Interface, "/dev/hidraw3", false},
        {DeviceChangeEvent::RemoveComplete, DeviceChangeKind::Volume, "virtual-mouse#col05", false},
        {DeviceChangeEvent::Arrival, DeviceChangeKind::Interface, "virtual-mouse#col05", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        CPelmarDlg window;
        window.OnDeviceChange({c.event, c.kind, c.path});
        EXPECT_EQ(window.ended(), c.ends);
    }
}

TEST_F(LifecycleTest, ClosingAndKeysNeverEndTheProgram) {
    CPelmarDlg window;
    window.show();
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_F10}) {
        QTest::keyClick(&window, key);
        EXPECT_TRUE(window.isVisible()) << key;
    }
    window.close();
    EXPECT_FALSE(window.ended());
    // Without a tray to return from, closing minimises instead of hiding.
    EXPECT_TRUE(window.isMinimized() || !window.isVisible());
    EXPECT_TRUE(mouse_->Features().empty());
}

TEST_F(LifecycleTest, AHiddenStartWithoutATrayLeavesTheWindowMinimised) {
    CPelmarDlg window;
    window.StartHidden();
    // The offscreen platform has no tray: hiding would leave no way back.
    EXPECT_TRUE(window.isMinimized());
    EXPECT_FALSE(window.ended());
}

TEST_F(LifecycleTest, TrayMenuFollowsTheLanguageLoaded) {
    CPelmarDlg window;
    window.LoadMenus(1);
    ASSERT_NE(window.trayMenu().Submenu(0), nullptr);
    EXPECT_EQ(window.trayMenu().Submenu(0)->actions().first()->text(), "Show Window");
    window.LoadMenus(0);
    EXPECT_EQ(window.trayMenu().Submenu(0)->actions().last()->text(),
              QString::fromUtf8("关闭驱动"));
    EXPECT_EQ(window.macroMenu().itemCount(), 23);
}

}  // namespace
}  // namespace pelmar
