#include "press_tools.h"

namespace vellicor {

bool FillTool::Press(ToolCanvas& canvas, const ToolInput& input) {
    if (input.paintable)
        canvas.Commit(FillRegion(canvas.Record(), canvas.Size(), input.cell), input.colour,
                      QStringLiteral("Fill"));
    return false;
}

bool ColourPickTool::Press(ToolCanvas& canvas, const ToolInput& input) {
    const bool oneButton = input.buttons == Qt::LeftButton || input.buttons == Qt::RightButton;
    if (input.paintable && oneButton)
        picked_(input.buttons == Qt::LeftButton ? Qt::LeftButton : Qt::RightButton,
                ColourForBits(canvas.Record().Bits(input.cell.x, input.cell.y)));
    return false;
}

} // namespace vellicor
