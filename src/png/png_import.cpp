#include "png_import.h"

#include "project/name_rules.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <algorithm>

namespace vellicor {
namespace {

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

} // namespace

ImageImport SpriteFromImage(const QImage& image) {
    if (image.isNull())
        return {std::nullopt, QStringLiteral("It is not an image.")};
    if (image.width() > kMaxImageSide || image.height() > kMaxImageSide)
        return {std::nullopt, TooLarge(image.size())};
    // Straight, not premultiplied, colours: a half-transparent pixel keeps its own grey.
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    SpriteRecord sprite;
    sprite.Size = static_cast<std::int16_t>(SpriteSizeFor(argb.size()));
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb pixel = line[x];
            sprite.SetBits(
                x, y, qAlpha(pixel) < 128 ? *BitsForColour(kTransparentCyan) : NearestGrey(pixel));
        }
    }
    return {sprite, QString()};
}

ImageImport LoadImageSprite(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, file.errorString()};
    QImageReader reader(&file);
    // The size comes from the header, so a huge image is refused before it is decoded.
    const QSize announced = reader.size();
    if (announced.isValid() &&
        (announced.width() > kMaxImageSide || announced.height() > kMaxImageSide))
        return {std::nullopt, TooLarge(announced)};
    const QImage image = reader.read();
    if (image.isNull())
        return {std::nullopt, QStringLiteral("It is not an image that Vellicor can read (%1).")
                                  .arg(reader.errorString())};
    ImageImport import = SpriteFromImage(image);
    if (import.sprite)
        import.sprite->Name = SpriteNameFromFile(path).toStdString();
    return import;
}

QString SpriteNameFromFile(const QString& path) {
    const QString name = QFileInfo(path).completeBaseName();
    return CheckName(name, NameKind::Sprite) == NameVerdict::Accept ? name : QString();
}

} // namespace vellicor
