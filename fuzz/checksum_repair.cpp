#include "checksum_repair.h"

#include "journal/journal_line.h"

#include <QByteArrayView>
#include <cstdio>
#include <cstring>

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

namespace vellicor::fuzz {
namespace {

std::uint32_t Crc(const std::uint8_t* data, std::size_t size) {
    return Crc32(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
}

std::uint32_t ReadBigEndian(const std::uint8_t* at) {
    return (std::uint32_t{at[0]} << 24) | (std::uint32_t{at[1]} << 16) |
           (std::uint32_t{at[2]} << 8) | std::uint32_t{at[3]};
}

void WriteBigEndian(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

} // namespace

void RepairPngChunks(std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kSignature = 8;
    constexpr std::size_t kFrame = 12; // length, type and CRC around each chunk's data
    if (size < kSignature || std::memcmp(data, "\x89PNG\r\n\x1A\n", kSignature) != 0)
        return;
    for (std::size_t at = kSignature; size - at >= kFrame;) {
        const std::uint32_t length = ReadBigEndian(data + at);
        if (length > size - at - kFrame)
            return;
        WriteBigEndian(data + at + 8 + length, Crc(data + at + 4, 4 + length));
        at += kFrame + length;
    }
}

void RepairJournalLines(std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kDigits = 8;
    for (std::size_t start = 0; start < size;) {
        const auto* newline =
            static_cast<const std::uint8_t*>(std::memchr(data + start, '\n', size - start));
        const std::size_t end = newline ? static_cast<std::size_t>(newline - data) : size;
        if (end - start > kDigits && data[start + kDigits] == ' ') {
            char digits[kDigits + 1];
            std::snprintf(digits, sizeof digits, "%08X",
                          Crc(data + start + kDigits + 1, end - start - kDigits - 1));
            std::memcpy(data + start, digits, kDigits);
        }
        start = end + 1;
    }
}

std::size_t MutateAndRepair(std::uint8_t* data, std::size_t size, std::size_t maxSize,
                            unsigned int seed, void (*repair)(std::uint8_t*, std::size_t)) {
    size = LLVMFuzzerMutate(data, size, maxSize);
    // One mutation in eight keeps whatever checksums it broke, so the readers' own checks are
    // still tried.
    if (seed % 8 != 0)
        repair(data, size);
    return size;
}

} // namespace vellicor::fuzz
