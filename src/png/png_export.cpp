#include "png_export.h"

#include "export/header_file.h"

#include <png.h>
#include <vector>

namespace vellicor {

std::optional<QString> PngExportRefusal(const SpriteRecord& sprite) {
    if (sprite.Size > 0)
        return std::nullopt;
    return QStringLiteral("The sprite \"%1\" has no size yet: choose 8, 16 or 32 first.")
        .arg(QString::fromStdString(sprite.Name));
}

QByteArray SpritePngBytes(const SpriteRecord& sprite, int scale) {
    if (sprite.Size <= 0)
        return {};
    return PixelsPngBytes(QSize(sprite.Size, sprite.Size), scale,
                          [&sprite](int x, int y) { return sprite.Bits(x, y); });
}

QByteArray PixelsPngBytes(QSize extent, int scale,
                          const std::function<PlaneBits(int, int)>& bitsAt) {
    if (extent.isEmpty() || scale < kMinPngScale || scale > kMaxPngScale)
        return {};
    const int width = extent.width() * scale;
    const int height = extent.height() * scale;
    std::vector<png_byte> rgba(static_cast<std::size_t>(width) * height * 4);
    png_byte* sample = rgba.data();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x, sample += 4) {
            const Rgb colour = ColourForBits(bitsAt(x / scale, y / scale));
            const bool clear = colour == kTransparentCyan;
            sample[0] = clear ? 0 : static_cast<png_byte>(colour >> 16);
            sample[1] = clear ? 0 : static_cast<png_byte>(colour >> 8);
            sample[2] = clear ? 0 : static_cast<png_byte>(colour);
            sample[3] = clear ? 0 : 0xFF;
        }
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    // Asked for its size first, then written into a buffer of that size; libpng keeps any
    // message in `image`, never printing it.
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr))
        return {};
    QByteArray bytes(static_cast<qsizetype>(size), Qt::Uninitialized);
    if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, rgba.data(), 0, nullptr))
        return {};
    bytes.truncate(static_cast<qsizetype>(size));
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
