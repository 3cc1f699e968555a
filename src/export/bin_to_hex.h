#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vellicor {

// Upper-case hex digits of a pixel row: the shortest form of its value, with a "0" in front when
// that is odd ("00" for 0). The row is its first `width` bits (1 to 32) counted from the least
// significant, the leftmost pixel highest, as the planes keep their rows.
std::string BinToHex(std::uint32_t row, int width);
// The same digits written to `out`, which has room for 8; returns how many were written.
int BinToHex(std::uint32_t row, int width, char* out);

// The same for a row written as a text of 1 to 32 binary digits, most significant first.
std::string BinToHex(std::string_view bits);

} // namespace vellicor
