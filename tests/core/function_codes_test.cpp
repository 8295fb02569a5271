#include <gtest/gtest.h>

#include "profile/FunctionCodes.h"

namespace pelmar {
namespace {

TEST(FunctionCodesTest, EveryRangeMapsToItsKindAndDeviceCode) {
    const struct {
        std::int32_t code;
        FunctionKind kind;
        std::uint8_t deviceCode;
        std::uint16_t usage;
        int index;
    } cases[] = {
        {0, FunctionKind::None, 0, 0, 0},
        {1, FunctionKind::MouseFunction, 1, 0, 0},
        {6, FunctionKind::MouseFunction, 6, 0, 5},
        {7, FunctionKind::None, 0, 0, 0},
        {10, FunctionKind::None, 0, 0, 0},
        {11, FunctionKind::MouseFunction, 7, 0, 0},
        {14, FunctionKind::MouseFunction, 10, 0, 3},
        {16, FunctionKind::MouseFunction, 12, 0, 5},
        {17, FunctionKind::MouseFunction, 13, 0, 6},
        {18, FunctionKind::None, 0, 0, 0},
        {21, FunctionKind::MultimediaKey, 0, 0x0223, 0},
        {24, FunctionKind::MultimediaKey, 0, 0x00E9, 3},
        {30, FunctionKind::MultimediaKey, 0, 0x0192, 9},
        {31, FunctionKind::BuiltInMacro, 0, 0, 0},
        {38, FunctionKind::BuiltInMacro, 0, 0, 7},
        {39, FunctionKind::Calculator, 0, 0, 0},
        {40, FunctionKind::Terminal, 0, 0, 0},
        {41, FunctionKind::UserMacro, 0, 0, 0},
        {52, FunctionKind::UserMacro, 0, 0, 11},
        {53, FunctionKind::None, 0, 0, 0},
        {-1, FunctionKind::None, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        const FunctionInfo info = DescribeFunction(c.code);
        EXPECT_EQ(info.kind, c.kind);
        EXPECT_EQ(info.deviceCode, c.deviceCode);
        EXPECT_EQ(info.consumerUsage, c.usage);
        if (c.kind != FunctionKind::None) {
            EXPECT_EQ(info.tableIndex, c.index);
        }
    }
}

TEST(FunctionCodesTest, OnlyDpiFunctionsAndTheRateSwitchAreFollowed) {
    for (std::int32_t code = -1; code <= 53; ++code) {
        SCOPED_TRACE(code);
        const FollowedChange expected = code == 6 || code == 15 || code == 16
                                            ? FollowedChange::DpiLevel
                                        : code == 14 ? FollowedChange::ReportRate
                                                     : FollowedChange::None;
        EXPECT_EQ(DescribeFunction(code).followed, expected);
    }
}

}  // namespace
}  // namespace pelmar
