#include <gtest/gtest.h>

#include "skin/AdvancedSettingAreas.h"

namespace pelmar {
namespace {

struct Settings {
    int dpiSpeed;
    int wheelSpeed;
    int fireTime;
    bool operator==(const Settings&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Settings& s) {
    return out << s.dpiSpeed << "/" << s.wheelSpeed << "/" << s.fireTime;
}

Settings Of(const Profile& profile) {
    return {profile.dpiSpeed, profile.wheelSpeed, profile.fireTime};
}

// The advanced page with its rapid-fire bar 100 pixels wide from x = 200.
SkinPage AdvancedPage() {
    SkinPage page;
    page.Reset(38);
    page.areas[30] = {200, 300, 100, 12};
    return page;
}

TEST(AdvancedSettingAreasTest, AreasSetSpeedsAndTheRapidFireInterval) {
    const struct {
        const char* what;
        int area;
        int x;
        Settings before;
        Settings after;
    } cases[] = {
        {"first pointer speed", 8, 0, {5, 5, 0}, {0, 5, 0}},
        {"last pointer speed", 17, 0, {5, 5, 0}, {9, 5, 0}},
        {"first wheel speed", 18, 0, {5, 5, 0}, {5, 0, 0}},
        {"last wheel speed", 27, 0, {5, 5, 0}, {5, 9, 0}},
        {"bar's left edge", 30, 200, {5, 5, 120}, {5, 5, 0}},
        {"bar's last pixel", 30, 299, {5, 5, 0}, {5, 5, 297}},
        {"bar's middle", 30, 250, {5, 5, 0}, {5, 5, 150}},
        {"plus", 31, 0, {5, 5, 10}, {5, 5, 11}},
        {"plus at the top", 31, 0, {5, 5, 300}, {5, 5, 300}},
        {"minus", 32, 0, {5, 5, 10}, {5, 5, 9}},
        {"minus at the bottom", 32, 0, {5, 5, 0}, {5, 5, 0}},
        {"another area", 28, 0, {5, 5, 10}, {5, 5, 10}},
    };
    const SkinPage page = AdvancedPage();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Profile profile;
        profile.dpiSpeed = static_cast<std::uint8_t>(c.before.dpiSpeed);
        profile.wheelSpeed = static_cast<std::uint8_t>(c.before.wheelSpeed);
        profile.fireTime = c.before.fireTime;
        EXPECT_EQ(PressAdvancedSettingArea(profile, page, c.area, c.x), c.area != 28);
        EXPECT_EQ(Of(profile), c.after);
    }
}

}  // namespace
}  // namespace pelmar
