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

    // Shows the record from `source`, with `overlay` and the pixels floating in `selection`
    // (both kept by their owner) over it.
    void ShowSprite(RecordSource source, const CellOverlay* overlay,
                    const Selection* selection = nullptr);
    // The surface's colour while the sprite has no size.
    QColor Background() const { return background_; }
    // Repaints the screen pixels of these cells of the sprite's grid.
    void UpdateCells(const std::vector<Cell>& cells);
    // Repaints the screen pixels of a rectangle of cells, and the outline around it.
    void UpdateArea(QRect cells);

  protected:
    void paintEvent(QPaintEvent* event) override;
    // The edge length of the grid shown: the sprite's size, 0 with no sprite or no size.
    int GridSize() const;
    const Selection* ShownSelection() const { return selection_; }

  private:
    QColor background_;
    RecordSource source_;
    const CellOverlay* overlay_ = nullptr;
    const Selection* selection_ = nullptr;
};

} // namespace vellicor
