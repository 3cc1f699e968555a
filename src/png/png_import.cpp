#include "png_import.h"

#include "model/name_rules.h"
#include "png_container.h"
#include "png_decode.h"

#include <QFile>
#include <QFileInfo>
#include <QRgb>
#include <algorithm>
#include <variant>

namespace vellicor {
namespace {

// Far more than any image of at most 32 x 32 pixels needs, even with its colour profile.
constexpr qint64 kMaxPngFileBytes = qint64{16} * 1024 * 1024;

QString TooLarge(QSize size) {
    return QStringLiteral("The image is %1 x %2 pixels; a sprite holds at most %3 x %3.")
        .arg(size.width())
        .arg(size.height())
        .arg(kMaxImageSide);
}

int SpriteSizeFor(QSize size) {
    const int side = std::max(size.width(), size.height());
    for (const int spriteSize : {8, 16})
        if (side <= spriteSize)
            return spriteSize;
    return kMaxImageSide;
}

// Luminance weights (ITU-R BT.601) in thousandths: a grey's luminance is its own level.
int Luminance1000(QRgb pixel) {
    return 299 * qRed(pixel) + 587 * qGreen(pixel) + 114 * qBlue(pixel);
}

// The grey whose level (0, 128, 192, 255) lies nearest; a tie goes to the lighter one.
PlaneBits NearestGrey(QRgb pixel) {
    const int luminance = Luminance1000(pixel);
    if (luminance < 64000) // halfway between black (0) and dark grey (128)
        return *BitsForColour(kBlack);
    if (luminance < 160000) // between dark grey and light grey (192)
        return *BitsForColour(kDarkGrey);
    if (luminance < 223500) // between light grey and white (255)
        return *BitsForColour(kLightGrey);
    return *BitsForColour(kWhite);
}

QString NotPng() {
    return QStringLiteral("It is not a PNG image, or it is damaged.");
}

// The sprite of decoded pixels, which fit a sprite.
SpriteRecord SpriteFromPixels(const PngPixels& pixels) {
    SpriteRecord sprite;
    sprite.Size = static_cast<std::int16_t>(SpriteSizeFor(pixels.size));
    const std::uint8_t* sample = pixels.rgba.data();
    for (int y = 0; y < pixels.size.height(); ++y)
        for (int x = 0; x < pixels.size.width(); ++x, sample += 4)
            sprite.SetBits(x, y, ImportedBits(sample));
    return sprite;
}

} // namespace

PlaneBits ImportedBits(const std::uint8_t* rgba) {
    // Straight, not premultiplied, colours: a half-transparent pixel keeps its own grey.
    return ImportsTransparent(rgba) ? *BitsForColour(kTransparentCyan)
                                    : NearestGrey(qRgb(rgba[0], rgba[1], rgba[2]));
}

std::variant<QByteArray, QString> ReadImageFile(const QString& path, qint64 maxBytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    // One byte past the limit tells a file that is too large; a plain file is read no further
    // than its size, so the buffer is never larger than the file.
    const qint64 wanted = (file.isSequential() ? maxBytes : std::min(file.size(), maxBytes)) + 1;
    QByteArray bytes = file.read(wanted);
    if (file.error() != QFile::NoError)
        return file.errorString();
    return bytes;
}

ImageImport SpriteFromPngBytes(const QByteArray& bytes) {
    if (bytes.size() > kMaxPngFileBytes)
        return {std::nullopt,
                QStringLiteral("The file is too large for an image of at most %1 x %1 pixels "
                               "(over %2 MB).")
                    .arg(kMaxImageSide)
                    .arg(kMaxPngFileBytes / (1024 * 1024))};
    // Every chunk's length and checksum first: a damaged file is refused before it is decoded.
    if (!IsWholePng(bytes))
        return {std::nullopt, NotPng()};
    const PngPixels pixels = DecodePng(bytes, kMaxImageSide);
    switch (pixels.outcome) {
    case PngPixels::Outcome::TooLarge:
        return {std::nullopt, TooLarge(pixels.size)};
    case PngPixels::Outcome::Damaged:
        return {std::nullopt, NotPng()};
    case PngPixels::Outcome::Decoded:
        break;
    }
    return {SpriteFromPixels(pixels), QString(), pixels.size};
}

ImageImport LoadPngSprite(const QString& path) {
    auto read = ReadImageFile(path, kMaxPngFileBytes);
    if (const auto* reason = std::get_if<QString>(&read))
        return {std::nullopt, *reason};
    ImageImport import = SpriteFromPngBytes(std::get<QByteArray>(read));
    if (import.sprite)
        import.sprite->Name = SpriteNameFromFile(path).toStdString();
    return import;
}

bool IsSheetFile(const QString& path) {
    QFile file(path);
    constexpr qint64 kThroughHeaderSize = 24; // signature, IHDR's length and type, both sides
    const auto size = file.open(QIODevice::ReadOnly) ? PngHeaderSize(file.read(kThroughHeaderSize))
                                                     : std::nullopt;
    return size && (size->width() > kMaxImageSide || size->height() > kMaxImageSide);
}

QString SpriteNameFromFile(const QString& path) {
    const QString name = QFileInfo(path).completeBaseName();
    return CheckName(name, NameKind::Sprite) == NameVerdict::Accept ? name : QString();
}

} // namespace vellicor
