#include "app/Model.h"

namespace pelmar {

namespace {

// Device codes of the DPI values, by the value chosen for a level.
constexpr std::array<std::uint8_t, 5> kDpiValueCodesA{0x06, 0x07, 0x0B, 0x0D, 0x0F};
constexpr std::array<std::uint8_t, 12> kDpiValueCodesB{0x01, 0x02, 0x03, 0x04, 0x05, 0x06,
                                                       0x07, 0x09, 0x0B, 0x0D, 0x0E, 0x0F};

}  // namespace

const Model& ModelA() {
    static constexpr Model model{
        .executableName = "pelmar",
        .brand = "Halvex",
        .englishTitle = "Halvex Gaming Mouse",
        .chineseTitle = "Halvex专业级宏定义游戏鼠标",
        .labelCounts = {99, 13, 51},
        .dpiValueCount = 5,
        .defaultDpiSet = {0, 1, 2, 4},
        .hasDpiSetButton = true,
        .minimumEventDelay = std::chrono::milliseconds(10),
        .dpiValueCodes = kDpiValueCodesA,
        .lightingReportByte = 0x3F,
        .inputReportId = std::nullopt,
        .otherReportStopsMacro = false,
        .reappliesOnPowerEvent = true,
    };
    return model;
}

const Model& ModelB() {
    static constexpr Model model{
        .executableName = "pelmar-b",
        .brand = "Drenn",
        .englishTitle = "Drenn GAMING MOUSE",
        .chineseTitle = "Drenn专业级宏定义游戏鼠标",
        .labelCounts = {124, 13, 52},
        .dpiValueCount = 12,
        .defaultDpiSet = {4, 6, 8, 10},
        .hasDpiSetButton = false,
        .minimumEventDelay = std::chrono::milliseconds(15),
        .dpiValueCodes = kDpiValueCodesB,
        .lightingReportByte = 0x7F,
        .inputReportId = 6,
        .otherReportStopsMacro = true,
        .reappliesOnPowerEvent = false,
    };
    return model;
}

}  // namespace pelmar
