#include "sprite_record.h"

#include <algorithm>

namespace vellicor {

bool Plane::IsClear() const {
    return std::all_of(rows_.begin(), rows_.end(), [](std::uint32_t row) { return row == 0; });
}

} // namespace vellicor
