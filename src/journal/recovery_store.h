#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QLockFile;

namespace vellicor {

// The folder of recovery journals and who owns each one. A journal "NAME.journal" is owned
// by the process that holds the lock file "NAME.journal.lock" beside it; a journal whose
// lock is stale or absent was left by a process that did not exit normally.
class RecoveryStore {
  public:
    explicit RecoveryStore(QString folder); // the folder, created on demand
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;
    // Drops the lock but keeps the journal: without a Release() the work was not put away,
    // so the next start offers it for recovery.
    ~RecoveryStore();

    // QStandardPaths::AppLocalDataLocation + "/recovery".
    static QString DefaultFolder();
    QString Folder() const { return folder_; }

    // A fresh journal path for this running instance, locked until Release() or destruction,
    // so two instances never mix. The same path while claimed; empty when the folder cannot
    // be created or locked in.
    QString ClaimJournal();
    QString ClaimedJournal() const { return journal_; }
    // Removes this instance's journal and its lock.
    void Release();

    // Journals whose owner is no longer running, oldest change first. Cheap: one listing of
    // the folder and one look at each journal's lock, so it can run at every start-up.
    QStringList OrphanedJournals() const;

    // Moves a garbage journal aside (renamed, never deleted) so it is not offered again.
    static void SetAside(const QString& journalPath);
    // Removes a journal and its lock.
    static void Discard(const QString& journalPath);

  private:
    QString folder_;
    QString journal_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace vellicor
