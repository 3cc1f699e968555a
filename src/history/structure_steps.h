#pragma once

#include "model/sprite_record.h"

#include <QUndoCommand>
#include <QUndoStack>
#include <memory>
#include <vector>

namespace vellicor {

// Sprites taken out of the project by undoing the step that added them. They are kept whole,
// later painting and their own histories included, so that redo puts back exactly what undo
// took and nothing done to them is lost.
struct KeptSprites {
    std::vector<SpriteRecord> records;
    std::vector<std::unique_ptr<QUndoStack>> histories; // one per record; null for none yet
};

// What undoing and redoing a change of the project's sprites writes to.
class StructureStepTarget {
  public:
    // Takes the sprites from `first` to the end out of the project.
    virtual KeptSprites TakeSprites(int first) = 0;
    // Appends kept sprites again, with their histories.
    virtual void PutBackSprites(KeptSprites kept) = 0;

  protected:
    ~StructureStepTarget() = default;
};

// Sprites added at the end of the project: New Sprite, or an import of one or many. It is
// recorded once the sprites are in, so the first redo, which the stack runs on push, does
// nothing. Steps of the project's history always concern its last sprites, so undoing the
// newest one takes exactly the sprites it added.
class AddSpritesStep final : public QUndoCommand {
  public:
    AddSpritesStep(StructureStepTarget& target, int first, const QString& text);
    void undo() override;
    void redo() override;

  private:
    StructureStepTarget& target_;
    int first_;
    bool added_ = true;
    KeptSprites kept_;
};

} // namespace vellicor
