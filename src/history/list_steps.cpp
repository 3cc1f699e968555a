#include "list_steps.h"

#include <utility>

namespace vellicor {

RenameStep::RenameStep(StructureStepTarget& target, int index, QString before, QString after)
    : QUndoCommand(QStringLiteral("Rename")), target_(target), index_(index),
      before_(std::move(before)), after_(std::move(after)) {}

void RenameStep::undo() {
    target_.ApplyName(index_, before_);
}

void RenameStep::redo() {
    target_.ApplyName(index_, after_);
}

DeleteStep::DeleteStep(StructureStepTarget& target, std::vector<int> indexes)
    : QUndoCommand(QStringLiteral("Delete")), target_(target), indexes_(std::move(indexes)) {}

void DeleteStep::undo() {
    target_.InsertSprites(indexes_, std::exchange(kept_, {}));
}

void DeleteStep::redo() {
    kept_ = target_.RemoveSprites(indexes_);
}

DuplicateStep::DuplicateStep(StructureStepTarget& target, std::vector<int> indexes,
                             KeptSprites copies)
    : QUndoCommand(QStringLiteral("Duplicate")), target_(target), indexes_(std::move(indexes)),
      kept_(std::move(copies)) {}

void DuplicateStep::undo() {
    kept_ = target_.RemoveSprites(indexes_);
}

void DuplicateStep::redo() {
    target_.InsertSprites(indexes_, std::exchange(kept_, {}));
}

MoveStep::MoveStep(StructureStepTarget& target, const std::vector<int>& order)
    : QUndoCommand(QStringLiteral("Move")), target_(target), order_(RunsOf(order)),
      inverse_(InverseRuns(order_)) {}

void MoveStep::undo() {
    target_.ReorderSprites(ExpandRuns(inverse_));
}

void MoveStep::redo() {
    target_.ReorderSprites(ExpandRuns(order_));
}

} // namespace vellicor
