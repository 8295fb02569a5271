// Macro values come from macro files the user may have edited or imported: any text must
// decode without reading past the value or the record, and a decoded record must survive
// being written and read again.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "profile/MacroValue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view value(reinterpret_cast<const char*>(data), size);
    const pelmar::MacroRecord record = pelmar::DecodeMacroValue(value);
    const std::string written = pelmar::EncodeMacroValue(record);
    if (written.size() != pelmar::kMacroValueLength ||
        !(pelmar::DecodeMacroValue(written) == record)) {
        std::abort();
    }
    return 0;
}
