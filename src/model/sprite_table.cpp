#include "sprite_table.h"

#include "rearrange.h"

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

std::vector<SpriteRecord> SpriteTable::TakeAt(std::span<const int> indexes) {
    records_.resize(static_cast<std::size_t>(spriteCount_)); // the spare record is no sprite
    std::vector<SpriteRecord> taken = vellicor::TakeAt(records_, indexes);
    spriteCount_ = static_cast<std::int16_t>(records_.size());
    if (records_.empty())
        records_.emplace_back();
    return taken;
}

void SpriteTable::PutAt(std::span<const int> indexes, std::vector<SpriteRecord> records) {
    assert(spriteCount_ + records.size() <= static_cast<std::size_t>(kMaxSprites));
    records_.resize(static_cast<std::size_t>(spriteCount_));
    vellicor::PutAt(records_, indexes, std::move(records));
    spriteCount_ = static_cast<std::int16_t>(records_.size());
    if (records_.empty())
        records_.emplace_back();
}

void SpriteTable::Reorder(std::span<const int> order) {
    if (spriteCount_ > 0)
        vellicor::Reorder(records_, order);
}

} // namespace vellicor
