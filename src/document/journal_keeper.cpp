#include "journal_keeper.h"

#include "project_document.h"

namespace vellicor {

JournalKeeper::JournalKeeper(ProjectDocument& document, const QString& folder, QObject* parent)
    : QObject(parent), document_(document), store_(folder) {
    connect(&document_, &ProjectDocument::StepCompleted, this, &JournalKeeper::Record);
    // One new sprite is one step record; many, or sprites taken out, start the journal afresh
    // from the whole project, so recovery never replays a half-made import.
    connect(&document_, &ProjectDocument::SpritesAdded, this, [this](int first, int count) {
        if (count == 1)
            Record(first);
        else if (document_.IsModified())
            Restart();
    });
    connect(&document_, &ProjectDocument::SpritesRemoved, this, [this] {
        if (document_.IsModified())
            Restart();
    });
    // Saved, opened, new or discarded: nothing unsaved is left to protect.
    connect(&document_, &ProjectDocument::ModifiedChanged, this, [this](bool modified) {
        if (!modified)
            Release();
    });
    connect(&document_, &ProjectDocument::IdentityChanged, this, [this] {
        if (!document_.IsModified())
            Release();
    });
}

JournalKeeper::~JournalKeeper() {
    Release();
}

void JournalKeeper::Record(int index) {
    if (!document_.IsModified())
        return;
    if (!journal_.IsStarted()) {
        Restart(); // the base record holds this step already
        return;
    }
    const auto failure =
        journal_.AppendSprite(index, document_.Record(index), document_.OpenEditors());
    Report(failure);
}

void JournalKeeper::Restart() {
    const QString path = store_.ClaimJournal();
    if (path.isEmpty()) {
        Report(tr("The folder \"%1\" cannot be written.").arg(store_.Folder()));
        return;
    }
    Report(journal_.Start(path, document_.Name(), document_.FilePath(), document_.Table()));
}

void JournalKeeper::Release() {
    journal_.Close();
    store_.Release();
}

void JournalKeeper::Report(const std::optional<QString>& failure) {
    // Said once, not at every stroke; a later success lets a new failure be said again.
    if (failure && !failed_)
        emit Failed(*failure);
    failed_ = failure.has_value();
}

} // namespace vellicor
