#pragma once

#include "journal/recovery_journal.h"
#include "journal/recovery_store.h"

#include <QObject>

namespace vellicor {

class ProjectDocument;

// Keeps the recovery journal in step with the project: while it holds unsaved changes every
// completed step is on disk before the next user event, and once nothing is unsaved (saved,
// discarded, undone back, or a normal exit) the journal is gone.
class JournalKeeper : public QObject {
    Q_OBJECT
  public:
    JournalKeeper(ProjectDocument& document, const QString& folder, QObject* parent = nullptr);
    ~JournalKeeper() override; // a normal exit: nothing is left to recover

    RecoveryStore& Store() { return store_; }
    // Starts the journal afresh from the whole project, as after a recovery.
    void Restart();

  signals:
    // The journal could not be written: unsaved work is not protected against a crash.
    void Failed(const QString& reason);

  private:
    // Writes one step with `append`, or starts the journal afresh from the whole project when
    // it is not started (the base record then holds the step already).
    template <typename Append> void Write(Append append);
    void RecordWindows();
    void Release();
    void Report(const std::optional<QString>& failure);

    ProjectDocument& document_;
    RecoveryStore store_;
    RecoveryJournal journal_;
    bool failed_ = false;
    bool windowsPending_ = false;
};

} // namespace vellicor
