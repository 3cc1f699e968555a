#pragma once

#include <QImage>

namespace vellicor {

struct SpriteRecord;

// The sprite at its size, one image pixel per cell, coloured as the palette shows them
// (transparent pixels cyan); a null image while it has no size. The previews draw it scaled.
QImage SpritePicture(const SpriteRecord& record);
// The same, with the transparent pixels left out: what shows of the sprite through another.
QImage SpriteMarks(const SpriteRecord& record);

} // namespace vellicor
