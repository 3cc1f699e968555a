#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <optional>

namespace vellicor {

// A 32-pixel plane row as the project file and the recovery journal write it: exactly eight
// upper-case hex digits, column 0 in the most significant bit.
std::array<char, 8> RowDigits(std::uint32_t row);
QString RowText(std::uint32_t row);

// Exactly eight hex digits of either case; signs, blanks and "0x" are refused.
std::optional<std::uint32_t> ParseRow(QStringView text);

} // namespace vellicor
