#include "tool_session.h"

#include "press_tools.h"

#include <array>
#include <cstdint>

namespace vellicor {

ToolSession::ToolSession(ProjectDocument& document, ToolEnvironment& environment)
    : environment_(environment), canvas_(document) {}

Cell ToolSession::CellUnder(const Pointer& pointer) const {
    return vellicor::CellUnder(pointer.position, pointer.area, environment_.Size());
}

void ToolSession::Aim() {
    canvas_.Aim(environment_.Sprite(), environment_.Size());
}

ToolInput ToolSession::Input(Qt::MouseButtons buttons, const Pointer& pointer) const {
    const int size = canvas_.Size();
    return {.cell = vellicor::CellUnder(pointer.position, pointer.area, size),
            .paintable = MayPaint(pointer.position, pointer.area, size, buttons),
            .buttons = buttons,
            .colour =
                ColourOfButtons(buttons, environment_.LeftColour(), environment_.RightColour()),
            .square = pointer.modifiers.testFlag(Qt::ShiftModifier)};
}

void ToolSession::Press(Qt::MouseButton button, Qt::MouseButtons held, const Pointer& pointer) {
    Aim();
    if (dragging_) {
        if (tool_)
            tool_->OtherButton(canvas_, Input(held, pointer));
        return;
    }
    const ToolInput input = Input(button, pointer);
    if (!canvas_.HasSprite())
        return;
    dragging_ = true;
    square_ = input.square;
    // Another tool puts down what floats before it acts.
    if (environment_.CurrentTool() != Tool::Select ||
        pointer.modifiers.testFlag(Qt::ControlModifier))
        canvas_.selection.Commit(canvas_);
    if (pointer.modifiers.testFlag(Qt::ControlModifier))
        tool_ = std::make_unique<ColourPickTool>([this](Qt::MouseButton picked, Rgb colour) {
            environment_.PickColour(picked, colour);
        });
    else
        tool_ = MakeTool(environment_.CurrentTool());
    if (!tool_->Press(canvas_, input))
        tool_.reset();
    RefreshPreview();
}

void ToolSession::Move(Qt::MouseButtons held, const Pointer& pointer) {
    SetModifiers(pointer.modifiers);
    if (held == Qt::NoButton || !tool_)
        return;
    tool_->Move(canvas_, Input(held, pointer));
    RefreshPreview();
}

void ToolSession::Release(Qt::MouseButtons stillHeld, Qt::KeyboardModifiers modifiers) {
    if (stillHeld != Qt::NoButton)
        return;
    SetModifiers(modifiers);
    if (tool_)
        tool_->Release(canvas_);
    canvas_.EndStroke(); // a drag is one step, however it ended
    tool_.reset();
    dragging_ = false;
    RefreshPreview();
}

void ToolSession::SetModifiers(Qt::KeyboardModifiers modifiers) {
    Aim();
    const bool square = modifiers.testFlag(Qt::ShiftModifier);
    if (!tool_ || square == square_)
        return;
    square_ = square;
    tool_->SetSquare(square);
    RefreshPreview();
}

void ToolSession::Cancel() {
    Aim();
    if (tool_) {
        if (tool_->Cancel())
            tool_.reset(); // the buttons still held release into nothing
    } else if (canvas_.selection.IsFloating()) {
        canvas_.selection.Cancel();
    } else {
        canvas_.selection.Clear();
    }
    RefreshPreview();
}

void ToolSession::Reset() {
    tool_.reset();
    dragging_ = false;
    canvas_.lastPainted.reset();
    canvas_.selection.Clear();
    RefreshPreview();
}

void ToolSession::CommitSelection() {
    Aim();
    canvas_.selection.Commit(canvas_);
}

void ToolSession::EraseSelection(const QString& step) {
    CommitSelection();
    const QRect cells =
        canvas_.selection.Area().value_or(QRect(0, 0, canvas_.Size(), canvas_.Size()));
    std::vector<Cell> erased;
    for (int y = cells.top(); y <= cells.bottom(); ++y)
        for (int x = cells.left(); x <= cells.right(); ++x)
            erased.push_back({x, y});
    canvas_.Commit(ClipToSprite(std::move(erased), canvas_.Size()), kTransparentCyan, step);
}

void ToolSession::RefreshPreview() {
    CellOverlay preview = tool_ ? tool_->Preview(canvas_) : CellOverlay{};
    if (preview == preview_)
        return;
    if (preview.colour != preview_.colour) {
        canvas_.NoteChanged(preview_.cells);
        canvas_.NoteChanged(preview.cells);
    } else {
        // A shape dragged a little moves a few of its cells: only those need repainting.
        std::array<std::uint8_t, kPlaneSide * kPlaneSide> shown{};
        const auto mark = [&shown](const std::vector<Cell>& cells, std::uint8_t bit) {
            for (const Cell& cell : cells)
                if (cell.x >= 0 && cell.y >= 0 && cell.x < kPlaneSide && cell.y < kPlaneSide)
                    shown[cell.y * kPlaneSide + cell.x] |= bit;
        };
        mark(preview_.cells, 1);
        mark(preview.cells, 2);
        std::vector<Cell> moved;
        for (int i = 0; i < kPlaneSide * kPlaneSide; ++i)
            if (shown[i] == 1 || shown[i] == 2)
                moved.push_back({i % kPlaneSide, i / kPlaneSide});
        canvas_.NoteChanged(moved);
    }
    preview_ = std::move(preview);
}

} // namespace vellicor
