#pragma once

#include "model/colour_table.h"
#include "model/sprite_identity.h"

#include <QUndoCommand>
#include <cstdint>
#include <vector>

namespace vellicor {

// One pixel before and after a step, its three plane bits packed into a byte each, so a
// step costs only what it changed.
struct PixelChange {
    std::uint8_t x = 0;
    std::uint8_t y = 0;
    std::uint8_t before = 0;
    std::uint8_t after = 0;
};

std::uint8_t PackBits(PlaneBits bits);
PlaneBits UnpackBits(std::uint8_t packed);

// What undoing and redoing a step writes to; the project applies it and tells its windows. A
// step names its sprite by identity, not index: the sprite may have moved since the step.
class SpriteStepTarget {
  public:
    virtual void ApplyPixels(SpriteId sprite, const std::vector<PixelChange>& changes,
                             bool after) = 0;
    virtual void ApplySize(SpriteId sprite, int size) = 0;

  protected:
    ~SpriteStepTarget() = default;
};

// A finished stroke (or any other drawing) of one sprite. It is recorded after its pixels
// were painted, so the first redo, which the stack runs on push, has nothing to do.
class PaintStep final : public QUndoCommand {
  public:
    PaintStep(SpriteStepTarget& target, SpriteId sprite, const QString& text,
              std::vector<PixelChange> changes);
    void undo() override;
    void redo() override;

  private:
    SpriteStepTarget& target_;
    SpriteId sprite_;
    bool painted_ = true;
    std::vector<PixelChange> changes_;
};

// A change of the sprite's size, recorded once made; the planes keep every pixel either way.
class SizeStep final : public QUndoCommand {
  public:
    SizeStep(SpriteStepTarget& target, SpriteId sprite, int before, int after);
    void undo() override;
    void redo() override;

  private:
    SpriteStepTarget& target_;
    SpriteId sprite_;
    bool applied_ = true;
    std::int16_t before_;
    std::int16_t after_;
};

} // namespace vellicor
