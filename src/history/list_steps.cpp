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

SpritesInOutStep::SpritesInOutStep(StructureStepTarget& target, const QString& text,
                                   std::vector<int> indexes, KeptSprites held)
    : QUndoCommand(text), target_(target), indexes_(std::move(indexes)), kept_(std::move(held)) {}

void SpritesInOutStep::Toggle() {
    if (kept_.records.empty())
        kept_ = target_.RemoveSprites(indexes_);
    else
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
