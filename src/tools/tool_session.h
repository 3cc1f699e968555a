#pragma once

#include "drawing_tool.h"

namespace vellicor {

// What the tools read from the editor they work in, at the moment they need it.
class ToolEnvironment {
  public:
    // The editor's sprite, when its window is bound to one of the project.
    virtual std::optional<int> Sprite() const = 0;
    // The edge length the editor maps the mouse to: its size option, 0 with none chosen.
    virtual int Size() const = 0;
    virtual Rgb LeftColour() const = 0;
    virtual Rgb RightColour() const = 0;
    virtual Tool CurrentTool() const = 0;
    // Ctrl + press took the colour of a pixel for a mouse button.
    virtual void PickColour(Qt::MouseButton button, Rgb colour) = 0;

  protected:
    ~ToolEnvironment() = default;
};

// The mouse on one editor's canvas, handed to the tool of each drag: a press with no button
// held picks the tool, the moves and buttons that follow go to it, and the release of the last
// button ends the drag.
class ToolSession {
  public:
    ToolSession(ProjectDocument& document, ToolEnvironment& environment);

    // The pointer at a real-valued position on a canvas of `area`.
    struct Pointer {
        QPointF position;
        QSizeF area;
        Qt::KeyboardModifiers modifiers;
    };
    Cell CellUnder(const Pointer& pointer) const;

    void Press(Qt::MouseButton button, Qt::MouseButtons held, const Pointer& pointer);
    void Move(Qt::MouseButtons held, const Pointer& pointer);
    void Release(Qt::MouseButtons stillHeld, Qt::KeyboardModifiers modifiers);
    // Shift went down or up.
    void SetModifiers(Qt::KeyboardModifiers modifiers);
    // Escape: ends a drag that can be cancelled; with none, puts back what floats, or else
    // selects nothing.
    void Cancel();
    // The editor shows its sprite afresh: no drag, no last painted pixel, no selection.
    void Reset();

    // The editor's selection, and the commit of what floats in it as one step.
    Selection& Selected() { return canvas_.selection; }
    const Selection& Selected() const { return canvas_.selection; }
    void CommitSelection();
    // The selected cells, or the whole sprite without a selection, made transparent as a step.
    void EraseSelection(const QString& step);

    // What the tool shows over the sprite now.
    const CellOverlay& Preview() const { return preview_; }
    // Cells whose look changed since the last call.
    std::vector<Cell> TakeChanged() { return canvas_.TakeChanged(); }

  private:
    // The sprite and size of the editor at this event.
    void Aim();
    ToolInput Input(Qt::MouseButtons buttons, const Pointer& pointer) const;
    // Notes the cells of the preview that came or went.
    void RefreshPreview();

    ToolEnvironment& environment_;
    ToolCanvas canvas_;
    bool dragging_ = false;
    bool square_ = false; // Shift, as the tool last heard of it
    // The tool of the drag; none when it has done all it does, or there is no drag.
    std::unique_ptr<DrawingTool> tool_;
    CellOverlay preview_;
};

} // namespace vellicor
