#pragma once

#include "sprite_record.h"

#include <QRect>
#include <vector>

namespace vellicor {

// A rectangle of pixels lifted out of a sprite, by their exact plane bits: what a selection
// moves, the clipboard carries and a paste puts down.
struct PixelBlock {
    int width = 0;
    int height = 0;
    std::vector<PlaneBits> bits; // row by row, width * height of them

    bool IsEmpty() const { return width <= 0 || height <= 0; }
    PlaneBits At(int x, int y) const { return bits[static_cast<std::size_t>(y * width + x)]; }
    friend bool operator==(const PixelBlock&, const PixelBlock&) = default;
};

// The pixels of `cells` of the sprite, which lie within its planes.
PixelBlock CopyCells(const SpriteRecord& record, QRect cells);

// A sprite of the smallest size of 8, 16 or 32 that holds the block, its pixels at the top
// left and white elsewhere, as a blank sprite is.
SpriteRecord SpriteOfBlock(const PixelBlock& block);

} // namespace vellicor
