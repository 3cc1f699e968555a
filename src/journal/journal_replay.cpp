// Replaying journal records onto a recovered project. Each kind of record is checked whole
// before it changes anything.
#include "journal_records.h"
#include "journal_sprite.h"
#include "model/name_rules.h"

#include <QJsonArray>
#include <utility>

namespace vellicor {
namespace {

// Which of `count` sprites have their editors open, from a record's "open" list.
std::optional<std::vector<bool>> ReadOpen(const QJsonValue& value, int count, QString& error) {
    std::vector<bool> open(static_cast<std::size_t>(count), false);
    if (!value.isArray()) {
        error = QStringLiteral("it has no list of open editors");
        return std::nullopt;
    }
    for (const QJsonValue& entry : value.toArray()) {
        const qint64 index = Count(entry);
        if (index < 0 || index >= count) {
            error = QStringLiteral("an open editor names no sprite");
            return std::nullopt;
        }
        open[static_cast<std::size_t>(index)] = true;
    }
    return open;
}

void MarkOpen(SpriteTable& table, const std::vector<bool>& open) {
    for (int i = 0; i < table.SpriteCount(); ++i)
        table.Record(i).IsOpen = open[static_cast<std::size_t>(i)];
}

} // namespace

std::optional<QString> ReplayBase(const QJsonObject& record, RecoveredProject& project) {
    if (record.value("format").toString() != QLatin1StringView(kJournalFormat))
        return QStringLiteral("it is not a Vellicor recovery journal");
    const qint64 version = Count(record.value("version"));
    if (version > kJournalVersion)
        return QStringLiteral("it was written by a newer version of Vellicor");
    if (version != kJournalVersion)
        return QStringLiteral("it has no valid version");
    const qint64 time = Count(record.value("time"));
    const QString name = record.value("name").toString();
    const QJsonValue file = record.value("file");
    const QJsonValue sprites = record.value("sprites");
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

    RecoveredProject base{name, file.toString(), {}, QDateTime::fromMSecsSinceEpoch(time)};
    QString error;
    for (const QJsonValue& value : sprites.toArray()) {
        auto sprite = ReadSprite(value, error);
        if (!sprite)
            return error;
        base.table.Record(base.table.Append(sprite->Name)) = std::move(*sprite);
    }
    const auto open = ReadOpen(record.value("open"), base.table.SpriteCount(), error);
    if (!open)
        return error;
    MarkOpen(base.table, *open);
    project = std::move(base);
    return std::nullopt;
}

namespace {

// A step that changed one sprite or added one at the end.
std::optional<QString> ReplaySprite(const QJsonObject& record, SpriteTable& table) {
    const qint64 index = Count(record.value("index"));
    const int count = table.SpriteCount();
    if (index < 0 || index > count || (index == count && count >= SpriteTable::kMaxSprites))
        return QStringLiteral("it names no sprite that exists or could be added");
    QString error;
    auto sprite = ReadSprite(record.value("sprite"), error);
    if (!sprite)
        return error;
    const auto open = ReadOpen(record.value("open"), index == count ? count + 1 : count, error);
    if (!open)
        return error;
    const int at = index == count ? table.Append(sprite->Name) : static_cast<int>(index);
    table.Record(at) = std::move(*sprite);
    MarkOpen(table, *open);
    return std::nullopt;
}

// A step that added several sprites at the end.
std::optional<QString> ReplayAdded(const QJsonObject& record, SpriteTable& table) {
    const int count = table.SpriteCount();
    const QJsonArray sprites = record.value("sprites").toArray();
    if (Count(record.value("index")) != count || sprites.isEmpty() ||
        count + sprites.size() > SpriteTable::kMaxSprites)
        return QStringLiteral("it adds no sprites that could be added");
    QString error;
    std::vector<SpriteRecord> added;
    for (const QJsonValue& value : sprites) {
        auto sprite = ReadSprite(value, error);
        if (!sprite)
            return error;
        added.push_back(std::move(*sprite));
    }
    const auto open = ReadOpen(record.value("open"), count + static_cast<int>(added.size()), error);
    if (!open)
        return error;
    for (SpriteRecord& sprite : added)
        table.AppendRecord(std::move(sprite));
    MarkOpen(table, *open);
    return std::nullopt;
}

// A step that took the sprites from the end out.
std::optional<QString> ReplayKept(const QJsonObject& record, SpriteTable& table) {
    const qint64 kept = Count(record.value("count"));
    if (kept < 0 || kept > table.SpriteCount())
        return QStringLiteral("it keeps sprites that do not exist");
    QString error;
    const auto open = ReadOpen(record.value("open"), static_cast<int>(kept), error);
    if (!open)
        return error;
    table.TakeFrom(static_cast<int>(kept));
    MarkOpen(table, *open);
    return std::nullopt;
}

// A window opened or closed.
std::optional<QString> ReplayWindows(const QJsonObject& record, SpriteTable& table) {
    QString error;
    const auto open = ReadOpen(record.value("open"), table.SpriteCount(), error);
    if (!open)
        return error;
    MarkOpen(table, *open);
    return std::nullopt;
}

} // namespace

std::optional<QString> ReplayStep(const QJsonObject& record, int step, RecoveredProject& project) {
    if (Count(record.value("step")) != step)
        return QStringLiteral("it is not step %1").arg(step);
    const qint64 time = Count(record.value("time"));
    if (time < 0)
        return QStringLiteral("it has no time");
    // Each kind checks the whole record before it changes the table.
    const auto refusal =
        record.contains(QLatin1StringView("count"))     ? ReplayKept(record, project.table)
        : record.contains(QLatin1StringView("sprites")) ? ReplayAdded(record, project.table)
        : record.contains(QLatin1StringView("index"))   ? ReplaySprite(record, project.table)
                                                        : ReplayWindows(record, project.table);
    if (refusal)
        return refusal;
    project.lastChange = QDateTime::fromMSecsSinceEpoch(time);
    return std::nullopt;
}

} // namespace vellicor
