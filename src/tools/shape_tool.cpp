#include "shape_tool.h"

namespace vellicor {

bool ShapeTool::Press(ToolCanvas&, const ToolInput& input) {
    colour_ = input.colour;
    anchor_ = corner_ = input.cell;
    square_ = input.square;
    return input.paintable; // a box starts inside the sprite or not at all
}

void ShapeTool::Move(ToolCanvas&, const ToolInput& input) {
    corner_ = input.cell;
}

std::vector<Cell> ShapeTool::Cells(int size) const {
    const Cell corner = square_ ? SquareCorner(anchor_, corner_) : corner_;
    return ClipToSprite(kind_ == Kind::Rectangle ? RectangleCells(anchor_, corner)
                                                 : EllipseCells(anchor_, corner),
                        size);
}

void ShapeTool::Release(ToolCanvas& canvas) {
    canvas.Commit(Cells(canvas.Size()), colour_,
                  kind_ == Kind::Rectangle ? QStringLiteral("Rectangle")
                                           : QStringLiteral("Circle"));
}

CellOverlay ShapeTool::Preview(const ToolCanvas& canvas) const {
    return {Cells(canvas.Size()), colour_};
}

} // namespace vellicor
