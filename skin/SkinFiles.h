#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace pelmar {

// The four layout files below the skin folder, each in an English and a
// Chinese variant.
enum class LayoutFile : std::uint8_t { Main, Colour, Advanced, Warning };

struct LayoutFileName {
    std::string_view english;
    std::string_view chinese;
};

// Indexed by LayoutFile.
inline constexpr std::array<LayoutFileName, 4> kLayoutFileNames{{
    {"INI_EN/skin_main_en.ini", "INI_CN/skin_main.ini"},
    {"INI_EN/skin_color_en.ini", "INI_CN/skin_color.ini"},
    {"INI_EN/skin_advance_en.ini", "INI_CN/skin_advance.ini"},
    {"INI_EN/LBWarning_en.ini", "INI_CN/LBWarning.ini"},
}};

// The layout file of the interface language: English when languageEnglish is
// nonzero, Chinese otherwise.
std::filesystem::path LayoutFilePath(const std::filesystem::path& skinFolder, LayoutFile file,
                                     std::int32_t languageEnglish);

// The three looks of a skinned page or popup, full pictures of one size.
struct LookImages {
    std::string_view normal;
    std::string_view over;
    std::string_view down;
};

// Images in the skin folder, the same for both languages.
namespace skin_images {

inline constexpr std::string_view kMainMask = "main_mask.jpg";
inline constexpr LookImages kMainPage{"main_normal.jpg", "main_over.jpg", "main_down.jpg"};
inline constexpr LookImages kAdvancedPage{"advanced_normal.jpg", "advanced_over.jpg",
                                          "advanced_down.jpg"};
// The colour page's looks also show the lighting preview in pink, red and
// purple; two more pictures hold its grey (unlit) and blue looks.
inline constexpr LookImages kColourPage{"color_normal_pink.jpg", "color_over_red.jpg",
                                        "color_down_purple.jpg"};
inline constexpr std::string_view kColourPreviewGrey = "color_normal_gray.jpg";
inline constexpr std::string_view kColourPreviewBlue = "color_over_blue.jpg";
// Its top-left corner is the knob of the main page's DPI sliders.
inline constexpr std::string_view kDpiSlider = "dpi_slider.jpg";

// Function-choice popups: the mask gives only the size (ten rows, twelve in
// the second level).
inline constexpr std::string_view kMenuMask = "menu_mask.jpg";
inline constexpr LookImages kMenu{"menu_normal.jpg", "menu_over.jpg", "menu_down.jpg"};
inline constexpr std::string_view kSubMenuMask = "advanced menu_mask.jpg";
inline constexpr LookImages kSubMenu{"advanced menu_normal.jpg", "advanced menu_over.jpg",
                                     "advanced menu_down.jpg"};
inline constexpr int kMenuRows = 10;
inline constexpr int kSubMenuRows = 12;

// Left-button warning dialog: shape, picture, and the look of a hovered button.
inline constexpr std::string_view kWarningMask = "warning_mask.jpg";
inline constexpr std::string_view kWarningNormal = "warning_normal.jpg";
inline constexpr std::string_view kWarningOver = "warning_over.jpg";

}  // namespace skin_images

}  // namespace pelmar
