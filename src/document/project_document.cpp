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
                                     bool unsaved) {
    DropHistories();
    table_ = std::move(table);
    name_ = name;
    filePath_ = path;
    unsavedWhenReplaced_ = unsaved;
    ReportModified();
    emit IdentityChanged();
}

void ProjectDocument::DropHistories() {
    strokeIndex_ = -1;
    strokeChanges_.clear();
    histories_.clear();
    uncleanHistories_.clear();
    pending_ = {};
    projectHistory_.clear();
}

void ProjectDocument::MarkSaved(const QString& path) {
    const bool moved = path != filePath_;
    filePath_ = path;
    unsavedWhenReplaced_ = false;
    for (const auto& history : histories_) {
        if (history)
            history->setClean(); // settles through cleanChanged
    }
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
            history->push(new PaintStep(*this, index, text, std::move(changes)));
        if (picture.Size != 0)
            history->push(new SizeStep(*this, index, 0, picture.Size));
        history->endMacro();
    }
    ReportModified();
    emit SpritesAdded(index, 1); // one journal entry holds the sprite whole
    return index;
}

KeptSprites ProjectDocument::TakeSprites(int first) {
    if (strokeIndex_ >= first)
        EndStroke();
    KeptSprites kept;
    kept.records = table_.TakeFrom(first);
    for (SpriteRecord& record : kept.records)
        record.IsOpen = false; // their windows close with them
    const auto from = static_cast<std::size_t>(first);
    for (std::size_t slot = from; slot < from + kept.records.size(); ++slot) {
        std::unique_ptr<QUndoStack> history;
        if (slot < histories_.size() && histories_[slot]) {
            history = std::move(histories_[slot]);
            emit HistoryRetired(history.get());
            uncleanHistories_.erase(history.get());
        }
        kept.histories.push_back(std::move(history));
    }
    if (histories_.size() > from)
        histories_.resize(from);
    pending_.removedFrom = first;
    return kept;
}

void ProjectDocument::PutBackSprites(KeptSprites kept) {
    const int first = table_.SpriteCount();
    histories_.resize(static_cast<std::size_t>(first));
    for (std::size_t i = 0; i < kept.records.size(); ++i) {
        table_.AppendRecord(std::move(kept.records[i]));
        std::unique_ptr<QUndoStack>& history = kept.histories[i];
        if (history && !history->isClean())
            uncleanHistories_.insert(history.get());
        histories_.push_back(std::move(history));
    }
    pending_.addedFrom = first;
}

QUndoStack* ProjectDocument::History(int index) {
    const auto slot = static_cast<std::size_t>(index);
    if (histories_.size() <= slot)
        histories_.resize(slot + 1);
    if (!histories_[slot]) {
        histories_[slot] = std::make_unique<QUndoStack>();
        WatchHistory(*histories_[slot]);
    }
    return histories_[slot].get();
}

void ProjectDocument::WatchHistory(QUndoStack& history) {
    const auto settle = [this, &history] { Settle(history); };
    connect(&history, &QUndoStack::indexChanged, this, settle);
    connect(&history, &QUndoStack::cleanChanged, this, settle);
}

void ProjectDocument::Settle(const QUndoStack& history) {
    // A history that undo kept aside is not counted: it only settles here as it is destroyed.
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
    if (effects.restored >= 0) {
        emit SpriteRestored(effects.restored);
        emit StepCompleted(effects.restored);
    }
}

void ProjectDocument::BeginStroke(int index, const QString& text) {
    if (InStroke())
        EndStroke();
    strokeIndex_ = index;
    strokeText_ = text;
    strokeChanges_.clear();
}

void ProjectDocument::EndStroke() {
    if (!InStroke())
        return;
    const int index = std::exchange(strokeIndex_, -1);
    if (strokeChanges_.empty())
        return; // a press that changed nothing is no step
    History(index)->push(
        new PaintStep(*this, index, strokeText_, std::exchange(strokeChanges_, {})));
    emit StepCompleted(index);
}

bool ProjectDocument::SetPixel(int index, int x, int y, PlaneBits bits) {
    SpriteRecord& record = table_.Record(index);
    const PlaneBits before = record.Bits(x, y);
    if (before == bits)
        return false;
    record.SetBits(x, y, bits);
    const PixelChange change{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y),
                             PackBits(before), PackBits(bits)};
    if (strokeIndex_ == index) {
        // A stroke that crosses a pixel twice keeps its first "before".
        auto same = std::find_if(strokeChanges_.begin(), strokeChanges_.end(),
                                 [&](const PixelChange& c) { return c.x == x && c.y == y; });
        if (same == strokeChanges_.end())
            strokeChanges_.push_back(change);
        else
            same->after = change.after;
    } else {
        History(index)->push(new PaintStep(*this, index, QStringLiteral("Paint"), {change}));
        emit StepCompleted(index);
    }
    return true;
}

void ProjectDocument::SetSize(int index, int size) {
    SpriteRecord& record = table_.Record(index);
    const int before = record.Size;
    if (before == size)
        return;
    record.Size = static_cast<std::int16_t>(size);
    History(index)->push(new SizeStep(*this, index, before, size));
    emit StepCompleted(index);
}

void ProjectDocument::ApplyPixels(int index, const std::vector<PixelChange>& changes, bool after) {
    SpriteRecord& record = table_.Record(index);
    for (const PixelChange& change : changes)
        record.SetBits(change.x, change.y, UnpackBits(after ? change.after : change.before));
    pending_.restored = index;
}

void ProjectDocument::ApplySize(int index, int size) {
    table_.Record(index).Size = static_cast<std::int16_t>(size);
    pending_.restored = index;
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
