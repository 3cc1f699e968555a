#pragma once

#include "model/pixel_block.h"

#include <QString>
#include <optional>

namespace vellicor {

// Puts pixels on the system clipboard twice over: exactly, in Vellicor's own type, and as a PNG
// image for other programs.
void PutPixelsOnClipboard(const PixelBlock& block);

// What a paste takes from the clipboard: Vellicor's own pixels when it holds them whole, else
// an image converted as Import PNG converts one; or why there is nothing to paste.
struct ClipboardPicture {
    std::optional<PixelBlock> block;
    QString refusal;
};
ClipboardPicture PixelsFromClipboard();

} // namespace vellicor
