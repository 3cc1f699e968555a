#pragma once

#include "model/colour_table.h"

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

// What undoing and redoing a step writes to; the project applies it and tells its windows.
class SpriteStepTarget {
  public:
    virtual void ApplyPixels(int index, const std::vector<PixelChange>& changes, bool after) = 0;
    virtual void ApplySize(int index, int size) = 0;

  protected:
    ~SpriteStepTarget() = default;
};

// A finished stroke (or any other drawing) of one sprite. It is recorded after its pixels
// were painted, so the first redo, which the stack runs on push, has nothing to do.
class PaintStep final : public QUndoCommand {
  public:
    PaintStep(SpriteStepTarget& target, int index, const QString& text,
              std::vector<PixelChange> changes);
    void undo() override;
    void redo() override;

  private:
    SpriteStepTarget& target_;
    int index_;
    bool painted_ = true;
    std::vector<PixelChange> changes_;
};

// A change of the sprite's size, recorded once made; the planes keep every pixel either way.
class SizeStep final : public QUndoCommand {
  public:
    SizeStep(SpriteStepTarget& target, int index, int before, int after);
    void undo() override;
    void redo() override;

  private:
    SpriteStepTarget& target_;
    int index_;
    bool applied_ = true;
    std::int16_t before_;
    std::int16_t after_;
};

} // namespace vellicor
