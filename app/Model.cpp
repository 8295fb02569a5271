#include "app/Model.h"

namespace pelmar {

namespace {

// Device codes of the DPI values, by the value chosen for a level.
constexpr std::array<std::uint8_t, 5> kDpiValueCodesA{0x06, 0x07, 0x0B, 0x0D, 0x0F};
constexpr std::array<std::uint8_t, 12> kDpiValueCodesB{0x01, 0x02, 0x03, 0x04, 0x05, 0x06,
                                                       0x07, 0x09, 0x0B, 0x0D, 0x0E, 0x0F};

// What the colour page shows for each code. Model A sends code 15 for its
// fifth value, 4800 DPI, as its sliders are labelled.
constexpr std::array<DpiDisplayValue, 6> kDpiDisplayValuesA{{
    {0x06, 1200},
    {0x07, 1600},
    {0x09, 2000},
    {0x0B, 2400},
    {0x0D, 3200},
    {0x0F, 4800},
}};
constexpr std::array<DpiDisplayValue, 11> kDpiDisplayValuesB{{
    {0x02, 400},
    {0x03, 600},
    {0x04, 800},
    {0x05, 1000},
    {0x06, 1200},
    {0x07, 1600},
    {0x09, 2000},
    {0x0B, 2400},
    {0x0D, 3200},
    {0x0E, 4000},
    {0x0F, 4800},
}};

// Fill of the chosen DPI steps, by level.
constexpr std::array<RgbColour, 4> kDpiStepColoursB{{
    {0, 0, 255},    // blue
    {255, 0, 255},  // magenta
    {255, 0, 0},    // red
    {128, 0, 255},  // violet
}};

}  // namespace

int DisplayedDpi(const Model& model, std::uint8_t code) {
    for (const DpiDisplayValue& row : model.dpiDisplayValues) {
        if (row.code == code) {
            return row.dpi;
        }
    }
    return model.otherDpiDisplayValue;
}

const Model& ModelA() {
    static constexpr Model model{
        .executableName = "pelmar",
        .applicationId = "org.pelmar.Pelmar",
        .brand = "Halvex",
        .englishTitle = "Halvex Gaming Mouse",
        .chineseTitle = "Halvex专业级宏定义游戏鼠标",
        .labelCounts = {99, 13, 51},
        .dpiValueCount = 5,
        .defaultDpiSet = {0, 1, 2, 4},
        .hasDpiSetButton = true,
        .minimumEventDelay = std::chrono::milliseconds(10),
        .dpiValueCodes = kDpiValueCodesA,
        .dpiDisplayValues = kDpiDisplayValuesA,
        .otherDpiDisplayValue = 800,
        .lightingReportByte = 0x3F,
        .inputReportId = std::nullopt,
        .otherReportStopsMacro = false,
        .reappliesOnPowerEvent = true,
        .mainPageLastArea = 79,
        .firstDpiValueArea = 60,
        .firstDpiLevelMarkerArea = 80,
        .firstButtonHoverFrameArea = 90,
        .dpiStepColours = {},
        .hasLightingSwitch = true,
        .highlightsBrandLabel = true,
        .dpiCaptionsShowEnabled = true,
        .pixelFonts = std::nullopt,
        .makerUrl = "https://www.halvex.com/",
    };
    return model;
}

const Model& ModelB() {
    static constexpr Model model{
        .executableName = "pelmar-b",
        .applicationId = "org.pelmar.PelmarB",
        .brand = "Drenn",
        .englishTitle = "Drenn GAMING MOUSE",
        .chineseTitle = "Drenn专业级宏定义游戏鼠标",
        .labelCounts = {124, 13, 52},
        .dpiValueCount = 12,
        .defaultDpiSet = {4, 6, 8, 10},
        .hasDpiSetButton = false,
        .minimumEventDelay = std::chrono::milliseconds(15),
        .dpiValueCodes = kDpiValueCodesB,
        .dpiDisplayValues = kDpiDisplayValuesB,
        .otherDpiDisplayValue = 200,
        .lightingReportByte = 0x7F,
        .inputReportId = 6,
        .otherReportStopsMacro = true,
        .reappliesOnPowerEvent = false,
        .mainPageLastArea = 114,
        .firstDpiValueArea = 66,
        .firstDpiLevelMarkerArea = 54,
        .firstButtonHoverFrameArea = 115,
        .dpiStepColours = kDpiStepColoursB,
        .hasLightingSwitch = false,
        .highlightsBrandLabel = false,
        .dpiCaptionsShowEnabled = false,
        .pixelFonts = PixelFontSizes{.english = {14, 7}, .chinese = {12, 6}},
        .makerUrl = "",
    };
    return model;
}

}  // namespace pelmar
