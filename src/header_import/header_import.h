#pragma once

#include "model/sprite_record.h"

#include <QByteArray>
#include <QString>
#include <string>
#include <vector>

namespace vellicor {

// One sprite as a header holds it. The planes' rows keep column 0 in the most significant bit,
// as the model does; pixels beyond `size` are clear.
struct ImportedSprite {
    std::string name; // UTF-8
    int size = 0;     // 0, 8, 16 or 32: the number of entries of each of its three lines
    Plane dark, light, mask;
};

struct HeaderImport {
    std::vector<ImportedSprite> sprites; // in file order; empty when refused
    QString error; // empty on success; otherwise one line naming the line and the fault
};

// Reads a header in the form the export writes, and the forms people make of it by hand: any
// line ends and white space, comments, preprocessor lines and other statements, a declaration
// before the name, a statement over several lines. A line exactly as the export writes it is
// read as the export meant it, whatever the name holds (";", "//", "/*"), when it starts outside
// any statement or comment. The data itself is checked whole before anything is returned:
// every sprite has its dark, light and mask lines in that order, with the same number of
// entries (0, 8, 16 or 32), values that fit the size, and a name that the sprite-name rules
// accept. A mask line holds the plane itself after "~" on every entry, as the plain style
// writes it, or its complement with no "~" at all, as the C declarations style does; never
// both. A header of more sprites than a project holds is refused as soon as that shows.
HeaderImport ReadHeader(const QByteArray& bytes);

// Reads the file (an unreadable file's reason is the system's), then ReadHeader.
HeaderImport LoadHeaderFile(const QString& path);

// The record an imported sprite becomes: its name, size and planes; its editor closed.
SpriteRecord ToRecord(const ImportedSprite& sprite);

// Why a header file gives a project nothing; the window and the command line each word it.
enum class HeaderFileFault {
    None,
    Unreadable, // the file could not be read or holds a fault: `error` says which
    NoSprites,  // an empty import would hide a file that was meant to hold sprites
    NoRoom,     // it holds more sprites than the project has room for
};

struct HeaderFileImport {
    std::vector<SpriteRecord> sprites; // in file order, editors closed; empty when refused
    HeaderFileFault fault = HeaderFileFault::None;
    QString error;         // for Unreadable: the system's reason or the line at fault
    std::size_t found = 0; // for NoRoom: how many sprites the header holds
};

// ImportHeaderFile: the one path by which a header file's sprites reach a project, from the
// window's Import Header and from --import-header alike. Reads the file, then refuses a header
// of no sprites or of more than `roomLeft`.
HeaderFileImport ImportHeaderFile(const QString& path, int roomLeft);

} // namespace vellicor
