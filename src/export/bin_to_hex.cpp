#include "bin_to_hex.h"

#include <algorithm>
#include <bit>

namespace vellicor {

std::string BinToHex(std::uint32_t row, int width) {
    char digits[8];
    return {digits, static_cast<std::size_t>(BinToHex(row, width, digits))};
}

int BinToHex(std::uint32_t row, int width, char* out) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    if (width <= 0)
        row = 0;
    else if (width < 32)
        row &= (std::uint32_t{1} << width) - 1U;
    // The digits the value needs, at least one, made even.
    int count = std::max(1, (static_cast<int>(std::bit_width(row)) + 3) / 4);
    count += count % 2;
    for (int i = count - 1; i >= 0; --i, row >>= 4)
        out[i] = kDigits[row & 0xFU];
    return count;
}

std::string BinToHex(std::string_view bits) {
    std::uint32_t row = 0;
    for (const char digit : bits)
        row = (row << 1) | (digit == '1' ? 1U : 0U);
    return BinToHex(row, static_cast<int>(bits.size()));
}

} // namespace vellicor
