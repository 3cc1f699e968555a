#include "bin_to_hex.h"

namespace vellicor {

std::string BinToHex(std::uint32_t row, int width) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    if (width <= 0)
        row = 0;
    else if (width < 32)
        row &= (std::uint32_t{1} << width) - 1U;
    char digits[8];
    int first = 8;
    do {
        digits[--first] = kDigits[row & 0xFU];
        row >>= 4;
    } while (row != 0);
    if (first % 2 != 0)
        digits[--first] = '0';
    return {digits + first, digits + 8};
}

std::string BinToHex(std::string_view bits) {
    std::uint32_t row = 0;
    for (const char digit : bits)
        row = (row << 1) | (digit == '1' ? 1U : 0U);
    return BinToHex(row, static_cast<int>(bits.size()));
}

} // namespace vellicor
