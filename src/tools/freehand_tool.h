#pragma once

#include "drawing_tool.h"

namespace vellicor {

// The pencil and the eraser: every pixel under the pointer, joined into a line however fast the
// drag, as one step. The eraser paints transparent with any button. Shift with the press draws
// a straight line from the last pixel either of them painted.
class FreehandTool : public DrawingTool {
  public:
    enum class Kind { Pencil, Eraser };
    explicit FreehandTool(Kind kind) : kind_(kind) {}

    bool Press(ToolCanvas& canvas, const ToolInput& input) override;
    void Move(ToolCanvas& canvas, const ToolInput& input) override;
    // A button joining the stroke carries it on in the colour of the buttons now held.
    void OtherButton(ToolCanvas& canvas, const ToolInput& input) override { Move(canvas, input); }

  private:
    Rgb ColourOf(const ToolInput& input) const;

    Kind kind_;
    Cell last_; // where the pointer was at the last event, inside the sprite or not
};

} // namespace vellicor
