#include "png_export.h"

#include "export/header_file.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

namespace vellicor {

std::optional<QString> PngExportRefusal(const SpriteRecord& sprite) {
    if (sprite.Size > 0)
        return std::nullopt;
    return QStringLiteral("The sprite \"%1\" has no size yet: choose 8, 16 or 32 first.")
        .arg(QString::fromStdString(sprite.Name));
}

QImage SpriteImage(const SpriteRecord& sprite, int scale) {
    if (sprite.Size <= 0 || scale < kMinPngScale || scale > kMaxPngScale)
        return {};
    const int side = sprite.Size * scale;
    QImage image(side, side, QImage::Format_ARGB32);
    // A fixed resolution, 96 dots per inch: the default depends on whether the process has a
    // screen, and the editor and the command line must write the same bytes.
    constexpr int kDotsPerMeter = 3780;
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);
    for (int y = 0; y < side; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < side; ++x) {
            const Rgb colour = ColourForBits(sprite.Bits(x / scale, y / scale));
            line[x] = colour == kTransparentCyan ? qRgba(0, 0, 0, 0) : (0xFF000000U | colour);
        }
    }
    return image;
}

QByteArray SpritePngBytes(const SpriteRecord& sprite, int scale) {
    const QImage image = SpriteImage(sprite, scale);
    QByteArray bytes;
    if (image.isNull())
        return bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image))
        bytes.clear();
    return bytes;
}

std::optional<QString> SaveSpritePng(const QString& path, const SpriteRecord& sprite, int scale) {
    if (auto refusal = PngExportRefusal(sprite))
        return refusal;
    if (scale < kMinPngScale || scale > kMaxPngScale)
        return QStringLiteral("The scale %1 is not a whole number from %2 to %3.")
            .arg(scale)
            .arg(kMinPngScale)
            .arg(kMaxPngScale);
    const QByteArray bytes = SpritePngBytes(sprite, scale);
    if (bytes.isEmpty())
        return QStringLiteral("The image could not be encoded as PNG.");
    return WriteFileAtomically(path, bytes);
}

} // namespace vellicor
