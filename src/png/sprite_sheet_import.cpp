#include "sprite_sheet_import.h"

#include "model/name_rules.h"
#include "model/sprite_table.h"
#include "png_container.h"
#include "png_decode.h"
#include "png_import.h"

#include <QRect>
#include <algorithm>

namespace vellicor {
namespace {

// A 4096 x 4096 image of 16-bit RGBA stored without compression takes 128 MB; anything larger
// is not a sheet Vellicor can read.
constexpr qint64 kMaxSheetFileBytes = qint64{160} * 1024 * 1024;

QString NotPng() {
    return QStringLiteral("It is not a PNG image, or it is damaged.");
}

SheetImport Refused(const QString& reason) {
    return {{}, reason};
}

std::optional<QString> TileRefusal(int tile) {
    if (tile == 8 || tile == 16 || tile == 32)
        return std::nullopt;
    return QStringLiteral("The tile size %1 is not 8, 16 or 32 pixels.").arg(tile);
}

QString TooMany(qsizetype tiles, SheetCut cut, int room) {
    return QStringLiteral("The sheet makes %1 %2sprites of %3 x %3 pixels, but the project has "
                          "room for %4 more (at most %5 in all).")
        .arg(tiles)
        .arg(cut.skipEmpty ? QStringLiteral("non-empty ") : QString())
        .arg(cut.tile)
        .arg(room)
        .arg(SpriteTable::kMaxSprites);
}

// The tiles of a sheet, counted as the edge tiles are kept: partly covered ones too.
struct Grid {
    QSize image;
    int tile;
    int Columns() const { return (image.width() + tile - 1) / tile; }
    int Rows() const { return (image.height() + tile - 1) / tile; }
    int Count() const { return Columns() * Rows(); }
    // The image pixels that tile `index` covers, counted row by row.
    QRect Area(int index) const {
        const QRect whole(index % Columns() * tile, index / Columns() * tile, tile, tile);
        return whole.intersected(QRect(QPoint(0, 0), image));
    }
};

const std::uint8_t* PixelAt(const PngPixels& pixels, int x, int y) {
    return pixels.rgba.data() + (static_cast<std::size_t>(y) * pixels.size.width() + x) * 4;
}

bool IsEmpty(const PngPixels& pixels, QRect area) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const std::uint8_t* sample = PixelAt(pixels, area.left(), y);
        for (int x = 0; x < area.width(); ++x, sample += 4)
            if (!ImportsTransparent(sample))
                return false;
    }
    return true;
}

// A new record's planes are clear, which is white: the part beyond the image stays so.
SpriteRecord TileSprite(const PngPixels& pixels, QRect area, int tile) {
    SpriteRecord sprite;
    sprite.Size = static_cast<std::int16_t>(tile);
    for (int y = 0; y < area.height(); ++y) {
        const std::uint8_t* sample = PixelAt(pixels, area.left(), area.top() + y);
        for (int x = 0; x < area.width(); ++x, sample += 4)
            sprite.SetBits(x, y, ImportedBits(sample));
    }
    return sprite;
}

std::variant<SheetFile, QString> CheckSheet(QByteArray bytes) {
    if (bytes.size() > kMaxSheetFileBytes)
        return QStringLiteral("The file is too large for a sprite sheet (over %1 MB).")
            .arg(kMaxSheetFileBytes / (1024 * 1024));
    const std::optional<QSize> size = IsWholePng(bytes) ? PngHeaderSize(bytes) : std::nullopt;
    if (!size)
        return NotPng();
    if (size->width() > kMaxSheetSide || size->height() > kMaxSheetSide)
        return QStringLiteral("The image is %1 x %2 pixels; a sprite sheet is at most %3 x %3.")
            .arg(size->width())
            .arg(size->height())
            .arg(kMaxSheetSide);
    return SheetFile{std::move(bytes), *size};
}

SheetImport RefusedOr(const std::variant<SheetFile, QString>& sheet, SheetCut cut, int roomLeft) {
    if (const auto* reason = std::get_if<QString>(&sheet))
        return Refused(*reason);
    return CutSheet(std::get<SheetFile>(sheet), cut, roomLeft);
}

} // namespace

std::variant<SheetFile, QString> LoadSheetFile(const QString& path) {
    auto read = ReadImageFile(path, kMaxSheetFileBytes);
    if (auto* reason = std::get_if<QString>(&read))
        return std::move(*reason);
    return CheckSheet(std::get<QByteArray>(std::move(read)));
}

SheetImport CutSheet(const SheetFile& sheet, SheetCut cut, int roomLeft) {
    if (const auto refusal = TileRefusal(cut.tile))
        return Refused(*refusal);
    const Grid grid{sheet.size, cut.tile};
    const int room = std::max(roomLeft, 0);
    if (!cut.skipEmpty && grid.Count() > room)
        return Refused(TooMany(grid.Count(), cut, room));

    const PngPixels pixels = DecodePng(sheet.bytes, kMaxSheetSide);
    if (pixels.outcome != PngPixels::Outcome::Decoded || pixels.size != sheet.size)
        return Refused(NotPng());
    // The tiles kept are counted before any sprite is made, so a refusal costs no sprites.
    std::vector<int> kept;
    for (int index = 0; index < grid.Count(); ++index)
        if (!cut.skipEmpty || !IsEmpty(pixels, grid.Area(index)))
            kept.push_back(index);
    if (std::ssize(kept) > room)
        return Refused(TooMany(std::ssize(kept), cut, room));
    if (kept.empty())
        return Refused(QStringLiteral("Every tile of the sheet is transparent, so it makes no "
                                      "sprite."));
    SheetImport import;
    import.sprites.reserve(kept.size());
    for (const int index : kept)
        import.sprites.push_back(TileSprite(pixels, grid.Area(index), cut.tile));
    return import;
}

SheetImport SpritesFromSheetBytes(const QByteArray& bytes, SheetCut cut, int roomLeft) {
    // The tile first: a wrong one is wrong whatever the file holds.
    if (const auto refusal = TileRefusal(cut.tile))
        return Refused(*refusal);
    return RefusedOr(CheckSheet(bytes), cut, roomLeft);
}

SheetImport LoadSpriteSheet(const QString& path, SheetCut cut, int roomLeft) {
    if (const auto refusal = TileRefusal(cut.tile))
        return Refused(*refusal);
    return RefusedOr(LoadSheetFile(path), cut, roomLeft);
}

bool SheetNamesFit(const QString& base, std::size_t count) {
    // Digits after a name change nothing the rules look at but its length, so the longest
    // name, the last one, decides for all.
    if (count == 0)
        return true;
    return CheckName(base + QString::number(count - 1), NameKind::Sprite) == NameVerdict::Accept;
}

void NameSheetSprites(std::vector<SpriteRecord>& sprites, const QString& base) {
    for (std::size_t i = 0; i < sprites.size(); ++i)
        sprites[i].Name = (base + QString::number(i)).toStdString();
}

} // namespace vellicor
