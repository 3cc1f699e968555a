// A record of the sprites in a new order: each entry an old index, a range [a,b] of them, or a
// sprite put in whole. It comes from a file that may be torn or tampered with, so nothing is
// trusted: every old index must exist and be used once at most, and the list must fit a project.
#include "model/index_runs.h"
#include "record_parts.h"

namespace vellicor {
namespace {

// The old indexes an entry names, first .. last, or first < 0 when it names none that exist.
std::pair<qint64, qint64> OldIndexes(const QJsonValue& entry) {
    if (!entry.isArray())
        return {Count(entry), Count(entry)};
    const QJsonArray range = entry.toArray();
    if (range.size() != 2)
        return {-1, -1};
    return {Count(range[0]), Count(range[1])};
}

} // namespace

std::optional<QString> ReplayOrder(const QJsonValue& order, const QJsonValue& openList,
                                   SpriteTable& table) {
    if (!order.isArray())
        return QStringLiteral("its order is not a list");
    const qint64 count = table.SpriteCount();
    std::vector<bool> used(static_cast<std::size_t>(count), false);
    std::vector<IndexRun> runs; // a negative first: the next of the sprites put in
    std::vector<SpriteRecord> putIn;
    qint64 total = 0;
    for (const QJsonValue& entry : order.toArray()) {
        if (entry.isObject()) {
            if (auto refusal = ReadSprites({entry}, putIn))
                return refusal;
            runs.push_back({-1, 1});
        } else {
            const auto [first, last] = OldIndexes(entry);
            if (first < 0 || last < first || last >= count)
                return QStringLiteral("its order names a sprite that does not exist");
            for (qint64 i = first; i <= last; ++i) {
                if (used[static_cast<std::size_t>(i)])
                    return QStringLiteral("its order names a sprite twice");
                used[static_cast<std::size_t>(i)] = true;
            }
            runs.push_back({static_cast<int>(first), static_cast<int>(last - first + 1)});
        }
        total += runs.back().count;
        if (total > SpriteTable::kMaxSprites)
            return QStringLiteral("it has more than %1 sprites").arg(SpriteTable::kMaxSprites);
    }
    std::vector<bool> open;
    if (auto refusal = ReadOpen(openList, total, open))
        return refusal;

    // Sound: only now are the sprites moved out of the table they were in.
    SpriteTable reordered;
    auto next = putIn.begin();
    for (const IndexRun& run : runs) {
        if (run.first < 0)
            reordered.AppendRecord(std::move(*next++));
        for (int i = run.first; run.first >= 0 && i < run.first + run.count; ++i)
            reordered.AppendRecord(std::move(table.Record(i)));
    }
    for (int i = 0; i < reordered.SpriteCount(); ++i)
        reordered.Record(i).IsOpen = open[static_cast<std::size_t>(i)];
    table = std::move(reordered);
    return std::nullopt;
}

} // namespace vellicor
