#pragma once

#include <cstdint>

namespace pelmar {

// Capabilities of one top-level HID collection. Report lengths count the
// report-identifier byte and are those of the longest report of each type in
// the collection; 0 when the collection has none of that type.
struct HidCaps {
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    std::uint16_t inputReportByteLength = 0;
    std::uint16_t outputReportByteLength = 0;
    std::uint16_t featureReportByteLength = 0;
};

}  // namespace pelmar
