#pragma once

#include "tools/drawing_tool.h"

#include <QColor>
#include <QWidget>
#include <functional>

namespace vellicor {

// Where the border before cell `index` of an n-cell row falls on a surface `side` pixels long:
// rounded from the exact real-valued position, so neighbouring cells meet without gap or overlap.
int CellBorder(int index, int side, int n);

// A square surface that shows a sprite as a grid of cells covering it whole, painted from the
// sprite's record whenever it is painted, with the cells of a tool's preview drawn over them.
// It keeps no picture of its own, so it cannot show anything the record does not hold.
class SpriteView : public QWidget {
    Q_OBJECT
  public:
    // The sprite shown, or none; asked at every paint.
    using RecordSource = std::function<const SpriteRecord*()>;

    SpriteView(QColor background, QWidget* parent);

    // Shows the record from `source`, with `overlay` (kept by its owner) over it.
    void ShowSprite(RecordSource source, const CellOverlay* overlay);
    // The surface's colour while the sprite has no size.
    QColor Background() const { return background_; }
    // Repaints the screen pixels of these cells of the sprite's grid.
    void UpdateCells(const std::vector<Cell>& cells);

  protected:
    void paintEvent(QPaintEvent* event) override;
    // The edge length of the grid shown: the sprite's size, 0 with no sprite or no size.
    int GridSize() const;

  private:
    QColor background_;
    RecordSource source_;
    const CellOverlay* overlay_ = nullptr;
};

} // namespace vellicor
