#include "bin_to_hex.h"

namespace vellicor {

std::string HexDigits(std::uint32_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string reversed;
    do {
        reversed.push_back(kDigits[value & 0xFU]);
        value >>= 4;
    } while (value != 0);
    if (reversed.size() % 2 != 0)
        reversed.push_back('0');
    return {reversed.rbegin(), reversed.rend()};
}

std::string BinToHex(std::string_view bits) {
    std::uint32_t value = 0;
    for (const char digit : bits)
        value = (value << 1) | (digit == '1' ? 1U : 0U);
    return HexDigits(value);
}

} // namespace vellicor
