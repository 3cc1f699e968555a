#include "png_container.h"

#include <QtEndian>
#include <array>
#include <cstdint>

namespace vellicor {
namespace {

// CRC-32 of ISO 3309, the checksum of every PNG chunk.
constexpr std::array<std::uint32_t, 256> kCrcTable = [] {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < table.size(); ++n) {
        std::uint32_t c = n;
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1U) != 0 ? 0xEDB88320U ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}();

std::uint32_t Crc32(const char* data, qsizetype size) {
    std::uint32_t crc = 0xFFFFFFFFU;
    for (qsizetype i = 0; i < size; ++i)
        crc = kCrcTable[(crc ^ static_cast<std::uint8_t>(data[i])) & 0xFFU] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFU;
}

} // namespace

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
        if (Crc32(type, 4 + length) != qFromBigEndian<quint32>(type + 4 + length))
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

} // namespace vellicor
