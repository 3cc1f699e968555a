// The project's list of sprites: rename, delete, duplicate and move as steps of the project's
// history, and what undoing and redoing those steps (and the additions) does to the list.
#include "history/list_steps.h"
#include "model/copy_names.h"
#include "model/index_runs.h"
#include "model/name_rules.h"
#include "model/rearrange.h"
#include "project_document.h"

#include <algorithm>
#include <utility>

namespace vellicor {

void ProjectDocument::RenameSprite(int index, const QString& name) {
    if (index < 0 || index >= table_.SpriteCount())
        return;
    const QString before = QString::fromStdString(table_.Record(index).Name);
    // A name no file could hold would stop the journal's replay, so it never gets in.
    if (name == before || NameFault(name))
        return;
    EndStroke();
    projectHistory_.push(new RenameStep(*this, index, before, name));
}

void ProjectDocument::RenameProject(const QString& name) {
    if (name == name_ || !HasProject() || NameFault(name))
        return;
    EndStroke();
    projectHistory_.push(new RenameStep(*this, kProjectItself, name_, name));
}

std::vector<int> ProjectDocument::SpriteSet(std::vector<int> indexes) const {
    std::erase_if(indexes, [this](int i) { return i < 0 || i >= table_.SpriteCount(); });
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    return indexes;
}

void ProjectDocument::DeleteSprites(std::vector<int> indexes) {
    indexes = SpriteSet(std::move(indexes));
    if (indexes.empty())
        return;
    EndStroke();
    projectHistory_.push(new SpritesInOutStep(*this, QStringLiteral("Delete"), std::move(indexes)));
}

std::vector<int> ProjectDocument::DuplicateSprites(std::vector<int> indexes) {
    indexes = SpriteSet(std::move(indexes));
    if (indexes.empty() ||
        table_.SpriteCount() + indexes.size() > static_cast<std::size_t>(SpriteTable::kMaxSprites))
        return {};
    EndStroke();
    QSet<QString> names;
    names.reserve(table_.SpriteCount() + static_cast<qsizetype>(indexes.size()));
    for (const SpriteRecord& record : table_.Sprites())
        names.insert(QString::fromStdString(record.Name));
    CopyNames copyNames(std::move(names));
    KeptSprites copies;
    std::vector<int> placed;
    for (std::size_t k = 0; k < indexes.size(); ++k) {
        SpriteRecord copy = table_.Record(indexes[k]);
        copy.Name = copyNames.Next(QString::fromStdString(copy.Name)).toStdString();
        copy.IsOpen = false;
        copies.records.push_back(std::move(copy));
        copies.ids.push_back(nextId_++);
        copies.histories.emplace_back();
        // Each copy right after its original, which the copies before it have moved on.
        placed.push_back(indexes[k] + static_cast<int>(k) + 1);
    }
    projectHistory_.push(
        new SpritesInOutStep(*this, QStringLiteral("Duplicate"), placed, std::move(copies)));
    return placed;
}

void ProjectDocument::MoveSprites(std::vector<int> order) {
    if (!IsPermutation(order, table_.SpriteCount()) || std::is_sorted(order.begin(), order.end()))
        return;
    EndStroke();
    projectHistory_.push(new MoveStep(*this, order));
}

KeptSprites ProjectDocument::TakeSprites(int first) {
    if (strokeIndex_ >= first)
        EndStroke();
    KeptSprites kept;
    kept.records = table_.TakeFrom(first);
    for (SpriteRecord& record : kept.records)
        record.IsOpen = false; // their windows close with them
    kept.ids.assign(ids_.begin() + first, ids_.end());
    ids_.resize(static_cast<std::size_t>(first));
    kept.histories = RetireHistories(kept.ids);
    pending_.removedFrom = first;
    return kept;
}

void ProjectDocument::PutBackSprites(KeptSprites kept) {
    const int first = table_.SpriteCount();
    for (SpriteRecord& record : kept.records)
        table_.AppendRecord(std::move(record));
    ids_.insert(ids_.end(), kept.ids.begin(), kept.ids.end());
    RestoreHistories(kept.ids, std::move(kept.histories));
    pending_.addedFrom = first;
}

std::vector<std::unique_ptr<QUndoStack>>
ProjectDocument::RetireHistories(const std::vector<SpriteId>& ids) {
    std::vector<std::unique_ptr<QUndoStack>> retired;
    retired.reserve(ids.size());
    for (const SpriteId id : ids) {
        const auto found = histories_.find(id);
        if (found == histories_.end()) {
            retired.emplace_back();
            continue;
        }
        std::unique_ptr<QUndoStack> history = std::move(found->second);
        histories_.erase(found);
        // Kept aside, it counts for nothing and reports to nobody until it is back.
        history->disconnect(this);
        uncleanHistories_.erase(history.get());
        emit HistoryRetired(history.get());
        retired.push_back(std::move(history));
    }
    return retired;
}

void ProjectDocument::RestoreHistories(const std::vector<SpriteId>& ids,
                                       std::vector<std::unique_ptr<QUndoStack>> histories) {
    for (std::size_t i = 0; i < ids.size() && i < histories.size(); ++i) {
        if (!histories[i])
            continue;
        WatchHistory(*histories[i]);
        if (!histories[i]->isClean())
            uncleanHistories_.insert(histories[i].get());
        histories_[ids[i]] = std::move(histories[i]);
    }
}

KeptSprites ProjectDocument::RemoveSprites(const std::vector<int>& indexes) {
    EndStroke();
    std::vector<int> sources;
    sources.reserve(static_cast<std::size_t>(table_.SpriteCount()) - indexes.size());
    for (int i = 0, next = 0; i < table_.SpriteCount(); ++i) {
        if (next < static_cast<int>(indexes.size()) && indexes[next] == i)
            ++next;
        else
            sources.push_back(i);
    }
    KeptSprites kept;
    kept.records = table_.TakeAt(indexes);
    kept.ids = TakeAt(ids_, indexes);
    kept.histories = RetireHistories(kept.ids);
    pending_.sources = std::move(sources);
    return kept;
}

void ProjectDocument::InsertSprites(const std::vector<int>& indexes, KeptSprites kept) {
    EndStroke();
    const std::size_t after = static_cast<std::size_t>(table_.SpriteCount()) + indexes.size();
    std::vector<int> sources;
    sources.reserve(after);
    for (int old = 0, next = 0; sources.size() < after;) {
        const bool put = next < static_cast<int>(indexes.size()) &&
                         indexes[next] == static_cast<int>(sources.size());
        sources.push_back(put ? -1 : old++);
        next += put ? 1 : 0;
    }
    table_.PutAt(indexes, std::move(kept.records));
    PutAt(ids_, indexes, kept.ids);
    RestoreHistories(kept.ids, std::move(kept.histories));
    pending_.sources = std::move(sources);
}

void ProjectDocument::ReorderSprites(const std::vector<int>& order) {
    EndStroke();
    table_.Reorder(order);
    Reorder(ids_, order);
    pending_.sources = order;
}

void ProjectDocument::ApplyName(int index, const QString& name) {
    if (index == kProjectItself) {
        name_ = name;
        pending_.projectRenamed = true;
        return;
    }
    table_.Record(index).Name = name.toStdString();
    pending_.renamed = index;
}

} // namespace vellicor
