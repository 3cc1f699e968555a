#pragma once

#include "model/sprite_record.h"

#include <QRect>
#include <vector>

namespace vellicor {

// The Image menu's commands on a rectangle of cells. Each moves the three planes of a cell
// together, so a transparent pixel stays transparent wherever it goes.
enum class Transform {
    FlipHorizontal,
    FlipVertical,
    RotateClockwise,
    RotateCounterClockwise,
    Rotate180,
    ShiftLeft,
    ShiftRight,
    ShiftUp,
    ShiftDown,
    InvertGreys,
};

// One cell as a transform leaves it.
struct CellWrite {
    int x = 0;
    int y = 0;
    PlaneBits bits;
    friend bool operator==(const CellWrite&, const CellWrite&) = default;
};

// Where a quarter turn puts `cells`: about the same centre, with width and height swapped.
// When the sides differ by an odd number the centre cannot stay on its half cell; each corner
// moves by half the difference rounded toward zero, so turning one way and back again puts
// the cells where they were.
QRect QuarterTurned(QRect cells);

// Every cell that `transform` touches in `cells` of the sprite, with its new bits, in rows from
// the top. `cells` is first clipped to the sprite's size; a turn of a rectangle that is not
// square reaches outside it and is clipped too, and the cells it uncovers become transparent,
// as a move leaves them. Cells written with the bits they had are listed all the same.
std::vector<CellWrite> TransformCells(const SpriteRecord& sprite, QRect cells, Transform transform);

} // namespace vellicor
