#include "skin/SkinPage.h"

namespace pelmar {

void SkinPage::Reset(int count) {
    const auto size = static_cast<std::size_t>(count > 0 ? count : 0);
    areas.assign(size, SkinRect{});
    labels.assign(size, std::string());
}

SkinRect SkinPage::Area(int index) const {
    if (index < 0 || index >= Count()) {
        return {};
    }
    return areas[static_cast<std::size_t>(index)];
}

std::string_view SkinPage::Label(int index) const {
    if (index < 0 || index >= Count()) {
        return {};
    }
    return labels[static_cast<std::size_t>(index)];
}

}  // namespace pelmar
