#include "skin/HitTest.h"

#include <algorithm>

#include "app/SharedState.h"

namespace pelmar {

std::int32_t HitTestPage(std::int64_t x, std::int64_t y, const SkinPage& page, int last) {
    const int end = std::min(last, page.Count() - 1);
    for (int i = 0; i <= end; ++i) {
        if (page.Area(i).Contains(x, y)) {
            return i;
        }
    }
    return kNoArea;
}

}  // namespace pelmar
