#pragma once

#include "sprite_record.h"

#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <vector>

namespace vellicor {

// All sprites of the open project. It always holds at least one record: with no sprites
// the single spare record at index 0 becomes the first sprite's record.
class SpriteTable {
  public:
    static constexpr int kMaxSprites = std::numeric_limits<std::int16_t>::max();

    SpriteTable() { Reset(); }

    // Start-up and New Project alike: no sprites, one all-zero spare record.
    void Reset();

    std::int16_t SpriteCount() const { return spriteCount_; }
    bool IsFull() const { return spriteCount_ >= kMaxSprites; }

    // Appends a sprite at index SpriteCount() with the given name and returns that index.
    // The caller checks IsFull() first.
    int Append(std::string name);
    // Appends a whole record at index SpriteCount() and returns that index.
    int AppendRecord(SpriteRecord record);
    // Takes the sprites from `first` (at most SpriteCount()) to the end out of the table, in
    // order, leaving the spare record when none is left.
    std::vector<SpriteRecord> TakeFrom(int first);
    // Takes the sprites at `indexes` (ascending, each a sprite) out of the table, in order.
    std::vector<SpriteRecord> TakeAt(std::span<const int> indexes);
    // Puts `records` in so that records[k] ends at indexes[k] (ascending); the caller checks
    // that they fit.
    void PutAt(std::span<const int> indexes, std::vector<SpriteRecord> records);
    // The sprites in a new order: the one at order[i] goes to i (a permutation of them all).
    void Reorder(std::span<const int> order);

    SpriteRecord& Record(int index) { return records_.at(static_cast<std::size_t>(index)); }
    const SpriteRecord& Record(int index) const {
        return records_.at(static_cast<std::size_t>(index));
    }
    // Records held, spare included: max(1, SpriteCount()).
    int RecordCount() const { return static_cast<int>(records_.size()); }
    // The live sprites, in order.
    std::span<const SpriteRecord> Sprites() const {
        return {records_.data(), static_cast<std::size_t>(spriteCount_)};
    }

  private:
    std::vector<SpriteRecord> records_;
    std::int16_t spriteCount_ = 0;
};

} // namespace vellicor
