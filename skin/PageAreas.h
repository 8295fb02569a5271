#pragma once

namespace pelmar {

// Areas 0 to 19 of the main page's table frame every page: hit-tested,
// highlighted and labelled on all three.
inline constexpr int kFrameAreaCount = 20;

// Frame areas with a role of their own.
namespace frame_area {
inline constexpr int kFirstProfile = 4;  // profiles 1 to 5 are areas 4 to 8
inline constexpr int kMainTab = 9;
inline constexpr int kAdvancedTab = 10;
inline constexpr int kColourTab = 11;
inline constexpr int kChinese = 17;
inline constexpr int kEnglish = 18;
}  // namespace frame_area

// Main page: the function labels of mouse buttons 1 to 6.
inline constexpr int kFirstButtonArea = 25;
inline constexpr int kLastButtonArea = 30;

}  // namespace pelmar
