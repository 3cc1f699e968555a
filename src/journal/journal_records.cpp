#include "journal_records.h"

#include "model/index_runs.h"
#include "project/json_cursor.h"
#include "project/json_string.h"
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

// QJsonObject's keys in its sorted order: file, format, name, open, sprites, time, version.
BaseRecordJson BaseRecord(qint64 time, const QString& name, const QString& filePath,
                          const SpriteTable& table, HeaderStyle style) {
    std::vector<int> open;
    for (int i = 0; i < table.SpriteCount(); ++i)
        if (table.Record(i).IsOpen)
            open.push_back(i);
    const auto sprites = table.Sprites();
    const qsizetype bound = 16 * JsonCursor::MaxLineBytes(1) + MaxJsonStringBytes(name.size()) +
                            MaxJsonStringBytes(filePath.size()) + MaxSpritesJsonBytes(sprites);
    BaseRecordJson record;
    record.json.resize(bound);
    JsonCursor json(record.json.data(), JsonLayout::Compact);
    json.OpenObject();
    json.Key(kFile);
    json.String(filePath);
    json.Next(false);
    json.Key(kFormat);
    json.String(kJournalFormat);
    json.Next(false);
    if (style != HeaderStyle::Plain) {
        json.Key(kHeaderStyle);
        json.String(HeaderStyleKey(style));
        json.Next(false);
    }
    json.Key(kName);
    json.String(name);
    json.Next(false);
    json.Key(kOpen);
    json.OpenArray();
    for (std::size_t i = 0; i < open.size(); ++i) {
        json.Element();
        json.Number(open[i]);
        json.Next(i + 1 == open.size());
    }
    json.Close(']');
    json.Next(false);
    json.Key(kSprites);
    WriteSpritesJson(json, sprites, false);
    json.Next(false);
    json.Key(kTime);
    json.Number(time);
    json.Next(false);
    json.Key(kVersion);
    json.Number(kJournalVersion);
    json.Next(true);
    json.Close('}');
    record.json.resize(json.At() - record.json.constData());
    return record;
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

QJsonObject ProjectNameRecord(qint64 time, int step, const QString& name,
                              const std::vector<int>& openEditors) {
    return {{kStep, step}, {kTime, time}, {kName, name}, {kOpen, OpenJson(openEditors)}};
}

QJsonObject OrderRecord(qint64 time, int step, std::span<const int> sources,
                        const SpriteTable& table, const std::vector<int>& openEditors) {
    QJsonArray order;
    int at = 0; // the new index of the run's first sprite
    for (const IndexRun& run : RunsOf(sources)) {
        if (run.first < 0)
            order.append(SpriteJson(table.Record(at)));
        else if (run.count == 1)
            order.append(run.first);
        else
            order.append(QJsonArray{run.first, run.first + run.count - 1});
        at += run.count;
    }
    return {{kStep, step}, {kTime, time}, {kOrder, order}, {kOpen, OpenJson(openEditors)}};
}

} // namespace vellicor
