// The main page used with the real pointer on an X server, against the real
// executable and the virtual mouse: what the mouse is sent and what
// config.ini holds afterwards.
#include <gtest/gtest.h>

#include <QThread>
#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "tests/e2e/DesktopSession.h"

namespace pelmar::test {
namespace {

// Main-page areas, by the layout file's numbering.
constexpr int kHide = 2;
constexpr int kApply = 3;
constexpr int kProfile4 = 7;
constexpr int kClose = 13;
constexpr int kRestoreDefaults = 16;
constexpr int kWheelReverse = 42;
constexpr int kLevel2Switch = 47;
constexpr int kLevel4Switch = 49;
constexpr int kLevel2Stop3 = 67;

class PagesDesktopTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string missing = DesktopSession::MissingTools();
        if (!missing.empty()) {
            GTEST_SKIP() << "not installed: " << missing;
        }
    }

    void StartSession() { ASSERT_TRUE(session_.Start()) << session_.error(); }

    // The reports sent from now on.
    void Mark() { mark_ = session_.Reports().size(); }
    std::vector<std::string> Sent() const {
        const auto all = session_.Reports();
        return {all.begin() + static_cast<std::ptrdiff_t>(std::min(mark_, all.size())), all.end()};
    }
    // Waits until the reports sent since the mark hold every one of
    // `expected`, given by their leading bytes: the bytes a command does not
    // list keep what the report before left in them.
    ::testing::AssertionResult WaitForReports(const std::vector<std::string>& expected) {
        const auto holdsAll = [&] {
            const auto sent = Sent();
            return std::all_of(expected.begin(), expected.end(), [&](const std::string& head) {
                return std::any_of(sent.begin(), sent.end(),
                                   [&](const std::string& r) { return r.starts_with(head); });
            });
        };
        if (WaitUntil(holdsAll)) {
            return ::testing::AssertionSuccess();
        }
        auto failure = ::testing::AssertionFailure() << "sent:";
        for (const auto& report : Sent()) {
            failure << "\n  " << report;
        }
        return failure;
    }
    ::testing::AssertionResult WaitForKey(const std::string& section, const std::string& key,
                                          const std::string& value) {
        if (WaitUntil([&] { return session_.Section(section)[key] == value; })) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure()
               << section << " " << key << " is " << session_.Section(section)[key];
    }
    // Applies and waits for the report that ends an apply (rapid fire).
    void Apply(const std::vector<std::string>& expected) {
        Mark();
        session_.Click(kApply);
        EXPECT_TRUE(WaitForReports(expected));
    }

    DesktopSession session_;
    std::size_t mark_ = 0;
};

TEST_F(PagesDesktopTest, DpiSwitchesAndSliderStopsReachTheMouseOnApply) {
    StartSession();
    // Levels 2 and 4 off: enable mask 0101.
    session_.Click(kLevel2Switch);
    session_.Click(kLevel4Switch);
    Apply({"07 09 40 68 05", "07 09 40 79 05", "07 09 40 ba 05", "07 09 40 fb 05"});

    // Level 4 on again (mask 1101) and level 2 given its third value (code 0x0B).
    session_.Click(kLevel4Switch);
    session_.Click(kLevel2Stop3);
    Apply({"07 09 40 b9 0d", "07 09 40 fb 0d"});
    EXPECT_EQ(session_.Section("Config1")["DPI_SET1"], "2");
    EXPECT_EQ(session_.Section("Config1")["DPI_SET_EN1"], "0");
}

TEST_F(PagesDesktopTest, SelectedProfileIsSentAndBecomesCurrentOnApply) {
    StartSession();
    session_.Click(kProfile4);
    QThread::msleep(200);
    EXPECT_EQ(session_.Section("Init")["CurConfig"], "1") << "selecting alone writes nothing";
    // Profile 4 gives buttons 4 to 6 functions the program performs (device
    // code 0) and flashing lighting (code 3).
    Apply({"07 10 05 00", "07 10 04 00", "07 10 06 00", "07 13 3f 13"});
    EXPECT_TRUE(WaitForKey("Init", "CurConfig", "4"));
}

TEST_F(PagesDesktopTest, HideReturnsToTheAppliedSettingsWhileCloseKeepsTheEdits) {
    StartSession();
    // An edit that is not applied, then a DPI switch made on the mouse itself
    // (button 6 is its DPI button), which the program follows.
    session_.Click(kWheelReverse);
    session_.Control("click 6");
    ASSERT_TRUE(WaitForKey("Config1", "DPI_LEVEL", "1"));

    session_.Click(kHide);
    EXPECT_TRUE(WaitForKey("Config6", "DPI_LEVEL", "1"));
    ASSERT_TRUE(session_.StartSecondInstance());
    Apply({"07 11 00 00", "07 09 41 68 0f"});

    session_.Click(kWheelReverse);
    session_.Click(kClose);
    ASSERT_TRUE(session_.StartSecondInstance());
    Apply({"07 11 01 00"});
}

TEST_F(PagesDesktopTest, RestoreDefaultsRewritesTheFiveProfilesAndApplies) {
    // Every profile changed from what it restores to.
    std::string config;
    {
        std::ifstream in(session_.configPath());
        config.assign(std::istreambuf_iterator<char>(in), {});
    }
    for (std::size_t at = 0; (at = config.find("FIRE_TIME=", at)) != std::string::npos; ++at) {
        config.replace(at, config.find('\n', at) - at, "FIRE_TIME=299");
    }
    std::ofstream(session_.configPath()) << config;
    StartSession();
    ASSERT_EQ(session_.Section("Config1")["FIRE_TIME"], "299");

    Mark();
    session_.Click(kRestoreDefaults);
    // Profile 1's built-in values applied: buttons 1, 2, 3, 5, 4, 6, rapid fire 50 / 8.
    EXPECT_TRUE(WaitForReports({"07 10 05 05", "07 09 40 fb 0f", "07 12 00 06 00 00 00 00"}));
    const std::map<std::string, std::string> builtIn{
        {"K0", "1"},          {"K1", "2"},         {"K2", "3"},          {"K3", "5"},
        {"K4", "4"},          {"K5", "6"},         {"DPI_LEVEL", "0"},   {"WHEEL_STATUS", "0"},
        {"MACRO_MODE2", "0"}, {"DPI_SET0", "0"},   {"DPI_SET_EN0", "1"}, {"DPI_SET1", "1"},
        {"DPI_SET_EN1", "1"}, {"DPI_SET2", "2"},   {"DPI_SET_EN2", "1"}, {"DPI_SET3", "4"},
        {"DPI_SET_EN3", "1"}, {"LED_STATUS", "0"}, {"DPI_SPEED", "4"},   {"WHEEL_SPEED", "2"},
        {"USB_SPEED", "2"},   {"FIRE_TIME", "50"},
    };
    EXPECT_EQ(session_.Section("Config1"), builtIn);
    EXPECT_EQ(session_.Section("Config6"), builtIn);
    // The interface is English: profile 5 from the English template.
    const char* templates[] = {"CfgReset2", "CfgReset3", "CfgReset4", "CfgReset_EN5"};
    for (int n = 2; n <= 5; ++n) {
        EXPECT_EQ(session_.Section("Config" + std::to_string(n)),
                  session_.Section(templates[n - 2]))
            << n;
    }
}

TEST_F(PagesDesktopTest, PressOutsideEveryAreaMovesTheWindow) {
    StartSession();
    const QPoint start = session_.WindowPosition();
    // In the window's shape, between the web page link and the cancel button.
    const QPoint grab = start + QPoint(300, 600);
    session_.MoveTo(grab);
    session_.ButtonDown();
    session_.MoveTo(grab + QPoint(20, 10));
    session_.MoveTo(grab + QPoint(40, 30));
    session_.ButtonUp();
    EXPECT_TRUE(WaitUntil([&] { return session_.WindowPosition() == start + QPoint(40, 30); }))
        << session_.WindowPosition().x() << "," << session_.WindowPosition().y();
}

}  // namespace
}  // namespace pelmar::test
