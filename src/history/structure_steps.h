#pragma once

#include "model/sprite_identity.h"
#include "model/sprite_record.h"

#include <QUndoCommand>
#include <QUndoStack>
#include <memory>
#include <vector>

namespace vellicor {

// Sprites out of the project: taken out by a step or its undo, or copies made to be put in.
// They are kept whole, later painting, their identities and their own histories included, so
// that putting them back brings exactly what was taken and nothing done to them is lost.
struct KeptSprites {
    std::vector<SpriteRecord> records;
    std::vector<SpriteId> ids;                          // one per record
    std::vector<std::unique_ptr<QUndoStack>> histories; // one per record; null for none yet
};

// What undoing and redoing a change of the project's sprites writes to. The project's history
// is the only way its list of sprites changes, so when a step is undone or redone the list is
// as that step left it or found it, and indexes are enough to name sprites here.
class StructureStepTarget {
  public:
    // Takes the sprites from `first` to the end out of the project, windows closed.
    virtual KeptSprites TakeSprites(int first) = 0;
    // Appends kept sprites again, with their histories.
    virtual void PutBackSprites(KeptSprites kept) = 0;
    // Takes the sprites at `indexes` (ascending) out, each as it is, open window included.
    virtual KeptSprites RemoveSprites(const std::vector<int>& indexes) = 0;
    // Puts kept sprites in so that the k-th ends at indexes[k] (ascending).
    virtual void InsertSprites(const std::vector<int>& indexes, KeptSprites kept) = 0;
    // The sprites in a new order: the one at order[i] goes to i.
    virtual void ReorderSprites(const std::vector<int>& order) = 0;
    // Names the sprite at `index`, or the project when it is kProjectItself.
    virtual void ApplyName(int index, const QString& name) = 0;
    static constexpr int kProjectItself = -1;

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
