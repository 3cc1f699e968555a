#include "journal_records.h"

#include "project/sprite_json.h"

#include <QJsonArray>

namespace vellicor {
namespace {

using namespace journal_keys;

QJsonArray SpritesJson(std::span<const SpriteRecord> records) {
    QJsonArray sprites;
    for (const SpriteRecord& record : records)
        sprites.append(SpriteJson(record));
    return sprites;
}

QJsonArray OpenJson(const std::vector<int>& openEditors) {
    QJsonArray open;
    for (const int index : openEditors)
        open.append(index);
    return open;
}

} // namespace

QJsonObject BaseRecord(qint64 time, const QString& name, const QString& filePath,
                       const SpriteTable& table) {
    std::vector<int> open;
    for (int i = 0; i < table.SpriteCount(); ++i)
        if (table.Record(i).IsOpen)
            open.push_back(i);
    return {{kFormat, kJournalFormat},
            {kVersion, kJournalVersion},
            {kTime, time},
            {kName, name},
            {kFile, filePath},
            {kSprites, SpritesJson(table.Sprites())},
            {kOpen, OpenJson(open)}};
}

QJsonObject StepRecord(qint64 time, int step, int index, const SpriteRecord& record,
                       const std::vector<int>& openEditors) {
    return {{kStep, step},
            {kTime, time},
            {kIndex, index},
            {kSprite, SpriteJson(record)},
            {kOpen, OpenJson(openEditors)}};
}

QJsonObject AddedSpritesRecord(qint64 time, int step, int index,
                               std::span<const SpriteRecord> records,
                               const std::vector<int>& openEditors) {
    return {{kStep, step},
            {kTime, time},
            {kIndex, index},
            {kSprites, SpritesJson(records)},
            {kOpen, OpenJson(openEditors)}};
}

QJsonObject KeptSpritesRecord(qint64 time, int step, int count,
                              const std::vector<int>& openEditors) {
    return {{kStep, step}, {kTime, time}, {kCount, count}, {kOpen, OpenJson(openEditors)}};
}

QJsonObject WindowsRecord(qint64 time, int step, const std::vector<int>& openEditors) {
    return {{kStep, step}, {kTime, time}, {kOpen, OpenJson(openEditors)}};
}

} // namespace vellicor
