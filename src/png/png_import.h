#pragma once

#include "model/sprite_record.h"

#include <QByteArray>
#include <QSize>
#include <QString>
#include <cstdint>
#include <optional>
#include <variant>

namespace vellicor {

// The largest image that fits a sprite, in either direction.
constexpr int kMaxImageSide = kPlaneSide;

struct ImageImport {
    // Set when the image was accepted: its Size and planes, and its Name when the file's name
    // passes the sprite name rules (empty otherwise, so the caller asks or refuses).
    std::optional<SpriteRecord> sprite;
    QString error;     // why it was refused, one sentence, when it was (does not name the file)
    QSize imageSize{}; // of the image accepted, which may be smaller than the sprite
};

// The sprite a PNG file's bytes make, without a name: the smallest size of 8, 16 or 32 that holds
// the image, the rest white; each pixel the nearest of the four greys by luminance, or
// transparent where alpha is below 128. Images larger than 32 x 32 are refused. The whole file is
// checked and its header read before any pixel is decoded, and nothing is printed, whatever the
// bytes.
ImageImport SpriteFromPngBytes(const QByteArray& bytes);

// One decoded pixel (8-bit straight RGBA) by the rules of Import PNG: transparent where alpha is
// below 128, else the nearest of the four greys by luminance. Every image import uses this rule.
PlaneBits ImportedBits(const std::uint8_t* rgba);
inline bool ImportsTransparent(const std::uint8_t* rgba) {
    return rgba[3] < 128;
}

// The file's bytes, or the system's reason they could not be read. At most maxBytes + 1 are read,
// so a file larger than the limit shows as such without being read whole.
std::variant<QByteArray, QString> ReadImageFile(const QString& path, qint64 maxBytes);

// Whether the file starts as a PNG whose header declares an image larger than a sprite, which
// can only be a sheet. Reads the first bytes alone; a file that is not a PNG is no sheet.
bool IsSheetFile(const QString& path);

// Reads the PNG file and makes its sprite, named after the file.
ImageImport LoadPngSprite(const QString& path);

// The file's base name ("Ball" for ".../Ball.png") when it is a sprite name the rules accept;
// empty otherwise.
QString SpriteNameFromFile(const QString& path);

} // namespace vellicor
