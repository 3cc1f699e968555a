// Painting: strokes and sizes as steps of the sprite's own history, which names the sprite by
// its identity, so undo in its window finds it wherever it has moved since.
#include "project_document.h"

#include <algorithm>
#include <utility>

namespace vellicor {

QUndoStack* ProjectDocument::History(int index) {
    std::unique_ptr<QUndoStack>& history = histories_[IdOf(index)];
    if (!history) {
        history = std::make_unique<QUndoStack>();
        WatchHistory(*history);
    }
    return history.get();
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
        new PaintStep(*this, IdOf(index), strokeText_, std::exchange(strokeChanges_, {})));
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
        History(index)->push(new PaintStep(*this, IdOf(index), QStringLiteral("Paint"), {change}));
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
    History(index)->push(new SizeStep(*this, IdOf(index), before, size));
    emit StepCompleted(index);
}

void ProjectDocument::ApplyPixels(SpriteId sprite, const std::vector<PixelChange>& changes,
                                  bool after) {
    // A history is only ever undone while its sprite is in the project.
    const std::optional<int> index = IndexOf(sprite);
    if (!index)
        return;
    SpriteRecord& record = table_.Record(*index);
    for (const PixelChange& change : changes)
        record.SetBits(change.x, change.y, UnpackBits(after ? change.after : change.before));
    pending_.restored = *index;
}

void ProjectDocument::ApplySize(SpriteId sprite, int size) {
    const std::optional<int> index = IndexOf(sprite);
    if (!index)
        return;
    table_.Record(*index).Size = static_cast<std::int16_t>(size);
    pending_.restored = *index;
}

} // namespace vellicor
