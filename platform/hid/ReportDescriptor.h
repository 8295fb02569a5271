#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/hid/HidCaps.h"

namespace pelmar {

// One top-level collection of a report descriptor.
struct HidCollection {
    HidCaps caps;
    // Identifiers of the collection's input reports, ascending; empty when
    // the device numbers no reports.
    std::vector<std::uint8_t> inputReportIds;
};

struct ReportDescriptor {
    // Whether reports carry an identifier byte (the descriptor has Report ID items).
    bool numberedReports = false;
    std::vector<HidCollection> collections;
};

// Parses a HID report descriptor into its top-level collections, with report
// lengths counted as the identifier byte plus the longest report of each type.
// Any byte sequence is accepted; what cannot be understood is skipped.
[[nodiscard]] ReportDescriptor ParseReportDescriptor(std::span<const std::uint8_t> bytes);

}  // namespace pelmar
