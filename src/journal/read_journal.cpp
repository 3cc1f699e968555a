// Reading a journal back: its lines in order, each record checked whole before it changes the
// recovered project, up to the first line that is torn or refused.
#include "journal_line.h"
#include "journal_records.h"
#include "model/name_rules.h"
#include "record_parts.h"
#include "recovery_journal.h"

#include <QFile>
#include <QJsonArray>
#include <algorithm>

namespace vellicor {
namespace {

using namespace journal_keys;

// Puts `sprites` in from `at` and keeps the first `after` sprites, once the record's list of
// open editors has been checked against them; a refusal leaves the table as it was.
std::optional<QString> Apply(const QJsonValue& openList, qint64 at, qint64 after,
                             std::vector<SpriteRecord> sprites, SpriteTable& table) {
    std::vector<bool> open;
    if (auto refusal = ReadOpen(openList, after, open))
        return refusal;
    if (after < table.SpriteCount())
        table.TakeFrom(static_cast<int>(after));
    for (SpriteRecord& sprite : sprites) {
        if (at == table.SpriteCount())
            table.AppendRecord(std::move(sprite));
        else
            table.Record(static_cast<int>(at)) = std::move(sprite);
        ++at;
    }
    for (int i = 0; i < table.SpriteCount(); ++i)
        table.Record(i).IsOpen = open[static_cast<std::size_t>(i)];
    return std::nullopt;
}

std::optional<QString> ReplayBase(const QJsonObject& record, RecoveredProject& project) {
    if (record.value(kFormat).toString() != kJournalFormat)
        return QStringLiteral("it is not a Vellicor recovery journal");
    const qint64 version = Count(record.value(kVersion));
    if (version > kJournalVersion)
        return QStringLiteral("it was written by a newer version of Vellicor");
    if (version < kOldestJournalVersion)
        return QStringLiteral("it has no valid version");
    const qint64 time = Count(record.value(kTime));
    const QString name = record.value(kName).toString();
    const QJsonValue file = record.value(kFile);
    const QJsonValue sprites = record.value(kSprites);
    if (time < 0)
        return QStringLiteral("it has no time");
    if (const auto fault = NameFault(name))
        return QStringLiteral("the project's name %1").arg(*fault);
    if (!file.isString())
        return QStringLiteral("it has no file name");
    if (!sprites.isArray())
        return QStringLiteral("it has no list of sprites");
    if (sprites.toArray().size() > SpriteTable::kMaxSprites)
        return QStringLiteral("it has more than %1 sprites").arg(SpriteTable::kMaxSprites);

    const QJsonValue style = record.value(kHeaderStyle);
    const auto headerStyle =
        style.isUndefined() ? HeaderStyle::Plain : HeaderStyleFromKey(style.toString());
    if (!headerStyle || (!style.isUndefined() && !style.isString()))
        return QStringLiteral("it has an unknown header style");

    RecoveredProject base{
        name, file.toString(), {}, QDateTime::fromMSecsSinceEpoch(time), *headerStyle};
    std::vector<SpriteRecord> read;
    if (auto refusal = ReadSprites(sprites.toArray(), read))
        return refusal;
    const auto count = static_cast<qint64>(read.size());
    if (auto refusal = Apply(record.value(kOpen), 0, count, std::move(read), base.table))
        return refusal;
    project = std::move(base);
    return std::nullopt;
}

// A step changes one sprite or adds one ("index" and "sprite"), adds several ("sprites"), keeps
// the first sprites ("count"), puts them in a new order ("order"), renames the project
// ("name"), or only opens and closes windows.
std::optional<QString> ReplayStep(const QJsonObject& record, int step, RecoveredProject& project) {
    if (Count(record.value(kStep)) != step)
        return QStringLiteral("it is not step %1").arg(step);
    const qint64 time = Count(record.value(kTime));
    if (time < 0)
        return QStringLiteral("it has no time");
    SpriteTable& table = project.table;
    const int count = table.SpriteCount();
    qint64 after = count;              // the sprites there are after the step
    qint64 at = count;                 // where the sprites read go
    std::vector<SpriteRecord> sprites; // the sprites read, whole
    if (record.contains(kCount)) {
        after = Count(record.value(kCount));
        if (after < 0 || after > count)
            return QStringLiteral("it keeps sprites that do not exist");
    } else if (record.contains(kSprites)) {
        const QJsonArray added = record.value(kSprites).toArray();
        if (Count(record.value(kIndex)) != count || added.isEmpty() ||
            count + added.size() > SpriteTable::kMaxSprites)
            return QStringLiteral("it adds no sprites that could be added");
        if (auto refusal = ReadSprites(added, sprites))
            return refusal;
        after = count + added.size();
    } else if (record.contains(kOrder)) {
        if (auto refusal = ReplayOrder(record.value(kOrder), record.value(kOpen), table))
            return refusal;
        project.lastChange = QDateTime::fromMSecsSinceEpoch(time);
        return std::nullopt;
    } else if (record.contains(kName)) {
        const QString name = record.value(kName).toString(); // not text: empty, refused
        if (const auto fault = NameFault(name))
            return QStringLiteral("the project's name %1").arg(*fault);
        if (auto refusal = Apply(record.value(kOpen), count, count, {}, table))
            return refusal;
        project.name = name;
        project.lastChange = QDateTime::fromMSecsSinceEpoch(time);
        return std::nullopt;
    } else if (record.contains(kIndex)) {
        at = Count(record.value(kIndex));
        if (at < 0 || at > count || (at == count && count >= SpriteTable::kMaxSprites))
            return QStringLiteral("it names no sprite that exists or could be added");
        if (auto refusal = ReadSprites({record.value(kSprite)}, sprites))
            return refusal;
        after = std::max<qint64>(count, at + 1);
    }
    if (auto refusal = Apply(record.value(kOpen), at, after, std::move(sprites), table))
        return refusal;
    project.lastChange = QDateTime::fromMSecsSinceEpoch(time);
    return std::nullopt;
}

} // namespace

JournalRead ReadJournal(const QByteArray& bytes) {
    JournalRead read;
    if (bytes.isEmpty()) {
        read.error = QStringLiteral("The recovery journal is empty.");
        return read;
    }
    RecoveredProject project;
    // Line 1 is the base record, which must be sound; line n > 1 is step n - 1.
    for (qsizetype start = 0, number = 1; start < bytes.size(); ++number) {
        const qsizetype end = bytes.indexOf('\n', start);
        if (end < 0) {
            if (number == 1)
                read.error = QStringLiteral("The recovery journal's first record is incomplete.");
            else
                read.damage = QStringLiteral("Line %1 is incomplete.").arg(number);
            break;
        }
        QString why;
        const auto record = ParseJournalLine(QByteArrayView(bytes).sliced(start, end - start), why);
        start = end + 1;
        const auto refusal = !record       ? std::optional(why)
                             : number == 1 ? ReplayBase(*record, project)
                                           : ReplayStep(*record, read.steps + 1, project);
        if (refusal && number == 1)
            read.error = QStringLiteral("The recovery journal's first record is unreadable: %1.")
                             .arg(*refusal);
        else if (refusal)
            read.damage = QStringLiteral("Line %1 is refused: %2.").arg(number).arg(*refusal);
        if (refusal)
            break;
        read.steps += number > 1 ? 1 : 0;
    }
    if (read.error.isEmpty())
        read.project = std::move(project);
    return read;
}

JournalRead LoadJournalFile(const QString& path) {
    JournalRead read;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        read.error = file.errorString();
        return read;
    }
    if (file.size() > kMaxJournalBytes) {
        read.error = QStringLiteral("The recovery journal is larger than any Vellicor writes "
                                    "(over %1 MB).")
                         .arg(kMaxJournalBytes / (1024 * 1024));
        return read;
    }
    return ReadJournal(file.readAll());
}

} // namespace vellicor
