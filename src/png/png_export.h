#pragma once

#include "model/sprite_record.h"

#include <QByteArray>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>

namespace vellicor {

// Each sprite pixel becomes a square of scale x scale image pixels.
constexpr int kMinPngScale = 1;
constexpr int kMaxPngScale = 32;

// Why the sprite cannot become an image (it has no size yet); nullopt when it can.
std::optional<QString> PngExportRefusal(const SpriteRecord& sprite);

// The sprite's Size x Size pixels as a PNG image, each a scale x scale square: the greys exactly
// as the palette, transparent pixels with alpha 0. Empty when the sprite has no size or the scale
// is outside 1..32. libpng writes it, so writing an image needs no GUI library.
QByteArray SpritePngBytes(const SpriteRecord& sprite, int scale);
// The same for any rectangle of pixels, `bitsAt` giving each of its size's pixels.
QByteArray PixelsPngBytes(QSize extent, int scale,
                          const std::function<PlaneBits(int, int)>& bitsAt);

// Writes the PNG atomically; returns the reason on failure, with the file left as it was.
std::optional<QString> SaveSpritePng(const QString& path, const SpriteRecord& sprite, int scale);

} // namespace vellicor
