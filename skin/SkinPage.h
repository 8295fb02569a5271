#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "skin/SkinRect.h"

namespace pelmar {

// The areas of one skinned page and the label of each, index for index. The
// table length is fixed by the page and the model; a reload overwrites it.
struct SkinPage {
    std::vector<SkinRect> areas;
    std::vector<std::string> labels;

    // Empties the page and gives it `count` empty areas and labels.
    void Reset(int count);
    int Count() const { return static_cast<int>(areas.size()); }
    // Bounded access: an index outside the table gives an empty area and an
    // empty label, so a value read from a settings file never reads past it.
    SkinRect Area(int index) const;
    std::string_view Label(int index) const;
};

}  // namespace pelmar
