#include "freehand_tool.h"

namespace vellicor {

Rgb FreehandTool::ColourOf(const ToolInput& input) const {
    return kind_ == Kind::Eraser ? kTransparentCyan : input.colour;
}

bool FreehandTool::Press(ToolCanvas& canvas, const ToolInput& input) {
    canvas.BeginStroke(kind_ == Kind::Eraser ? QStringLiteral("Erase") : QStringLiteral("Paint"));
    last_ = input.cell;
    if (input.paintable) {
        const bool line = input.square && canvas.lastPainted;
        canvas.Paint(line ? ClipToSprite(LineCells(*canvas.lastPainted, input.cell), canvas.Size())
                          : std::vector<Cell>{input.cell},
                     ColourOf(input));
        canvas.lastPainted = input.cell;
    }
    return true;
}

void FreehandTool::Move(ToolCanvas& canvas, const ToolInput& input) {
    // The whole way from the last position, so no speed of the hand leaves gaps.
    std::vector<Cell> cells = ClipToSprite(LineCells(last_, input.cell), canvas.Size());
    // The canvas's first pixel row and column lie in the first cells but paint nothing.
    if (!input.paintable && !cells.empty() && cells.back() == input.cell)
        cells.pop_back();
    canvas.Paint(cells, ColourOf(input));
    if (!cells.empty())
        canvas.lastPainted = cells.back();
    last_ = input.cell;
}

} // namespace vellicor
