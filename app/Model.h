#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace pelmar {

// A DPI value code sent to the mouse and the DPI the window shows for it.
struct DpiDisplayValue {
    std::uint8_t code;
    int dpi;
};

// A colour of the window's own drawing, as red, green and blue.
struct RgbColour {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

// Size of a text font in pixels: its height and average character width.
struct PixelFontSize {
    int height;
    int width;
};

// Pixel sizes of the two fonts of the window's texts, by interface language.
struct PixelFontSizes {
    PixelFontSize english;
    PixelFontSize chinese;
};

// Everything that differs between the two device models built from this code.
// Code asks this record; it never tests which model it runs.
struct Model {
    std::string_view executableName;
    // Desktop identity of the installed program: the name of its desktop
    // entry, icon and autostart entry.
    std::string_view applicationId;
    std::string_view brand;         // brand word of the plug-in prompt
    std::string_view englishTitle;  // window title and tray tip, English interface
    std::string_view chineseTitle;  // window title and tray tip, Chinese interface
    // Label counts of the three page layout tables: main, colour, advanced.
    std::array<int, 3> labelCounts;
    int dpiValueCount;                          // DPI values offered per level
    std::array<std::uint8_t, 4> defaultDpiSet;  // built-in DPI value of each level
    bool hasDpiSetButton;  // the main page shows the chosen DPI value as a button index
    // Shortest wait the macro player makes after an event; shorter stored delays are raised.
    std::chrono::milliseconds minimumEventDelay;
    // Device code of each DPI value a level can be given (dpiValueCount
    // entries); a value beyond the table sends the last code.
    std::span<const std::uint8_t> dpiValueCodes;
    // The DPI the colour page shows for a code sent to the mouse; codes
    // without a row show otherDpiDisplayValue.
    std::span<const DpiDisplayValue> dpiDisplayValues;
    int otherDpiDisplayValue;
    std::uint8_t lightingReportByte;  // byte 2 of the lighting report
    // The listener examines only input reports with this identifier; without
    // one it examines every report.
    std::optional<std::uint8_t> inputReportId;
    // A report that is not a button event stops a running macro.
    bool otherReportStopsMacro;
    // The profile is applied again on every power event (before sleep and after resume).
    bool reappliesOnPowerEvent;
    // Last main-page area hit-tested while the main page is shown.
    int mainPageLastArea;
    // Main-page area of level 0's first DPI value; every level has a row of
    // dpiValueCount areas, the levels one after the other.
    int firstDpiValueArea;
    // First of the four main-page areas marking the current DPI level.
    int firstDpiLevelMarkerArea;
    // First of the six main-page hover frames of the button function labels.
    int firstButtonHoverFrameArea;
    // Colour of each level's DPI step cells, filled from the first step to
    // the chosen one; empty when the page shows a slider knob instead.
    std::span<const RgbColour> dpiStepColours;
    // The main page has the lighting on and off switches.
    bool hasLightingSwitch;
    // Frame label 1, the brand, is drawn in yellow.
    bool highlightsBrandLabel;
    // The captions of the DPI levels are drawn small, red when the level is
    // enabled and grey when not.
    bool dpiCaptionsShowEnabled;
    // The window's texts, the popups' and the warning's are drawn in two
    // fonts of these pixel sizes, created once at start-up; without them, in
    // 10-point fonts.
    std::optional<PixelFontSizes> pixelFonts;
    // The maker's web page, opened from the main page; empty when there is none.
    std::string_view makerUrl;
};

// The DPI the window shows for a value code sent to the mouse.
int DisplayedDpi(const Model& model, std::uint8_t code);

const Model& ModelA();
const Model& ModelB();

}  // namespace pelmar
