#include "sprite_table.h"

#include <cassert>
#include <utility>

namespace vellicor {

void SpriteTable::Reset() {
    spriteCount_ = 0;
    records_.assign(1, SpriteRecord{});
}

int SpriteTable::Append(std::string name) {
    assert(!IsFull());
    const int index = spriteCount_;
    records_.resize(static_cast<std::size_t>(index) + 1);
    records_[static_cast<std::size_t>(index)].Name = std::move(name);
    ++spriteCount_;
    return index;
}

} // namespace vellicor
