#pragma once

#include <cstdint>

namespace pelmar {

// What a button function code stored in a profile makes the button do.
enum class FunctionKind {
    None,           // no function
    MouseFunction,  // performed by the mouse itself
    MultimediaKey,  // consumer-page usage sent by the program
    BuiltInMacro,   // built-in macro played by the program
    Calculator,     // the program starts the calculator
    Terminal,       // the program starts a terminal
    UserMacro,      // recorded macro played by the program
};

// A change the mouse makes on its own when the button is pressed and reports,
// so that the program follows it.
enum class FollowedChange {
    None,
    DpiLevel,    // the mouse switches the DPI level and reports the new level
    ReportRate,  // the mouse steps its report rate
};

struct FunctionInfo {
    FunctionKind kind = FunctionKind::None;
    std::uint8_t deviceCode = 0;      // function number sent to the mouse for the button
    std::uint16_t consumerUsage = 0;  // multimedia keys only
    int tableIndex = 0;  // record index for macros, 0 to 11 (user) or 0 to 7 (built-in)
    FollowedChange followed = FollowedChange::None;
};

// Describes any int32 code; codes the program never stores give no function.
FunctionInfo DescribeFunction(std::int32_t code);

// Function codes with a meaning of their own.
inline constexpr std::int32_t kLeftClickCode = 1;
inline constexpr std::int32_t kDpiSwitchCode = 6;
inline constexpr std::int32_t kReportRateCode = 14;
inline constexpr std::int32_t kFirstUserMacroCode = 41;
inline constexpr std::int32_t kFirstBuiltInMacroCode = 31;

}  // namespace pelmar
