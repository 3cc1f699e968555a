#include "select_tool.h"

namespace vellicor {

bool SelectTool::Press(ToolCanvas& canvas, const ToolInput& input) {
    selection_ = &canvas.selection;
    if (canvas.Size() <= 0)
        return false;
    anchor_ = input.cell;
    moving_ = selection_->Contains(input.cell);
    if (moving_) {
        selection_->Lift(canvas.Record());
        return true;
    }
    selection_->Commit(canvas);
    selection_->Select(SelectCells(anchor_, input.cell, canvas.Size()));
    return true;
}

void SelectTool::Move(ToolCanvas& canvas, const ToolInput& input) {
    if (!moving_) {
        selection_->Select(SelectCells(anchor_, input.cell, canvas.Size()));
        return;
    }
    selection_->MoveBy(canvas.Record(), input.cell.x - anchor_.x, input.cell.y - anchor_.y);
    anchor_ = input.cell;
}

bool SelectTool::Cancel() {
    if (moving_)
        selection_->Cancel();
    else
        selection_->Clear();
    return true;
}

} // namespace vellicor
