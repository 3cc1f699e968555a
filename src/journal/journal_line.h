#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QJsonObject>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace vellicor {

struct BaseRecordJson;

// A journal is a sequence of lines, each one record that can be checked on its own:
//   <CRC-32 of the JSON, 8 hex digits> <space> <compact JSON object> <newline>
// A crash may cut the file at any byte, so a reader trusts a line only when it is complete
// and its checksum holds.

// CRC-32 (IEEE 802.3): zlib's, as PNG chunks carry it too.
std::uint32_t Crc32(QByteArrayView bytes);

// The complete line, newline included, that carries `record`.
QByteArray JournalLine(const QJsonObject& record);
QByteArray JournalLine(const BaseRecordJson& record);

// The record carried by one line given without its newline, or nullopt with `error` set.
std::optional<QJsonObject> ParseJournalLine(QByteArrayView line, QString& error);

} // namespace vellicor
