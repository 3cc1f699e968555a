#include "project_document.h"

#include <QUndoStack>
#include <algorithm>
#include <utility>

namespace vellicor {

ProjectDocument::ProjectDocument(QObject* parent) : QObject(parent) {}

ProjectDocument::~ProjectDocument() = default;

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
    structureChanged_ = unsaved;
    ReportModified();
    emit IdentityChanged();
}

void ProjectDocument::DropHistories() {
    strokeIndex_ = -1;
    strokeChanges_.clear();
    histories_.clear();
    uncleanHistories_ = 0;
}

void ProjectDocument::MarkSaved(const QString& path) {
    const bool moved = path != filePath_;
    filePath_ = path;
    structureChanged_ = false;
    for (const auto& history : histories_) {
        if (history)
            history->setClean(); // counts itself down through cleanChanged
    }
    ReportModified();
    if (moved)
        emit IdentityChanged();
}

int ProjectDocument::AppendSprite(const QString& name) {
    const int index = table_.Append(name.toStdString());
    structureChanged_ = true;
    ReportModified();
    emit StepCompleted(index);
    return index;
}

int ProjectDocument::ImportSprite(const QString& name, const SpriteRecord& picture) {
    const int index = table_.Append(name.toStdString());
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
    structureChanged_ = true;

    // Both parts were made above, so pushing them runs no redo that changes anything.
    if (!changes.empty() || picture.Size != 0) {
        const QString text = QStringLiteral("Import PNG");
        QUndoStack* history = History(index);
        history->beginMacro(text);
        if (!changes.empty())
            history->push(new PaintStep(*this, index, text, std::move(changes)));
        if (picture.Size != 0)
            history->push(new SizeStep(*this, index, 0, picture.Size));
        history->endMacro();
    }
    ReportModified();
    emit StepCompleted(index); // one journal entry holds the sprite whole
    return index;
}

QUndoStack* ProjectDocument::History(int index) {
    const auto slot = static_cast<std::size_t>(index);
    if (histories_.size() <= slot)
        histories_.resize(slot + 1);
    if (!histories_[slot]) {
        histories_[slot] = std::make_unique<QUndoStack>();
        connect(histories_[slot].get(), &QUndoStack::cleanChanged, this, [this](bool clean) {
            uncleanHistories_ += clean ? -1 : 1;
            ReportModified();
        });
    }
    return histories_[slot].get();
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
    emit SpriteRestored(index);
    emit StepCompleted(index);
}

void ProjectDocument::ApplySize(int index, int size) {
    table_.Record(index).Size = static_cast<std::int16_t>(size);
    emit SpriteRestored(index);
    emit StepCompleted(index);
}

void ProjectDocument::SetOpen(int index, bool open) {
    table_.Record(index).IsOpen = open;
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
