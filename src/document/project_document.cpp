#include "project_document.h"

#include <QUndoStack>
#include <algorithm>
#include <utility>

namespace vellicor {

ProjectDocument::ProjectDocument(QObject* parent) : QObject(parent) {
    WatchHistory(projectHistory_);
}

ProjectDocument::~ProjectDocument() {
    // The histories are torn down while every member they report to is still whole, and
    // nobody is told: the windows that would listen are going too.
    blockSignals(true);
    DropHistories();
}

void ProjectDocument::ReportModified() {
    if (IsModified() == reportedModified_)
        return;
    reportedModified_ = IsModified();
    emit ModifiedChanged(reportedModified_);
}

void ProjectDocument::StartProject(const QString& name) {
    ReplaceProject(name, SpriteTable(), QString());
}

void ProjectDocument::ReplaceProject(const QString& name, SpriteTable table, const QString& path,
                                     bool unsaved, HeaderStyle style) {
    DropHistories();
    table_ = std::move(table);
    ids_.clear();
    for (int i = 0; i < table_.SpriteCount(); ++i)
        ids_.push_back(nextId_++);
    name_ = name;
    filePath_ = path;
    unsavedWhenReplaced_ = unsaved;
    compileStyle_ = savedCompileStyle_ = style;
    ReportModified();
    emit IdentityChanged();
}

void ProjectDocument::SetCompileStyle(HeaderStyle style) {
    if (style == compileStyle_)
        return;
    compileStyle_ = style;
    ReportModified();
    emit CompileStyleChanged();
}

void ProjectDocument::DropHistories() {
    strokeIndex_ = -1;
    strokeChanges_.clear();
    // Nothing a dropped history says on its way out concerns the project any more.
    for (const auto& [id, history] : histories_)
        history->disconnect(this);
    histories_.clear();
    uncleanHistories_.clear();
    pending_ = {};
    projectHistory_.clear();
}

void ProjectDocument::MarkSaved(const QString& path) {
    const bool moved = path != filePath_;
    filePath_ = path;
    unsavedWhenReplaced_ = false;
    savedCompileStyle_ = compileStyle_;
    for (const auto& [id, history] : histories_)
        history->setClean(); // settles through cleanChanged
    projectHistory_.setClean();
    ReportModified();
    if (moved)
        emit IdentityChanged();
}

namespace {

// One blank sprite without a size, as New Sprite makes it.
std::vector<SpriteRecord> BlankSprite(const QString& name) {
    std::vector<SpriteRecord> records(1);
    records.front().Name = name.toStdString();
    return records;
}

} // namespace

int ProjectDocument::AppendSprite(const QString& name) {
    return AddSprites(BlankSprite(name), QStringLiteral("New Sprite"));
}

int ProjectDocument::AddSprites(std::vector<SpriteRecord> records, const QString& text) {
    const int first = AppendToProject(std::move(records), text);
    ReportModified();
    emit SpritesAdded(first, table_.SpriteCount() - first);
    return first;
}

int ProjectDocument::AppendToProject(std::vector<SpriteRecord> records, const QString& text) {
    const int first = table_.SpriteCount();
    for (SpriteRecord& record : records) {
        record.IsOpen = false;
        table_.AppendRecord(std::move(record));
        ids_.push_back(nextId_++);
    }
    // The sprites are in already, so pushing runs no redo that changes anything.
    projectHistory_.push(new AddSpritesStep(*this, first, text));
    return first;
}

int ProjectDocument::ImportSprite(const QString& name, const SpriteRecord& picture) {
    const QString text = QStringLiteral("Import PNG");
    const int index = AppendToProject(BlankSprite(name), text);

    SpriteRecord& record = table_.Record(index);
    std::vector<PixelChange> changes;
    for (int y = 0; y < kPlaneSide; ++y) {
        for (int x = 0; x < kPlaneSide; ++x) {
            const PlaneBits bits = picture.Bits(x, y);
            if (bits == PlaneBits{})
                continue; // a new sprite is white already
            record.SetBits(x, y, bits);
            changes.push_back({static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y),
                               PackBits(PlaneBits{}), PackBits(bits)});
        }
    }
    record.Size = picture.Size;
    // Both parts were made above, so pushing them runs no redo that changes anything.
    if (!changes.empty() || picture.Size != 0) {
        QUndoStack* history = History(index);
        history->beginMacro(text);
        if (!changes.empty())
            history->push(new PaintStep(*this, IdOf(index), text, std::move(changes)));
        if (picture.Size != 0)
            history->push(new SizeStep(*this, IdOf(index), 0, picture.Size));
        history->endMacro();
    }
    ReportModified();
    emit SpritesAdded(index, 1); // one journal entry holds the sprite whole
    return index;
}

std::optional<int> ProjectDocument::IndexOf(SpriteId sprite) const {
    const auto found = std::find(ids_.begin(), ids_.end(), sprite);
    if (found == ids_.end())
        return std::nullopt;
    return static_cast<int>(found - ids_.begin());
}

void ProjectDocument::WatchHistory(QUndoStack& history) {
    const auto settle = [this, &history] { Settle(history); };
    connect(&history, &QUndoStack::indexChanged, this, settle);
    connect(&history, &QUndoStack::cleanChanged, this, settle);
}

void ProjectDocument::Settle(const QUndoStack& history) {
    // Only the histories of sprites in the project report here: one kept aside is not watched.
    if (&history != &projectHistory_) {
        if (history.isClean())
            uncleanHistories_.erase(&history);
        else
            uncleanHistories_.insert(&history);
    }
    ReportModified();
    const StepEffects effects = std::exchange(pending_, {});
    if (effects.removedFrom >= 0)
        emit SpritesRemoved(effects.removedFrom);
    if (effects.addedFrom >= 0)
        emit SpritesAdded(effects.addedFrom, table_.SpriteCount() - effects.addedFrom);
    if (effects.sources)
        emit SpritesRearranged(*effects.sources);
    if (effects.renamed >= 0) {
        emit SpriteRenamed(effects.renamed);
        emit StepCompleted(effects.renamed); // the journal and the header take the sprite whole
    }
    if (effects.projectRenamed) {
        emit ProjectRenamed();
        emit IdentityChanged();
    }
    if (effects.restored >= 0) {
        emit SpriteRestored(effects.restored);
        emit StepCompleted(effects.restored);
    }
}

void ProjectDocument::SetOpen(int index, bool open) {
    // The window of a sprite that undo took out closes after its sprite is gone.
    if (index < table_.SpriteCount() && table_.Record(index).IsOpen != open) {
        table_.Record(index).IsOpen = open;
        emit EditorsChanged();
    }
}

std::vector<int> ProjectDocument::OpenEditors() const {
    std::vector<int> open;
    for (int i = 0; i < table_.SpriteCount(); ++i) {
        if (table_.Record(i).IsOpen)
            open.push_back(i);
    }
    return open;
}

} // namespace vellicor
