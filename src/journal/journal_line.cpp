#include "journal_line.h"

#include <QJsonDocument>
#include <QJsonParseError>
#include <array>

namespace vellicor {
namespace {

constexpr int kHexDigits = 8;

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1U) ? 0xEDB88320U ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}
constexpr auto kCrcTable = MakeCrcTable();

int HexDigitValue(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}

} // namespace

std::uint32_t Crc32(QByteArrayView bytes) {
    std::uint32_t crc = 0xFFFFFFFFU;
    for (const char byte : bytes)
        crc = kCrcTable[(crc ^ static_cast<unsigned char>(byte)) & 0xFFU] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFU;
}

QString Hex8(std::uint32_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    QString text(kHexDigits, Qt::Uninitialized);
    for (int i = kHexDigits - 1; i >= 0; --i, value >>= 4)
        text[i] = QLatin1Char(kDigits[value & 0xFU]);
    return text;
}

std::optional<std::uint32_t> ParseHex8(QStringView text) {
    if (text.size() != kHexDigits)
        return std::nullopt;
    std::uint32_t value = 0;
    for (const QChar c : text) {
        const int digit = HexDigitValue(c.unicode());
        if (digit < 0)
            return std::nullopt;
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    return value;
}

QByteArray JournalLine(const QJsonObject& record) {
    const QByteArray json = QJsonDocument(record).toJson(QJsonDocument::Compact);
    QByteArray line = Hex8(Crc32(json)).toLatin1();
    line.reserve(kHexDigits + 2 + json.size());
    line += ' ';
    line += json;
    line += '\n';
    return line;
}

std::optional<QJsonObject> ParseJournalLine(QByteArrayView line, QString& error) {
    if (line.size() < kHexDigits + 1 || line[kHexDigits] != ' ') {
        error = QStringLiteral("it does not start with a checksum");
        return std::nullopt;
    }
    const auto checksum = ParseHex8(QString::fromLatin1(line.first(kHexDigits)));
    const QByteArrayView json = line.sliced(kHexDigits + 1);
    if (!checksum || *checksum != Crc32(json)) {
        error = QStringLiteral("its checksum does not match");
        return std::nullopt;
    }
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(json.toByteArray(), &parse);
    if (parse.error != QJsonParseError::NoError) {
        error = QStringLiteral("it is not JSON (%1)").arg(parse.errorString());
        return std::nullopt;
    }
    if (!document.isObject()) {
        error = QStringLiteral("it is not a JSON object");
        return std::nullopt;
    }
    return document.object();
}

} // namespace vellicor
