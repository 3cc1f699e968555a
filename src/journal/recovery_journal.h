#pragma once

#include "export/header_style.h"
#include "model/sprite_table.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <optional>
#include <span>
#include <vector>

namespace vellicor {

// The recovery journal that this process writes while its project has unsaved changes: a
// base record with the whole project, then one record per completed step, each durable
// before the call returns, so a crash at any moment loses no completed step. Its records come
// from the document, which holds only what a journal can: the reader's checks are not repeated.
class RecoveryJournal {
  public:
    RecoveryJournal() = default;
    RecoveryJournal(const RecoveryJournal&) = delete;
    RecoveryJournal& operator=(const RecoveryJournal&) = delete;
    ~RecoveryJournal(); // closes; does not remove

    // Creates (or replaces) the journal file with the base record: the whole project. The
    // file is replaced by a rename, so a crash here leaves the old journal or the new one
    // whole. Returns the reason on failure, and is then not started.
    std::optional<QString> Start(const QString& path, const QString& name, const QString& filePath,
                                 const SpriteTable& table, HeaderStyle style = HeaderStyle::Plain);
    // Appends one completed step: the whole state of sprite `index` (its name, size, three
    // planes) and the indexes of the sprites whose editors are open now. An index one past
    // the last sprite appends a new sprite. Written with one pwrite() and fdatasync'ed before
    // it returns; returns the system's reason on failure, and the next step then overwrites
    // whatever part of this one reached the file.
    std::optional<QString> AppendSprite(int index, const SpriteRecord& record,
                                        const std::vector<int>& openEditors);
    // Appends one step that added `records` at `first`, the end, all in one record.
    std::optional<QString> AppendSprites(int first, std::span<const SpriteRecord> records,
                                         const std::vector<int>& openEditors);
    // Appends one step after which the project keeps only its first `count` sprites.
    std::optional<QString> KeepSprites(int count, const std::vector<int>& openEditors);
    // Appends one step that renamed the project.
    std::optional<QString> AppendProjectName(const QString& name,
                                             const std::vector<int>& openEditors);
    // Appends one step that deleted, put in or reordered sprites: `table` afterwards, and for
    // each of its sprites the index it had before, or -1 for one put in, which goes whole.
    std::optional<QString> AppendOrder(std::span<const int> sources, const SpriteTable& table,
                                       const std::vector<int>& openEditors);
    // Appends which windows are open, when that changed since the last record.
    std::optional<QString> AppendWindows(const std::vector<int>& openEditors);
    bool IsStarted() const { return fd_ >= 0; }
    void Close();

    // Where Start() writes the base record before renaming it into place.
    static QString TemporaryPath(const QString& path) { return path + QStringLiteral(".new"); }

  private:
    std::optional<QString> WriteStep(const QJsonObject& record,
                                     const std::vector<int>& openEditors);

    int fd_ = -1;
    qint64 committed_ = 0; // bytes of complete records
    int steps_ = 0;
    std::vector<int> open_; // the windows the last record left open
};

// What a journal brings back.
struct RecoveredProject {
    QString name;         // ProjectName
    QString filePath;     // the project's file, empty when it had none
    SpriteTable table;    // every sprite whole; Record(i).IsOpen = its editor was open
    QDateTime lastChange; // time of the last completed step
    HeaderStyle headerStyle = HeaderStyle::Plain;
};

struct JournalRead {
    std::optional<RecoveredProject> project; // set when at least the base record is sound
    QString error;                           // why it is garbage, when it is
    int steps = 0;                           // completed steps replayed after the base
    QString damage; // why replay stopped before the end (a torn last step), else empty
};

// Replays a journal's bytes. Replay stops at the first line that is incomplete, fails its
// checksum or is not a valid step; every step before it is recovered. A journal whose base
// record is not sound is garbage: no project, and `error` says why.
JournalRead ReadJournal(const QByteArray& bytes);

// A journal of far more steps than a day's work makes is refused before it is read.
constexpr qint64 kMaxJournalBytes = qint64{512} * 1024 * 1024;

// Reads the journal file (an unreadable file's reason is the system's), then ReadJournal.
JournalRead LoadJournalFile(const QString& path);

} // namespace vellicor
