#pragma once

#include "model/sprite_table.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <span>

namespace vellicor {

constexpr int kMaxSheetColumns = 256;
// The widest and tallest sheet written. The largest project, 32767 sprites of 32 pixels, fits at
// scale 1 in 256 columns (8192 x 4096), and the image is at most 256 MB while it is encoded.
constexpr int kMaxSheetExportSide = 8192;

// How the sprites are laid out: cells per row, and each sprite pixel as a scale x scale square
// (kMinPngScale to kMaxPngScale).
struct SheetLayout {
    int columns = 16;
    int scale = 1;
};

// Why the sprites of `indexes` make no sheet: none has a size, the columns or the scale are out
// of range, or the image would be wider or taller than kMaxSheetExportSide; nullopt when they do.
std::optional<QString> SheetExportRefusal(const SpriteTable& table, std::span<const int> indexes,
                                          SheetLayout layout);

// The sprites of `indexes` (ascending table indexes; those without a size are left out) in one
// PNG: left to right, then down, min(columns, count) cells wide. Each cell is as large as the
// largest sprite, a smaller sprite sits at its top left; the greys are exactly the palette's,
// and transparent pixels and every pixel outside a sprite have alpha 0. Empty when refused.
QByteArray SheetPngBytes(const SpriteTable& table, std::span<const int> indexes,
                         SheetLayout layout);

// Writes the sheet atomically; returns the refusal or the reason the write failed.
std::optional<QString> SaveSpriteSheet(const QString& path, const SpriteTable& table,
                                       std::span<const int> indexes, SheetLayout layout);

} // namespace vellicor
