#include "journal_records.h"

#include "journal_line.h"
#include "journal_sprite.h"
#include "model/name_rules.h"

#include <QJsonArray>
#include <array>
#include <utility>

namespace vellicor {
namespace {

QJsonArray OpenArray(const std::vector<int>& openEditors) {
    QJsonArray open;
    for (const int index : openEditors)
        open.append(index);
    return open;
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
    return {{"format", kJournalFormat},
            {"version", kJournalVersion},
            {"time", time},
            {"name", name},
            {"file", filePath},
            {"sprites", sprites},
            {"open", OpenArray(open)}};
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

QJsonObject WindowsRecord(qint64 time, int step, const std::vector<int>& openEditors) {
    return {{"step", step}, {"time", time}, {"open", OpenArray(openEditors)}};
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

std::optional<QString> WindowsRefusal(int spriteCount, const std::vector<int>& openEditors) {
    return OpenRefusal(openEditors, spriteCount);
}

} // namespace vellicor
