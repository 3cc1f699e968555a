#pragma once

#include "model/pixel_block.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace vellicor {

// The clipboard's own type: the exact plane bits, so a copy and a paste lose nothing, between
// windows and between running Vellicors alike.
inline constexpr char kPixelClipType[] = "application/x-vellicor-pixels";

// "VLCP", a version byte, width and height (1 to 32), then one byte per pixel, row by row:
// light 1, dark 2, mask 4.
QByteArray PixelClipBytes(const PixelBlock& block);
// The block those bytes hold; nullopt unless every byte is as PixelClipBytes writes them.
std::optional<PixelBlock> PixelsFromClip(const QByteArray& bytes);

// The block as other programs take it: a PNG of its size, transparent pixels transparent.
QByteArray PixelClipPng(const PixelBlock& block);

// An image from another program, read by the rules of Import PNG; or why it was refused.
struct ClipImage {
    std::optional<PixelBlock> block;
    QString error;
};
ClipImage PixelsFromPng(const QByteArray& png);

} // namespace vellicor
