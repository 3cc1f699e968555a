#include "drawing_tool.h"

#include "document/project_document.h"
#include "freehand_tool.h"
#include "press_tools.h"
#include "select_tool.h"
#include "shape_tool.h"

namespace vellicor {

void ToolCanvas::Aim(std::optional<int> sprite, int size) {
    sprite_ = sprite;
    size_ = size;
}

const SpriteRecord& ToolCanvas::Record() const {
    return document_.Record(*sprite_);
}

void ToolCanvas::BeginStroke(const QString& step) {
    if (sprite_)
        document_.BeginStroke(*sprite_, step);
}

void ToolCanvas::EndStroke() {
    document_.EndStroke();
}

void ToolCanvas::Paint(const std::vector<Cell>& cells, Rgb colour) {
    const auto bits = BitsForColour(colour);
    if (!sprite_ || !bits)
        return;
    for (const Cell& cell : cells)
        if (document_.SetPixel(*sprite_, cell.x, cell.y, *bits))
            changed_.push_back(cell);
}

void ToolCanvas::Commit(const std::vector<Cell>& cells, Rgb colour, const QString& step) {
    if (!sprite_ || !BitsForColour(colour))
        return;
    document_.BeginStroke(*sprite_, step);
    Paint(cells, colour);
    document_.EndStroke();
}

void ToolCanvas::WriteBits(Cell cell, PlaneBits bits) {
    if (sprite_ && document_.SetPixel(*sprite_, cell.x, cell.y, bits))
        changed_.push_back(cell);
}

void ToolCanvas::NoteChanged(const std::vector<Cell>& cells) {
    changed_.insert(changed_.end(), cells.begin(), cells.end());
}

std::unique_ptr<DrawingTool> MakeTool(Tool tool) {
    switch (tool) {
    case Tool::Eraser:
        return std::make_unique<FreehandTool>(FreehandTool::Kind::Eraser);
    case Tool::Circle:
        return std::make_unique<ShapeTool>(ShapeTool::Kind::Circle);
    case Tool::Rectangle:
        return std::make_unique<ShapeTool>(ShapeTool::Kind::Rectangle);
    case Tool::Fill:
        return std::make_unique<FillTool>();
    case Tool::Select:
        return std::make_unique<SelectTool>();
    case Tool::Pencil:
        break;
    }
    return std::make_unique<FreehandTool>(FreehandTool::Kind::Pencil);
}

} // namespace vellicor
