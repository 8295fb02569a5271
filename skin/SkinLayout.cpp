#include "skin/SkinLayout.h"

namespace pelmar {

std::string_view SkinLayout::FunctionName(std::int32_t code) const {
    if (code < 0 || code > kFunctionNameCount) {
        return {};
    }
    return functionNames[static_cast<std::size_t>(code)];
}

}  // namespace pelmar
