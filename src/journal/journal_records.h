#pragma once

#include "recovered_project.h"

#include <QJsonObject>
#include <optional>
#include <span>
#include <vector>

namespace vellicor {

inline constexpr auto kJournalFormat = "vellicor-journal";
inline constexpr qint64 kJournalVersion = 1;

// The two kinds of journal record. The base record holds the whole project:
//   {"format":"vellicor-journal","version":1,"time":T,"name":N,"file":F,
//    "sprites":[S, ...],"open":[i, ...]}
// and each later step record the whole state of one sprite after a completed step:
//   {"step":k,"time":T,"index":i,"sprite":S,"open":[i, ...]}
// where S = {"name":N,"size":0|8|16|32,"dark":[32 rows],"light":[32 rows],"mask":[32 rows]},
// rows as in the project file, T = milliseconds since 1970 UTC, k counts steps from 1,
// "open" lists the sprites whose editors are open, and i == the sprite count appends one.
// A step that adds several sprites at once (an import) holds them all, so that it is
// replayed whole or not at all, and undo taking sprites out keeps the first n:
//   {"step":k,"time":T,"index":i,"sprites":[S, ...],"open":[i, ...]}  (i == the sprite count)
//   {"step":k,"time":T,"count":n,"open":[i, ...]}
// A window opened or closed is no step of the project's history, but the journal keeps it,
// so that a crash brings back the windows that were open:
//   {"step":k,"time":T,"open":[i, ...]}

QJsonObject BaseRecord(qint64 time, const QString& name, const QString& filePath,
                       const SpriteTable& table);
QJsonObject StepRecord(qint64 time, int step, int index, const SpriteRecord& record,
                       const std::vector<int>& openEditors);
QJsonObject AddedSpritesRecord(qint64 time, int step, int index,
                               std::span<const SpriteRecord> records,
                               const std::vector<int>& openEditors);
QJsonObject KeptSpritesRecord(qint64 time, int step, int count,
                              const std::vector<int>& openEditors);
QJsonObject WindowsRecord(qint64 time, int step, const std::vector<int>& openEditors);

// Why a record or a step cannot be journalled; nullopt when it can. The writer refuses
// what the reader would refuse, so a journal never holds a step that replay would drop.
std::optional<QString> SpriteRefusal(const SpriteRecord& record);
std::optional<QString> StepRefusal(int index, int spriteCount, const std::vector<int>& openEditors);
std::optional<QString> AddedRefusal(std::span<const SpriteRecord> records, int spriteCount,
                                    const std::vector<int>& openEditors);
std::optional<QString> KeptRefusal(int count, int spriteCount, const std::vector<int>& openEditors);
std::optional<QString> WindowsRefusal(int spriteCount, const std::vector<int>& openEditors);

// Replay. A refused record leaves `project` as it was and returns the reason.
std::optional<QString> ReplayBase(const QJsonObject& record, RecoveredProject& project);
std::optional<QString> ReplayStep(const QJsonObject& record, int step, RecoveredProject& project);

} // namespace vellicor
