#pragma once

#include "export/header_style.h"
#include "model/sprite_table.h"
#include "project/project_keys.h"

#include <QByteArray>
#include <QJsonObject>
#include <span>
#include <vector>

namespace vellicor {

inline constexpr QLatin1String kJournalFormat("vellicor-journal");
// Version 2 added renames of the project and rearranged sprites; version 1 journals, which
// cannot hold them, read as before.
inline constexpr qint64 kJournalVersion = 2;
inline constexpr qint64 kOldestJournalVersion = 1;

// The keys of the records, for the writer and the reader alike. Those the project file has too
// (format, version, name, sprites, open) are its own.
namespace journal_keys {
using namespace project_keys;
inline constexpr QLatin1String kTime("time");
inline constexpr QLatin1String kFile("file");
inline constexpr QLatin1String kStep("step");
inline constexpr QLatin1String kIndex("index");
inline constexpr QLatin1String kSprite("sprite");
inline constexpr QLatin1String kCount("count");
inline constexpr QLatin1String kOrder("order");
inline constexpr std::array kAllKeys{kFormat, kVersion, kName,  kSprites, kSize,       kOpen,
                                     kDark,   kLight,   kMask,  kTime,    kFile,       kStep,
                                     kIndex,  kSprite,  kCount, kOrder,   kHeaderStyle};
} // namespace journal_keys

// The two kinds of journal record. The base record holds the whole project:
//   {"format":"vellicor-journal","version":1,"time":T,"name":N,"file":F,
//    "sprites":[S, ...],"open":[i, ...]}
// with "headerStyle" after "format" when Compile's style is not plain; a change of style starts
// the journal afresh with a new base record.
// and each later step record the whole state of one sprite after a completed step:
//   {"step":k,"time":T,"index":i,"sprite":S,"open":[i, ...]}
// where S is a sprite as the project file holds it, without "open" (SpriteJson), T =
// milliseconds since 1970 UTC, k counts steps from 1,
// "open" lists the sprites whose editors are open, and i == the sprite count appends one.
// A step that adds several sprites at once (an import) holds them all, so that it is
// replayed whole or not at all, and undo taking sprites out keeps the first n:
//   {"step":k,"time":T,"index":i,"sprites":[S, ...],"open":[i, ...]}  (i == the sprite count)
//   {"step":k,"time":T,"count":n,"open":[i, ...]}
// A window opened or closed is no step of the project's history, but the journal keeps it,
// so that a crash brings back the windows that were open:
//   {"step":k,"time":T,"open":[i, ...]}
// The project renamed:
//   {"step":k,"time":T,"name":N,"open":[i, ...]}
// The sprites deleted, put in or reordered: the new list, each entry an old index i, a range
// [a,b] of old indexes a to b, or a whole sprite S put in; old indexes left out were deleted.
// A move in the largest project is a few entries:
//   {"step":k,"time":T,"order":[i | [a,b] | S, ...],"open":[i, ...]}

// The base record written straight as compact JSON, byte for byte what QJsonDocument writes for
// it: building a document of every sprite first made the first step of a large project slow.
struct BaseRecordJson {
    QByteArray json;
};

BaseRecordJson BaseRecord(qint64 time, const QString& name, const QString& filePath,
                          const SpriteTable& table, HeaderStyle style = HeaderStyle::Plain);
QJsonObject StepRecord(qint64 time, int step, int index, const SpriteRecord& record,
                       const std::vector<int>& openEditors);
QJsonObject AddedSpritesRecord(qint64 time, int step, int index,
                               std::span<const SpriteRecord> records,
                               const std::vector<int>& openEditors);
QJsonObject KeptSpritesRecord(qint64 time, int step, int count,
                              const std::vector<int>& openEditors);
QJsonObject WindowsRecord(qint64 time, int step, const std::vector<int>& openEditors);
QJsonObject ProjectNameRecord(qint64 time, int step, const QString& name,
                              const std::vector<int>& openEditors);
// `sources` as SpritesRearranged gives them: the old index of each sprite of `table`, or -1 for
// one put in, which the record then holds whole.
QJsonObject OrderRecord(qint64 time, int step, std::span<const int> sources,
                        const SpriteTable& table, const std::vector<int>& openEditors);

} // namespace vellicor
