#include "structure_steps.h"

#include <utility>

namespace vellicor {

AddSpritesStep::AddSpritesStep(StructureStepTarget& target, int first, const QString& text)
    : QUndoCommand(text), target_(target), first_(first) {}

void AddSpritesStep::undo() {
    kept_ = target_.TakeSprites(first_);
    added_ = false;
}

void AddSpritesStep::redo() {
    if (!added_)
        target_.PutBackSprites(std::exchange(kept_, {}));
    added_ = true;
}

} // namespace vellicor
