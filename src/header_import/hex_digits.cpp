#include "hex_digits.h"

#include <algorithm>

namespace vellicor {

std::uint64_t HexNumber(std::string_view text) {
    if (text.size() < 3 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X'))
        return kNotHex;
    std::uint64_t value = 0;
    for (const char c : text.substr(2)) {
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                 : -1;
        if (digit < 0)
            return kNotHex;
        value = std::min<std::uint64_t>((value << 4) | static_cast<unsigned>(digit),
                                        std::uint64_t{1} << 32);
    }
    return value;
}

} // namespace vellicor
