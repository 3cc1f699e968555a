#include "journal_line.h"

#include "project/json_bounds.h"
#include "project/row_hex.h"

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

} // namespace

std::uint32_t Crc32(QByteArrayView bytes) {
    std::uint32_t crc = 0xFFFFFFFFU;
    for (const char byte : bytes)
        crc = kCrcTable[(crc ^ static_cast<unsigned char>(byte)) & 0xFFU] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFU;
}

QByteArray JournalLine(const QJsonObject& record) {
    const QByteArray json = QJsonDocument(record).toJson(QJsonDocument::Compact);
    QByteArray line = RowText(Crc32(json)).toLatin1();
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
    const auto checksum = ParseRow(QString::fromLatin1(line.first(kHexDigits)));
    const QByteArrayView json = line.sliced(kHexDigits + 1);
    if (!checksum || *checksum != Crc32(json)) {
        error = QStringLiteral("its checksum does not match");
        return std::nullopt;
    }
    // Bounded before it is parsed, as the project file is.
    if (auto refusal = JsonBounds().Feed(json)) {
        refusal->front() = refusal->front().toLower();
        refusal->chop(1); // the full stop: the reason goes inside a sentence here
        error = *refusal;
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
