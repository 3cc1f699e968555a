#include "row_hex.h"

namespace vellicor {
namespace {

int HexValue(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}

} // namespace

std::array<char, 8> RowDigits(std::uint32_t row) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::array<char, 8> text{};
    for (auto digit = text.rbegin(); digit != text.rend(); ++digit, row >>= 4)
        *digit = kDigits[row & 0xFU];
    return text;
}

QString RowText(std::uint32_t row) {
    const std::array<char, 8> digits = RowDigits(row);
    return QString::fromLatin1(digits.data(), static_cast<qsizetype>(digits.size()));
}

std::optional<std::uint32_t> ParseRow(QStringView text) {
    if (text.size() != 8)
        return std::nullopt;
    std::uint32_t row = 0;
    for (const QChar c : text) {
        const int digit = HexValue(c.unicode());
        if (digit < 0)
            return std::nullopt;
        row = (row << 4) | static_cast<std::uint32_t>(digit);
    }
    return row;
}

} // namespace vellicor
