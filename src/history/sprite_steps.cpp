#include "sprite_steps.h"

#include <utility>

namespace vellicor {

std::uint8_t PackBits(PlaneBits bits) {
    return static_cast<std::uint8_t>((bits.light ? 1 : 0) | (bits.dark ? 2 : 0) |
                                     (bits.mask ? 4 : 0));
}

PlaneBits UnpackBits(std::uint8_t packed) {
    return {(packed & 1) != 0, (packed & 2) != 0, (packed & 4) != 0};
}

PaintStep::PaintStep(SpriteStepTarget& target, SpriteId sprite, const QString& text,
                     std::vector<PixelChange> changes)
    : QUndoCommand(text), target_(target), sprite_(sprite), changes_(std::move(changes)) {
    changes_.shrink_to_fit(); // a stroke lives in the history for the whole session
}

void PaintStep::undo() {
    target_.ApplyPixels(sprite_, changes_, false);
    painted_ = false;
}

void PaintStep::redo() {
    if (!painted_)
        target_.ApplyPixels(sprite_, changes_, true);
    painted_ = true;
}

SizeStep::SizeStep(SpriteStepTarget& target, SpriteId sprite, int before, int after)
    : QUndoCommand(after == 0 ? QStringLiteral("Size") : QStringLiteral("Size %1").arg(after)),
      target_(target), sprite_(sprite), before_(static_cast<std::int16_t>(before)),
      after_(static_cast<std::int16_t>(after)) {}

void SizeStep::undo() {
    target_.ApplySize(sprite_, before_);
    applied_ = false;
}

void SizeStep::redo() {
    if (!applied_)
        target_.ApplySize(sprite_, after_);
    applied_ = true;
}

} // namespace vellicor
