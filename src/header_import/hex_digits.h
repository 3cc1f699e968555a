#pragma once

#include <QtEndian>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>

namespace vellicor {

// An entry's number when it is not "0x" and hex digits in either case.
constexpr std::uint64_t kNotHex = ~std::uint64_t{0};

// Letters, digits and "_", the bytes of a C word; looked up, as a header has millions of them.
inline constexpr std::array<bool, 256> kWordChars = [] {
    std::array<bool, 256> word{};
    for (std::size_t c = 0; c < word.size(); ++c)
        word[c] =
            (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    return word;
}();

inline bool IsWordChar(char c) {
    return kWordChars[static_cast<unsigned char>(c)];
}

// The value of "0x" and hex digits in either case, 2^32 for any beyond 32 bits; kNotHex for
// any other text.
std::uint64_t HexNumber(std::string_view text);

// The leading hex digits of the 8 bytes at `bytes`, at most 8 of them: how many, and their
// value. It runs for nearly every entry, so it is inline and reads all 8 at once, without a
// branch on any digit: row digits are as random as data gets, and such branches would be
// mispredicted half the time.
inline std::pair<int, std::uint32_t> LeadingHexDigits(const char* bytes) {
    // Each byte is a lane of one 64-bit word, the first byte in the lowest.
    constexpr std::uint64_t kOnes = 0x0101010101010101U;
    constexpr std::uint64_t kHigh = kOnes * 0x80;
    // Bit 7 of each lane is set where the lane, below 0x80, is from `low` to `high`.
    const auto inRange = [](std::uint64_t lanes, unsigned low, unsigned high) {
        return (lanes + kOnes * (0x80 - low)) & ~(lanes + kOnes * (0x7F - high)) & kHigh;
    };
    std::uint64_t word = 0;
    std::memcpy(&word, bytes, sizeof word);
    word = qFromLittleEndian(word);
    const std::uint64_t low7 = word & ~kHigh;
    const std::uint64_t letters = inRange(low7 | kOnes * 0x20, 'a', 'f');
    const std::uint64_t digits = (inRange(low7, '0', '9') | letters) & ~word;
    const int count = std::countr_zero(~digits & kHigh) / 8;
    // Each lane's digit value, then the lanes packed into nibbles, the first byte highest.
    std::uint64_t value = qbswap((word & kOnes * 0x0F) + (letters >> 7) * 9);
    value = (value | (value >> 4)) & 0x00FF00FF00FF00FFU;
    value = (value | (value >> 8)) & 0x0000FFFF0000FFFFU;
    value = (value | (value >> 16)) & 0x00000000FFFFFFFFU;
    return {count, static_cast<std::uint32_t>(value >> (4 * (8 - count)))};
}

} // namespace vellicor
