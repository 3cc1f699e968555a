#pragma once

#include "model/colour_table.h"
#include "tool_geometry.h"

#include <QPointF>
#include <QSizeF>
#include <Qt>

// How a report of the mouse on the canvas reaches the tools: the cell under the pointer, whether
// that cell may be painted, and the colour the buttons paint with.
namespace vellicor {

// The cell of an n x n grid over a canvas of `area` under a real-valued position; outside the
// grid when the pointer is dragged past the canvas's edge.
Cell CellUnder(QPointF position, QSizeF area, int n);

// Whether a press or drag with `buttons` at `position` may paint the cell under it: past the
// canvas's first pixel row and column, inside the grid, with a button down.
bool MayPaint(QPointF position, QSizeF area, int n, Qt::MouseButtons buttons);

// The colour a state of buttons paints with. The state counts as the classic number (1 left, 2
// right, 4 middle, their sum for several), so the middle button or any two at once paint black.
Rgb ColourOfButtons(Qt::MouseButtons buttons, Rgb left, Rgb right);

// One report of the mouse, as the tools see it.
struct ToolInput {
    Cell cell;              // under the pointer, inside the sprite or not
    bool paintable = false; // as MayPaint says
    Qt::MouseButtons buttons;
    Rgb colour = kBlack; // of `buttons`
    bool square = false; // Shift held: shapes keep square
};

} // namespace vellicor
