#pragma once

#include "model/colour_table.h"
#include "model/sprite_record.h"

#include <QString>
#include <algorithm>

// A pixel as one letter, in the palette's order: Black, Dark grey, Light grey, White, Transparent.
inline char Letter(vellicor::PlaneBits bits) {
    const vellicor::Rgb* colours = vellicor::kPaletteColours;
    return "BDLWT"[std::find(colours, colours + 5, vellicor::ColourForBits(bits)) - colours];
}

// Row y of all 32 x 32 pixels as letters.
inline QString RowLetters(const vellicor::SpriteRecord& sprite, int y) {
    QString row;
    for (int x = 0; x < vellicor::kPlaneSide; ++x)
        row += Letter(sprite.Bits(x, y));
    return row;
}
