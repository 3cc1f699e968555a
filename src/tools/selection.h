#pragma once

#include "model/pixel_block.h"
#include "tool_geometry.h"

#include <QRect>
#include <QString>
#include <optional>

namespace vellicor {

class ToolCanvas;

// The rectangle of cells an editor has selected, and the pixels it holds up while they are
// moved or pasted. The sprite keeps its own pixels until the commit writes the new ones as one
// step; until then the editor shows the floating ones over it. It belongs to its window and
// is never saved.
class Selection {
  public:
    // The selected cells; while pixels float, where they are now, perhaps past the sprite's edge.
    std::optional<QRect> Area() const { return area_; }
    bool IsFloating() const { return floating_.has_value(); }
    bool Contains(Cell cell) const { return area_ && area_->contains(cell.x, cell.y); }

    // Selects `cells`, or nothing when it is empty. What floats is dropped: commit it first.
    void Select(QRect cells);
    void Clear() { Select(QRect()); }
    // The selected pixels float, to be moved; their cells show transparent meanwhile.
    void Lift(const SpriteRecord& record);
    // Pasted pixels float with their top-left cell at `at`, named `step` when put down.
    void Float(QPoint at, PixelBlock block, const QString& step);
    // Moves the floating pixels, lifting them first when they are still in place.
    void MoveBy(const SpriteRecord& record, int dx, int dy);
    // What the editor shows at a cell while pixels float: a floating pixel, transparent where
    // they were lifted from, nothing elsewhere (the sprite's own pixel).
    std::optional<PlaneBits> Shown(int x, int y) const;
    // Writes what floats as one step; pixels beyond the sprite's edge are cut off, and the
    // selection keeps the cells that remain.
    void Commit(ToolCanvas& canvas);
    // Puts everything back: moved pixels return, pasted ones go.
    void Cancel();
    // The cells whose look or outline changed since the last call.
    QRect TakeDirty();

  private:
    // Notes the cells shown now as changed, before and after a change.
    void Touch();

    struct Floating {
        PixelBlock block;
        std::optional<QRect> lifted; // a move's origin, transparent at the commit
        QString step;
    };
    std::optional<QRect> area_;
    std::optional<Floating> floating_;
    QRect dirty_;
};

// The cells of the box with corners a and b, within the sprite's size x size cells.
QRect SelectCells(Cell a, Cell b, int size);

} // namespace vellicor
