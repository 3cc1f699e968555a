#pragma once

#include "model/index_runs.h"
#include "structure_steps.h"

#include <QString>
#include <QUndoCommand>
#include <vector>

namespace vellicor {

// The steps that edit the project's list of sprites, each pushed before it is done: the push's
// redo does it, so the step, its undo and its redo take one path.

// "Rename": a sprite's name, or the project's (index StructureStepTarget::kProjectItself).
class RenameStep final : public QUndoCommand {
  public:
    RenameStep(StructureStepTarget& target, int index, QString before, QString after);
    void undo() override;
    void redo() override;

  private:
    StructureStepTarget& target_;
    int index_;
    QString before_;
    QString after_;
};

// Sprites at `indexes` (ascending) taken out of the project or put into it, each undo and redo
// doing the other. "Delete" starts with nothing held, so its redo takes the sprites out;
// "Duplicate" starts holding the copies made beforehand, so its redo puts them in, each right
// after its original. Sprites out of the project wait here, whole, for the step that puts them
// back as they were.
class SpritesInOutStep final : public QUndoCommand {
  public:
    SpritesInOutStep(StructureStepTarget& target, const QString& text, std::vector<int> indexes,
                     KeptSprites held = {});
    void undo() override { Toggle(); }
    void redo() override { Toggle(); }

  private:
    void Toggle();

    StructureStepTarget& target_;
    std::vector<int> indexes_;
    KeptSprites kept_;
};

// "Move": the sprites in a new order, kept as runs of old indexes both ways, so moving one
// sprite in a full project costs a few bytes of history rather than the whole order twice.
class MoveStep final : public QUndoCommand {
  public:
    MoveStep(StructureStepTarget& target, const std::vector<int>& order);
    void undo() override;
    void redo() override;

  private:
    StructureStepTarget& target_;
    std::vector<IndexRun> order_;
    std::vector<IndexRun> inverse_;
};

} // namespace vellicor
