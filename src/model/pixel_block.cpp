#include "pixel_block.h"

#include <algorithm>

namespace vellicor {

PixelBlock CopyCells(const SpriteRecord& record, QRect cells) {
    PixelBlock block{cells.width(), cells.height(), {}};
    block.bits.reserve(static_cast<std::size_t>(std::max(0, block.width * block.height)));
    for (int y = cells.top(); y <= cells.bottom(); ++y)
        for (int x = cells.left(); x <= cells.right(); ++x)
            block.bits.push_back(record.Bits(x, y));
    return block;
}

SpriteRecord SpriteOfBlock(const PixelBlock& block) {
    SpriteRecord sprite;
    const int side = std::max(block.width, block.height);
    sprite.Size = static_cast<std::int16_t>(side <= 8 ? 8 : side <= 16 ? 16 : kPlaneSide);
    for (int y = 0; y < std::min(block.height, kPlaneSide); ++y)
        for (int x = 0; x < std::min(block.width, kPlaneSide); ++x)
            sprite.SetBits(x, y, block.At(x, y));
    return sprite;
}

} // namespace vellicor
