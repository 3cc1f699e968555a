#pragma once

#include "drawing_tool.h"

namespace vellicor {

// The Select tool: a drag selects the box of whole cells between press and release; a drag
// that starts inside the selection moves its pixels, which float until they are committed. A
// press outside puts down what floats before it selects anew.
class SelectTool : public DrawingTool {
  public:
    bool Press(ToolCanvas& canvas, const ToolInput& input) override;
    void Move(ToolCanvas& canvas, const ToolInput& input) override;
    // Escape: a move puts the pixels back, a new box selects nothing.
    bool Cancel() override;

  private:
    Selection* selection_ = nullptr;
    bool moving_ = false;
    Cell anchor_; // the box's first corner, or the cell a move is measured from
};

} // namespace vellicor
