#include "sprite_table.h"

#include <cassert>
#include <iterator>
#include <utility>

namespace vellicor {

void SpriteTable::Reset() {
    spriteCount_ = 0;
    records_.assign(1, SpriteRecord{});
}

int SpriteTable::Append(std::string name) {
    SpriteRecord record;
    record.Name = std::move(name);
    return AppendRecord(std::move(record));
}

int SpriteTable::AppendRecord(SpriteRecord record) {
    assert(!IsFull());
    const int index = spriteCount_;
    records_.resize(static_cast<std::size_t>(index) + 1);
    records_[static_cast<std::size_t>(index)] = std::move(record);
    ++spriteCount_;
    return index;
}

std::vector<SpriteRecord> SpriteTable::TakeFrom(int first) {
    assert(first >= 0 && first <= spriteCount_);
    const auto begin = records_.begin() + first;
    const auto end = records_.begin() + spriteCount_;
    std::vector<SpriteRecord> taken(std::make_move_iterator(begin), std::make_move_iterator(end));
    records_.erase(begin, records_.end());
    spriteCount_ = static_cast<std::int16_t>(first);
    if (records_.empty())
        records_.emplace_back(); // the spare record, all zero
    return taken;
}

} // namespace vellicor
