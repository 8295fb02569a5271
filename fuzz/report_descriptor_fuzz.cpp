// Parses arbitrary bytes as a HID report descriptor and checks what must hold
// for every input: identifiers only for numbered descriptors, sorted and
// unique; a collection with input identifiers has an input length; parsing
// the same bytes twice gives the same result.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/hid/ReportDescriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const pelmar::ReportDescriptor descriptor = pelmar::ParseReportDescriptor(bytes);
    for (const pelmar::HidCollection& collection : descriptor.collections) {
        const auto& ids = collection.inputReportIds;
        if (!descriptor.numberedReports && !ids.empty()) {
            std::abort();
        }
        if (!std::is_sorted(ids.begin(), ids.end()) ||
            std::adjacent_find(ids.begin(), ids.end()) != ids.end()) {
            std::abort();
        }
        if (!ids.empty() && collection.caps.inputReportByteLength == 0) {
            std::abort();
        }
    }
    const pelmar::ReportDescriptor again = pelmar::ParseReportDescriptor(bytes);
    if (again.collections.size() != descriptor.collections.size() ||
        again.numberedReports != descriptor.numberedReports) {
        std::abort();
    }
    return 0;
}
