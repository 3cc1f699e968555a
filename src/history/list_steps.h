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

// "Delete": the sprites at `indexes` (ascending) leave the project and wait here, whole, for
// the undo that puts them back where they were.
class DeleteStep final : public QUndoCommand {
  public:
    DeleteStep(StructureStepTarget& target, std::vector<int> indexes);
    void undo() override;
    void redo() override;

  private:
    StructureStepTarget& target_;
    std::vector<int> indexes_;
    KeptSprites kept_;
};

// "Duplicate": copies made beforehand go in at `indexes` (ascending), each right after its
// original; undo takes them out again, as they are by then, for redo to bring back.
class DuplicateStep final : public QUndoCommand {
  public:
    DuplicateStep(StructureStepTarget& target, std::vector<int> indexes, KeptSprites copies);
    void undo() override;
    void redo() override;

  private:
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
