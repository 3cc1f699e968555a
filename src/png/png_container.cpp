#include "png_container.h"

#include <QtEndian>
#include <zlib.h>

namespace vellicor {

bool IsWholePng(const QByteArray& bytes) {
    static constexpr char kSignature[] = "\x89PNG\r\n\x1A\n";
    constexpr qsizetype kSignatureSize = sizeof(kSignature) - 1;
    // Length, type and checksum around each chunk's data.
    constexpr qsizetype kChunkFrame = 12;
    if (!bytes.startsWith(QByteArrayView(kSignature, kSignatureSize)))
        return false;
    for (qsizetype at = kSignatureSize; bytes.size() - at >= kChunkFrame;) {
        const char* chunk = bytes.constData() + at;
        const qsizetype length = qFromBigEndian<quint32>(chunk);
        if (length > bytes.size() - at - kChunkFrame)
            return false; // cut short
        const char* type = chunk + 4;
        // The chunk's CRC-32 covers its type and data.
        const auto typed = static_cast<z_size_t>(4 + length);
        if (crc32_z(0, reinterpret_cast<const Bytef*>(type), typed) !=
            qFromBigEndian<quint32>(type + 4 + length))
            return false;
        const QByteArrayView name(type, 4);
        if ((at == kSignatureSize) != (name == "IHDR"))
            return false;
        if (name == "IEND")
            return true; // whatever follows is no part of the image
        at += kChunkFrame + length;
    }
    return false;
}

std::optional<QSize> PngHeaderSize(const QByteArray& bytes) {
    // The signature (8), IHDR's length and type (8), then width and height. A header of another
    // length is damaged, whatever its first bytes say.
    constexpr qsizetype kWidthAt = 16;
    constexpr quint32 kHeaderLength = 13;
    if (bytes.size() < kWidthAt + 8 ||
        qFromBigEndian<quint32>(bytes.constData() + 8) != kHeaderLength)
        return std::nullopt;
    const quint32 width = qFromBigEndian<quint32>(bytes.constData() + kWidthAt);
    const quint32 height = qFromBigEndian<quint32>(bytes.constData() + kWidthAt + 4);
    constexpr quint32 kMaxInt = 0x7FFFFFFFU;
    if (width == 0 || height == 0 || width > kMaxInt || height > kMaxInt)
        return std::nullopt;
    return QSize(static_cast<int>(width), static_cast<int>(height));
}

} // namespace vellicor
