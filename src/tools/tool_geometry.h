#pragma once

#include "model/sprite_record.h"

#include <vector>

// Which sprite pixels each drawing tool covers, in sprite-pixel coordinates (column x, row y,
// 0 at the top left). The shape functions take any cells, also outside the sprite, since the
// pointer can be dragged past the canvas's edge; callers keep what lies inside with
// ClipToSprite.
namespace vellicor {

struct Cell {
    int x = 0;
    int y = 0;
    friend bool operator==(const Cell&, const Cell&) = default;
};

// Every cell of the straight line from `from` to `to`, both ends included, in drawing order.
// Each cell is the one nearest the exact line along the longer axis; a tie goes away from the
// end further left (further up for vertical lines), so the cells are the same whichever end
// comes first.
std::vector<Cell> LineCells(Cell from, Cell to);

// The one-pixel outline of the box with corners a and b (any two opposite corners), corners
// included, each cell once, clockwise from the top left.
std::vector<Cell> RectangleCells(Cell a, Cell b);

// The one-pixel closed outline of the ellipse inscribed in the box with corners a and b, each
// cell once. It touches all four sides of the box and is symmetric in both axes; a circle (a
// square box) is also symmetric about its diagonals. Boxes 1 or 2 cells wide or tall are
// filled whole (one pixel, 2 x 2, a straight line), a 3 x 3 box gives the four edge middles.
// Every cell touches exactly two others, except at the tips of ellipses so thin that a tip is
// narrower than the pixels themselves.
std::vector<Cell> EllipseCells(Cell a, Cell b);

// The corner opposite `anchor` of the square that Shift asks for: its side is the larger of
// the box's two extents, laid toward the pointer (rightward or downward when the pointer is
// level with the anchor).
Cell SquareCorner(Cell anchor, Cell pointer);

// The 4-connected region of pixels with exactly the start pixel's three plane bits, within
// the top-left size x size pixels, row by row from the top, each row from the left. Empty when
// start lies outside them.
std::vector<Cell> FillRegion(const SpriteRecord& record, int size, Cell start);

// The cells inside 0 .. size - 1 in both axes, in their order.
std::vector<Cell> ClipToSprite(std::vector<Cell> cells, int size);

} // namespace vellicor
