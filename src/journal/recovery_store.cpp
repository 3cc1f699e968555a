#include "recovery_store.h"

#include "recovery_journal.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <utility>

namespace vellicor {
namespace {

constexpr auto kJournalPattern = "*.journal";

QString LockPath(const QString& journal) {
    return journal + QStringLiteral(".lock");
}

// A lock that only its owner's death makes stale, never its age: an editor may stay open
// for days without a change.
std::unique_ptr<QLockFile> LockFor(const QString& journal) {
    auto lock = std::make_unique<QLockFile>(LockPath(journal));
    lock->setStaleLockTime(0);
    return lock;
}

// True when no running process holds the journal's lock; a stale lock is removed on the way.
bool ReleaseStaleLock(const QString& journal) {
    if (!QFileInfo::exists(LockPath(journal)))
        return true;
    const auto lock = LockFor(journal);
    if (!lock->tryLock(0))
        return false;
    lock->unlock();
    return true;
}

} // namespace

RecoveryStore::RecoveryStore(QString folder) : folder_(QDir(folder).absolutePath()) {}

RecoveryStore::~RecoveryStore() = default;

QString RecoveryStore::DefaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QStringLiteral("/recovery");
}

QString RecoveryStore::ClaimJournal() {
    if (!journal_.isEmpty())
        return journal_;
    if (!QDir().mkpath(folder_))
        return {};
    const QString stem = folder_ + QLatin1Char('/') +
                         QDateTime::currentDateTimeUtc().toString(u"yyyyMMdd-HHmmss-zzz") +
                         QLatin1Char('-') + QString::number(QCoreApplication::applicationPid());
    for (int attempt = 1; attempt <= 100; ++attempt) {
        const QString path =
            stem + (attempt > 1 ? QStringLiteral("-%1").arg(attempt) : QString()) + ".journal";
        auto lock = LockFor(path);
        if (!lock->tryLock(0)) {
            if (lock->error() != QLockFile::LockFailedError)
                return {};
            continue;
        }
        if (QFileInfo::exists(path))
            continue; // a journal left behind under the same name stays someone else's
        journal_ = path;
        lock_ = std::move(lock);
        return journal_;
    }
    return {};
}

void RecoveryStore::Release() {
    if (journal_.isEmpty())
        return;
    QFile::remove(journal_);
    QFile::remove(RecoveryJournal::TemporaryPath(journal_));
    lock_.reset(); // the journal goes before its lock, so it is never seen unowned
    journal_.clear();
}

QStringList RecoveryStore::OrphanedJournals() const {
    QStringList orphans;
    const QFileInfoList journals = QDir(folder_).entryInfoList(
        {kJournalPattern}, QDir::Files | QDir::Hidden, QDir::Time | QDir::Reversed);
    for (const QFileInfo& journal : journals) {
        const QString path = journal.absoluteFilePath();
        if (path != journal_ && ReleaseStaleLock(path))
            orphans.append(path);
    }
    return orphans;
}

void RecoveryStore::SetAside(const QString& journalPath) {
    QString aside = journalPath + QStringLiteral(".damaged");
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = journalPath + QStringLiteral(".damaged-%1").arg(n);
    QFile::rename(journalPath, aside);
    QFile::remove(RecoveryJournal::TemporaryPath(journalPath));
    ReleaseStaleLock(journalPath);
}

void RecoveryStore::Discard(const QString& journalPath) {
    QFile::remove(journalPath);
    QFile::remove(RecoveryJournal::TemporaryPath(journalPath));
    ReleaseStaleLock(journalPath);
}

} // namespace vellicor
