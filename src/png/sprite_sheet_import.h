#pragma once

#include "model/sprite_record.h"

#include <QByteArray>
#include <QSize>
#include <QString>
#include <cstddef>
#include <variant>
#include <vector>

namespace vellicor {

// The largest sheet read, in either direction: 512 x 512 tiles of 8 pixels, far more than a
// project holds, and 64 MB once decoded.
constexpr int kMaxSheetSide = 4096;

// How a sheet is cut: tiles of 8, 16 or 32 pixels, and whether wholly transparent ones are left
// out.
struct SheetCut {
    int tile = 16;
    bool skipEmpty = false;
};

struct SheetImport {
    std::vector<SpriteRecord> sprites; // row by row, left to right; names empty; editors closed
    QString error; // one sentence when refused (does not name the file); sprites empty then
};

// Cuts a PNG's bytes into tiles of cut.tile pixels, each a sprite of that Size whose pixels follow
// the rules of Import PNG (ImportedBits). The tiles at the right and bottom edge keep what the
// image has of them, white beyond it. With skipEmpty, a tile is left out when every image pixel
// in it is transparent. Refused, with nothing returned: not a PNG or damaged, a side over
// kMaxSheetSide, a file over its limit, a tile not 8, 16 or 32, more tiles than roomLeft, or no
// tile at all. Without skipEmpty the tile count comes from the header, so a sheet with too many
// is refused before any pixel is decoded.
SheetImport SpritesFromSheetBytes(const QByteArray& bytes, SheetCut cut, int roomLeft);

// Reads the file (in the system's words when it cannot), then SpritesFromSheetBytes.
SheetImport LoadSpriteSheet(const QString& path, SheetCut cut, int roomLeft);

// A file's bytes that hold a sheet as far as its container and header go, and the size the
// header declares: what is left to cut needs the cut. The window checks a file so before it
// asks how to cut it, and the check is not made again.
struct SheetFile {
    QByteArray bytes;
    QSize size;
};
// Reads the file (no further than one byte past the limit) and checks it: refused in the
// system's words when it cannot be read, or for a file over the limit, not a PNG or damaged,
// or a side over kMaxSheetSide.
std::variant<SheetFile, QString> LoadSheetFile(const QString& path);
// Cuts a checked sheet as SpritesFromSheetBytes does.
SheetImport CutSheet(const SheetFile& sheet, SheetCut cut, int roomLeft);

// Whether `base` followed by each number from 0 to count - 1 passes the sprite name rules.
bool SheetNamesFit(const QString& base, std::size_t count);

// Names the sprites base0, base1, ... in order.
void NameSheetSprites(std::vector<SpriteRecord>& sprites, const QString& base);

} // namespace vellicor
