#include "profile/FunctionCodes.h"

#include <array>

namespace pelmar {

namespace {

// Ranges of stored codes. Mouse functions send a device code derived from the
// code; everything the program performs itself sends device code 0.
struct FunctionRange {
    std::int32_t first;
    std::int32_t last;
    FunctionKind kind;
    std::int32_t deviceCodeOffset;  // device code = code - offset (mouse functions)
};

constexpr std::array kFunctionRanges{
    FunctionRange{1, 6, FunctionKind::MouseFunction, 0},
    FunctionRange{11, 17, FunctionKind::MouseFunction, 4},
    FunctionRange{21, 30, FunctionKind::MultimediaKey, 0},
    FunctionRange{31, 38, FunctionKind::BuiltInMacro, 0},
    FunctionRange{39, 39, FunctionKind::Calculator, 0},
    FunctionRange{40, 40, FunctionKind::Terminal, 0},
    FunctionRange{41, 52, FunctionKind::UserMacro, 0},
};

// Consumer-page usages of the multimedia keys, codes 21 to 30: home, consumer
// control configuration, e-mail, volume up, volume down, previous track, next
// track, mute, play/pause, calculator.
constexpr std::array<std::uint16_t, 10> kConsumerUsages{
    0x0223, 0x0183, 0x018A, 0x00E9, 0x00EA, 0x00B6, 0x00B5, 0x00E2, 0x00CD, 0x0192,
};

// Mouse functions whose effect the program follows: the three DPI functions
// and the report-rate switch.
struct FollowedFunction {
    std::int32_t code;
    FollowedChange change;
};
constexpr std::array kFollowedFunctions{
    FollowedFunction{6, FollowedChange::DpiLevel},
    FollowedFunction{14, FollowedChange::ReportRate},
    FollowedFunction{15, FollowedChange::DpiLevel},
    FollowedFunction{16, FollowedChange::DpiLevel},
};

}  // namespace

FunctionInfo DescribeFunction(std::int32_t code) {
    for (const FunctionRange& range : kFunctionRanges) {
        if (code < range.first || code > range.last) {
            continue;
        }
        FunctionInfo info{.kind = range.kind, .tableIndex = code - range.first};
        if (range.kind == FunctionKind::MouseFunction) {
            info.deviceCode = static_cast<std::uint8_t>(code - range.deviceCodeOffset);
            for (const FollowedFunction& followed : kFollowedFunctions) {
                if (followed.code == code) {
                    info.followed = followed.change;
                }
            }
        }
        if (range.kind == FunctionKind::MultimediaKey) {
            info.consumerUsage = kConsumerUsages[static_cast<std::size_t>(info.tableIndex)];
        }
        return info;
    }
    return {};
}

}  // namespace pelmar
