#include "journal_line.h"

#include "journal_records.h"
#include "project/json_bounds.h"
#include "project/row_hex.h"

#include <QJsonDocument>
#include <QJsonParseError>
#include <zlib.h>

namespace vellicor {
namespace {

constexpr int kHexDigits = 8;

QByteArray Line(const QByteArray& json) {
    QByteArray line = RowText(Crc32(json)).toLatin1();
    line.reserve(kHexDigits + 2 + json.size());
    line += ' ';
    line += json;
    line += '\n';
    return line;
}

} // namespace

std::uint32_t Crc32(QByteArrayView bytes) {
    return static_cast<std::uint32_t>(crc32_z(0, reinterpret_cast<const Bytef*>(bytes.data()),
                                              static_cast<z_size_t>(bytes.size())));
}

QByteArray JournalLine(const QJsonObject& record) {
    return Line(QJsonDocument(record).toJson(QJsonDocument::Compact));
}

QByteArray JournalLine(const BaseRecordJson& record) {
    return Line(record.json);
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
    if (auto refusal = JsonBounds(journal_keys::kAllKeys).Feed(json)) {
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
