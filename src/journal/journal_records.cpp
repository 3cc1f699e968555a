#include "journal_records.h"

#include "journal_line.h"
#include "model/name_rules.h"
#include "project/row_hex.h"

#include <QJsonArray>
#include <array>
#include <utility>

namespace vellicor {
namespace {

constexpr auto kFormat = "vellicor-journal";
constexpr qint64 kVersion = 1;

struct PlaneKey {
    QLatin1StringView key;
    Plane SpriteRecord::*plane;
};
constexpr std::array<PlaneKey, 3> kPlanes{{{QLatin1StringView("dark"), &SpriteRecord::PlaneDark},
                                           {QLatin1StringView("light"), &SpriteRecord::PlaneLight},
                                           {QLatin1StringView("mask"), &SpriteRecord::PlaneMask}}};

bool IsValidSize(qint64 size) {
    return size == 0 || size == 8 || size == 16 || size == 32;
}

// A whole non-negative number, or -1.
qint64 Count(const QJsonValue& value) {
    return value.isDouble() ? value.toInteger(-1) : -1;
}

QJsonObject SpriteObject(const SpriteRecord& record) {
    QJsonObject sprite{{"name", QString::fromStdString(record.Name)}, {"size", record.Size}};
    for (const PlaneKey& plane : kPlanes) {
        QJsonArray rows;
        for (int y = 0; y < kPlaneSide; ++y)
            rows.append(RowText((record.*plane.plane).FullRow(y)));
        sprite.insert(plane.key, rows);
    }
    return sprite;
}

QJsonArray OpenArray(const std::vector<int>& openEditors) {
    QJsonArray open;
    for (const int index : openEditors)
        open.append(index);
    return open;
}

std::optional<SpriteRecord> ReadSprite(const QJsonValue& value, QString& error) {
    const QJsonObject sprite = value.toObject(); // empty when it is no object at all
    SpriteRecord record;
    const QString name = sprite.value("name").toString();
    record.Name = name.toStdString();
    const qint64 size = Count(sprite.value("size"));
    if (const auto fault = NameFault(name)) {
        error = QStringLiteral("a sprite's name %1").arg(*fault);
        return std::nullopt;
    }
    if (!IsValidSize(size)) {
        error = QStringLiteral("a sprite's size is not 0, 8, 16 or 32");
        return std::nullopt;
    }
    record.Size = static_cast<std::int16_t>(size);
    for (const PlaneKey& plane : kPlanes) {
        const QJsonArray rows = sprite.value(plane.key).toArray();
        if (rows.size() != kPlaneSide) {
            error = QStringLiteral("a sprite's %1 plane does not have 32 rows").arg(plane.key);
            return std::nullopt;
        }
        for (int y = 0; y < kPlaneSide; ++y) {
            const auto row = ParseRow(rows[y].toString());
            if (!row) {
                error = QStringLiteral("a sprite's %1 row is not 8 hex digits").arg(plane.key);
                return std::nullopt;
            }
            (record.*plane.plane).SetFullRow(y, *row);
        }
    }
    return record;
}

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

QJsonObject BaseRecord(qint64 time, const QString& name, const QString& filePath,
                       const SpriteTable& table) {
    QJsonArray sprites;
    std::vector<int> open;
    for (int i = 0; i < table.SpriteCount(); ++i) {
        sprites.append(SpriteObject(table.Record(i)));
        if (table.Record(i).IsOpen)
            open.push_back(i);
    }
    return {{"format", kFormat}, {"version", kVersion}, {"time", time},           {"name", name},
            {"file", filePath},  {"sprites", sprites},  {"open", OpenArray(open)}};
}

QJsonObject StepRecord(qint64 time, int step, int index, const SpriteRecord& record,
                       const std::vector<int>& openEditors) {
    return {{"step", step},
            {"time", time},
            {"index", index},
            {"sprite", SpriteObject(record)},
            {"open", OpenArray(openEditors)}};
}

QJsonObject AddedSpritesRecord(qint64 time, int step, int index,
                               std::span<const SpriteRecord> records,
                               const std::vector<int>& openEditors) {
    QJsonArray sprites;
    for (const SpriteRecord& record : records)
        sprites.append(SpriteObject(record));
    return {{"step", step},
            {"time", time},
            {"index", index},
            {"sprites", sprites},
            {"open", OpenArray(openEditors)}};
}

QJsonObject KeptSpritesRecord(qint64 time, int step, int count,
                              const std::vector<int>& openEditors) {
    return {{"step", step}, {"time", time}, {"count", count}, {"open", OpenArray(openEditors)}};
}

std::optional<QString> SpriteRefusal(const SpriteRecord& record) {
    if (const auto fault = NameFault(QString::fromStdString(record.Name)))
        return QStringLiteral("The sprite's name %1.").arg(*fault);
    if (!IsValidSize(record.Size))
        return QStringLiteral("The sprite's size is not 0, 8, 16 or 32.");
    return std::nullopt;
}

namespace {

std::optional<QString> OpenRefusal(const std::vector<int>& openEditors, int count) {
    for (const int open : openEditors)
        if (open < 0 || open >= count)
            return QStringLiteral("Sprite %1 does not exist.").arg(open);
    return std::nullopt;
}

} // namespace

std::optional<QString> StepRefusal(int index, int spriteCount,
                                   const std::vector<int>& openEditors) {
    if (index < 0 || index > spriteCount)
        return QStringLiteral("Sprite %1 does not exist.").arg(index);
    if (index == spriteCount && spriteCount >= SpriteTable::kMaxSprites)
        return QStringLiteral("The project already has %1 sprites.").arg(spriteCount);
    return OpenRefusal(openEditors, index == spriteCount ? spriteCount + 1 : spriteCount);
}

std::optional<QString> AddedRefusal(std::span<const SpriteRecord> records, int spriteCount,
                                    const std::vector<int>& openEditors) {
    if (records.empty())
        return QStringLiteral("No sprites are added.");
    const auto count = static_cast<std::size_t>(spriteCount) + records.size();
    if (count > static_cast<std::size_t>(SpriteTable::kMaxSprites))
        return QStringLiteral("The project would have more than %1 sprites.")
            .arg(SpriteTable::kMaxSprites);
    for (const SpriteRecord& record : records)
        if (auto refusal = SpriteRefusal(record))
            return refusal;
    return OpenRefusal(openEditors, static_cast<int>(count));
}

std::optional<QString> KeptRefusal(int count, int spriteCount,
                                   const std::vector<int>& openEditors) {
    if (count < 0 || count > spriteCount)
        return QStringLiteral("The project has no %1 sprites to keep.").arg(count);
    return OpenRefusal(openEditors, count);
}

std::optional<QString> ReplayBase(const QJsonObject& record, RecoveredProject& project) {
    if (record.value("format").toString() != QLatin1StringView(kFormat))
        return QStringLiteral("it is not a Vellicor recovery journal");
    const qint64 version = Count(record.value("version"));
    if (version > kVersion)
        return QStringLiteral("it was written by a newer version of Vellicor");
    if (version != kVersion)
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
                                                        : ReplaySprite(record, project.table);
    if (refusal)
        return refusal;
    project.lastChange = QDateTime::fromMSecsSinceEpoch(time);
    return std::nullopt;
}

} // namespace vellicor
