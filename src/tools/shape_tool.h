#pragma once

#include "drawing_tool.h"

namespace vellicor {

// The circle and the rectangle: pressed at one corner of a box and dragged to the other, shown
// over the sprite while dragged and written as one step at the release. Shift keeps the box
// square; Escape drops the shape.
class ShapeTool : public DrawingTool {
  public:
    enum class Kind { Circle, Rectangle };
    explicit ShapeTool(Kind kind) : kind_(kind) {}

    bool Press(ToolCanvas& canvas, const ToolInput& input) override;
    void Move(ToolCanvas& canvas, const ToolInput& input) override;
    void SetSquare(bool square) override { square_ = square; }
    void Release(ToolCanvas& canvas) override;
    bool Cancel() override { return true; }
    CellOverlay Preview(const ToolCanvas& canvas) const override;

  private:
    std::vector<Cell> Cells(int size) const;

    Kind kind_;
    Rgb colour_ = kBlack;
    Cell anchor_;
    Cell corner_;
    bool square_ = false;
};

} // namespace vellicor
