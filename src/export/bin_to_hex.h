#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vellicor {

// Upper-case hex of a value, shortest form padded to an even number of digits ("00" for 0).
std::string HexDigits(std::uint32_t value);

// Hex digits of a text of 1 to 32 binary digits, most significant first.
std::string BinToHex(std::string_view bits);

} // namespace vellicor
