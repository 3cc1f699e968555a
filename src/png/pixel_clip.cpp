#include "pixel_clip.h"

#include "png_export.h"
#include "png_import.h"

namespace vellicor {
namespace {

constexpr char kMagic[] = "VLCP";
constexpr int kMagicLength = 4;
constexpr char kVersion = 1;
constexpr int kHeaderLength = kMagicLength + 3;

char PackPixel(PlaneBits bits) {
    return static_cast<char>((bits.light ? 1 : 0) | (bits.dark ? 2 : 0) | (bits.mask ? 4 : 0));
}

} // namespace

QByteArray PixelClipBytes(const PixelBlock& block) {
    QByteArray bytes(kMagic, kMagicLength);
    bytes += kVersion;
    bytes += static_cast<char>(block.width);
    bytes += static_cast<char>(block.height);
    for (const PlaneBits& bits : block.bits)
        bytes += PackPixel(bits);
    return bytes;
}

std::optional<PixelBlock> PixelsFromClip(const QByteArray& bytes) {
    if (bytes.size() < kHeaderLength || !bytes.startsWith(kMagic) ||
        bytes[kMagicLength] != kVersion)
        return std::nullopt;
    const int width = static_cast<unsigned char>(bytes[kMagicLength + 1]);
    const int height = static_cast<unsigned char>(bytes[kMagicLength + 2]);
    if (width < 1 || height < 1 || width > kPlaneSide || height > kPlaneSide ||
        bytes.size() != kHeaderLength + width * height)
        return std::nullopt;
    PixelBlock block{width, height, {}};
    block.bits.reserve(static_cast<std::size_t>(width * height));
    for (qsizetype i = kHeaderLength; i < bytes.size(); ++i) {
        const auto packed = static_cast<unsigned char>(bytes[i]);
        if (packed > 7)
            return std::nullopt;
        block.bits.push_back({(packed & 1) != 0, (packed & 2) != 0, (packed & 4) != 0});
    }
    return block;
}

QByteArray PixelClipPng(const PixelBlock& block) {
    return PixelsPngBytes(QSize(block.width, block.height), 1,
                          [&block](int x, int y) { return block.At(x, y); });
}

ClipImage PixelsFromPng(const QByteArray& png) {
    const ImageImport import = SpriteFromPngBytes(png);
    if (!import.sprite)
        return {std::nullopt, import.error};
    return {CopyCells(*import.sprite, QRect(QPoint(0, 0), import.imageSize)), QString()};
}

} // namespace vellicor
