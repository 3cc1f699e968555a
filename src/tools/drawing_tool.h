#pragma once

#include "selection.h"
#include "tool_input.h"
#include "tool_kind.h"

#include <QString>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace vellicor {

class ProjectDocument;

// Cells shown over the sprite in one colour, not written to it.
struct CellOverlay {
    std::vector<Cell> cells;
    Rgb colour = kBlack;
    friend bool operator==(const CellOverlay&, const CellOverlay&) = default;
};

// The sprite a tool paints on. Every write goes through the document, so it lands in the
// sprite's history and the journal; the cells whose look changed are noted for the editor to
// repaint.
class ToolCanvas {
  public:
    explicit ToolCanvas(ProjectDocument& document) : document_(document) {}

    // The sprite and its edge length as the editor maps the mouse, read at each event.
    void Aim(std::optional<int> sprite, int size);
    bool HasSprite() const { return sprite_.has_value(); }
    const SpriteRecord& Record() const;
    int Size() const { return size_; }

    // Pixels written from here to the release make one step of the sprite's history.
    void BeginStroke(const QString& step);
    void EndStroke();
    // Writes cells into the open stroke.
    void Paint(const std::vector<Cell>& cells, Rgb colour);
    // Writes cells as one step of their own.
    void Commit(const std::vector<Cell>& cells, Rgb colour, const QString& step);
    // Writes one pixel's exact bits into the open stroke.
    void WriteBits(Cell cell, PlaneBits bits);
    // Cells whose look changed since the last call: written ones, and a preview's.
    void NoteChanged(const std::vector<Cell>& cells);
    std::vector<Cell> TakeChanged() { return std::exchange(changed_, {}); }

    // The last pixel a freehand tool painted in this editor, where Shift draws a line from.
    std::optional<Cell> lastPainted;
    // The editor's selected cells, and the pixels that float while they are moved or pasted.
    Selection selection;

  private:
    ProjectDocument& document_;
    std::optional<int> sprite_;
    int size_ = 0;
    std::vector<Cell> changed_;
};

// A drawing tool, from the press of a button on the canvas to the release of the last one held;
// each press makes a new one. What outlives a drag lives in the ToolCanvas.
class DrawingTool {
  public:
    virtual ~DrawingTool() = default;
    // The first button went down. Returns whether the drag still needs the tool: one that has
    // done all it does lets the rest of the drag go by.
    virtual bool Press(ToolCanvas& canvas, const ToolInput& input) = 0;
    // The pointer moved with buttons held.
    virtual void Move(ToolCanvas&, const ToolInput&) {}
    // Another button went down during the drag.
    virtual void OtherButton(ToolCanvas&, const ToolInput&) {}
    // Shift went down or up.
    virtual void SetSquare(bool) {}
    // The last button came up.
    virtual void Release(ToolCanvas&) {}
    // Escape: returns whether the drag ends here, writing nothing more.
    virtual bool Cancel() { return false; }
    // Cells shown over the sprite while dragging, to be written at the release.
    virtual CellOverlay Preview(const ToolCanvas&) const { return {}; }
};

// The tool for a toolbar button.
std::unique_ptr<DrawingTool> MakeTool(Tool tool);

} // namespace vellicor
