#include "journal_keeper.h"

#include "project_document.h"

namespace vellicor {

JournalKeeper::JournalKeeper(ProjectDocument& document, const QString& folder, QObject* parent)
    : QObject(parent), document_(document), store_(folder) {
    connect(&document_, &ProjectDocument::StepCompleted, this, [this](int index) {
        Write([&] {
            return journal_.AppendSprite(index, document_.Record(index), document_.OpenEditors());
        });
    });
    connect(&document_, &ProjectDocument::SpritesAdded, this, [this](int first, int count) {
        // An import is one record, so a crash never recovers half of it.
        Write([&] {
            const auto added = document_.Table().Sprites().subspan(static_cast<std::size_t>(first));
            return count == 1 ? journal_.AppendSprite(first, added.front(), document_.OpenEditors())
                              : journal_.AppendSprites(first, added, document_.OpenEditors());
        });
    });
    connect(&document_, &ProjectDocument::SpritesRemoved, this, [this](int first) {
        Write([&] { return journal_.KeepSprites(first, document_.OpenEditors()); });
    });
    // A delete, a copy or a move is one record of the new order, in runs of old indexes, so a
    // move in the largest project costs a few bytes; sprites put in go whole.
    connect(&document_, &ProjectDocument::SpritesRearranged, this,
            [this](const std::vector<int>& sources) {
                Write([&] {
                    return journal_.AppendOrder(sources, document_.Table(),
                                                document_.OpenEditors());
                });
            });
    connect(&document_, &ProjectDocument::ProjectRenamed, this, [this] {
        Write(
            [&] { return journal_.AppendProjectName(document_.Name(), document_.OpenEditors()); });
    });
    // A style is no step to append: the journal starts again from a base record that holds it.
    connect(&document_, &ProjectDocument::CompileStyleChanged, this, [this] {
        if (document_.IsModified())
            Restart();
    });
    // Windows open and close in runs (a project opening, New Project closing them all): the
    // run is written as one record once it is over, before the next user event.
    connect(&document_, &ProjectDocument::EditorsChanged, this, [this] {
        if (!windowsPending_)
            QMetaObject::invokeMethod(this, &JournalKeeper::RecordWindows, Qt::QueuedConnection);
        windowsPending_ = true;
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

template <typename Append> void JournalKeeper::Write(Append append) {
    if (!document_.IsModified())
        return;
    if (journal_.IsStarted())
        Report(append());
    else
        Restart();
}

void JournalKeeper::RecordWindows() {
    windowsPending_ = false;
    Write([this] { return journal_.AppendWindows(document_.OpenEditors()); });
}

void JournalKeeper::Restart() {
    const QString path = store_.ClaimJournal();
    if (path.isEmpty()) {
        Report(tr("The folder \"%1\" cannot be written.").arg(store_.Folder()));
        return;
    }
    Report(journal_.Start(path, document_.Name(), document_.FilePath(), document_.Table(),
                          document_.CompileStyle()));
}

void JournalKeeper::Release() {
    journal_.Close();
    store_.Release();
}

void JournalKeeper::Report(const std::optional<QString>& failure) {
    // A step that did not reach the journal leaves it behind the project, so the next step
    // starts it afresh from the whole project rather than build on it.
    if (failure)
        journal_.Close();
    // Said once, not at every stroke; a later success lets a new failure be said again.
    if (failure && !failed_)
        emit Failed(*failure);
    failed_ = failure.has_value();
}

} // namespace vellicor
