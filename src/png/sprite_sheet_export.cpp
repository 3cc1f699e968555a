#include "sprite_sheet_export.h"

#include "export/header_file.h"
#include "png_export.h"

#include <algorithm>
#include <vector>

namespace vellicor {
namespace {

// The sprites that go in the sheet, and the cells they go in, in sprite pixels.
struct Cells {
    std::vector<const SpriteRecord*> sprites;
    int columns = 0;
    int side = 0; // of the largest sprite

    Cells(const SpriteTable& table, std::span<const int> indexes, int wantedColumns) {
        for (const int index : indexes) {
            if (index < 0 || index >= table.SpriteCount())
                continue;
            const SpriteRecord& sprite = table.Record(index);
            if (sprite.Size > 0) {
                sprites.push_back(&sprite);
                side = std::max<int>(side, sprite.Size);
            }
        }
        columns = std::min(static_cast<int>(sprites.size()), std::max(wantedColumns, 0));
    }
    int Rows() const {
        return columns == 0 ? 0 : (static_cast<int>(sprites.size()) + columns - 1) / columns;
    }
    QSize Extent() const { return QSize(columns * side, Rows() * side); }

    // Transparent wherever no sprite is: the gaps beside a small sprite and the empty last cells.
    PlaneBits BitsAt(int x, int y) const {
        const auto cell = static_cast<std::size_t>(y / side * columns + x / side);
        if (cell < sprites.size()) {
            const SpriteRecord& sprite = *sprites[cell];
            const int spriteX = x % side;
            const int spriteY = y % side;
            if (spriteX < sprite.Size && spriteY < sprite.Size)
                return sprite.Bits(spriteX, spriteY);
        }
        return *BitsForColour(kTransparentCyan);
    }
};

std::optional<QString> Refusal(const Cells& cells, SheetLayout layout) {
    if (layout.columns < 1 || layout.columns > kMaxSheetColumns)
        return QStringLiteral("The number of columns %1 is not a whole number from 1 to %2.")
            .arg(layout.columns)
            .arg(kMaxSheetColumns);
    if (layout.scale < kMinPngScale || layout.scale > kMaxPngScale)
        return QStringLiteral("The scale %1 is not a whole number from %2 to %3.")
            .arg(layout.scale)
            .arg(kMinPngScale)
            .arg(kMaxPngScale);
    if (cells.sprites.empty())
        return QStringLiteral("None of the sprites has a size yet: choose 8, 16 or 32 first.");
    const qint64 width = qint64{cells.Extent().width()} * layout.scale;
    const qint64 height = qint64{cells.Extent().height()} * layout.scale;
    if (width > kMaxSheetExportSide || height > kMaxSheetExportSide)
        return QStringLiteral("The sheet would be %1 x %2 pixels, larger than %3 x %3; choose "
                              "other columns or a smaller scale.")
            .arg(width)
            .arg(height)
            .arg(kMaxSheetExportSide);
    return std::nullopt;
}

// Drawn pixel by pixel from the records: the only image made is the sheet's own.
QByteArray CellsPng(const Cells& cells, int scale) {
    return PixelsPngBytes(cells.Extent(), scale,
                          [&cells](int x, int y) { return cells.BitsAt(x, y); });
}

} // namespace

std::optional<QString> SheetExportRefusal(const SpriteTable& table, std::span<const int> indexes,
                                          SheetLayout layout) {
    return Refusal(Cells(table, indexes, layout.columns), layout);
}

QByteArray SheetPngBytes(const SpriteTable& table, std::span<const int> indexes,
                         SheetLayout layout) {
    const Cells cells(table, indexes, layout.columns);
    return Refusal(cells, layout) ? QByteArray() : CellsPng(cells, layout.scale);
}

std::optional<QString> SaveSpriteSheet(const QString& path, const SpriteTable& table,
                                       std::span<const int> indexes, SheetLayout layout) {
    const Cells cells(table, indexes, layout.columns);
    if (auto refusal = Refusal(cells, layout))
        return refusal;
    const QByteArray bytes = CellsPng(cells, layout.scale);
    if (bytes.isEmpty())
        return QStringLiteral("The image could not be encoded as PNG.");
    return WriteFileAtomically(path, bytes);
}

} // namespace vellicor
