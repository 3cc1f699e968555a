#include "tool_geometry.h"

#include <algorithm>
#include <cstdlib>

namespace vellicor {

std::vector<Cell> LineCells(Cell from, Cell to) {
    // Always walked from the same end, so a drag in either direction covers the same cells.
    const bool reversed = to.x < from.x || (to.x == from.x && to.y < from.y);
    const Cell start = reversed ? to : from;
    const long long dx = static_cast<long long>(reversed ? from.x : to.x) - start.x;
    const long long dy = static_cast<long long>(reversed ? from.y : to.y) - start.y;
    const long long steps = std::max(dx, std::llabs(dy));
    // Bresenham's choice on the minor axis: the offset nearest the exact line, rounded half up.
    const auto minor = [steps](long long i, long long extent) {
        const long long offset = (2 * i * std::llabs(extent) + steps) / (2 * steps);
        return static_cast<int>(extent < 0 ? -offset : offset);
    };
    std::vector<Cell> cells;
    cells.reserve(static_cast<std::size_t>(steps + 1));
    cells.push_back(start);
    const bool shallow = dx >= std::llabs(dy);
    for (long long i = 1; i <= steps; ++i) {
        cells.push_back({start.x + (shallow ? static_cast<int>(i) : minor(i, dx)),
                         start.y + (shallow ? minor(i, dy) : static_cast<int>(dy < 0 ? -i : i))});
    }
    if (reversed)
        std::reverse(cells.begin(), cells.end());
    return cells;
}

std::vector<Cell> RectangleCells(Cell a, Cell b) {
    const int left = std::min(a.x, b.x);
    const int right = std::max(a.x, b.x);
    const int top = std::min(a.y, b.y);
    const int bottom = std::max(a.y, b.y);
    std::vector<Cell> cells;
    for (int x = left; x <= right; ++x)
        cells.push_back({x, top});
    for (int y = top + 1; y <= bottom; ++y)
        cells.push_back({right, y});
    // A box one cell tall or wide is a line: its far side would repeat the near one.
    if (bottom > top)
        for (int x = right - 1; x >= left; --x)
            cells.push_back({x, bottom});
    if (right > left)
        for (int y = bottom - 1; y > top; --y)
            cells.push_back({left, y});
    return cells;
}

Cell SquareCorner(Cell anchor, Cell pointer) {
    const int dx = pointer.x - anchor.x;
    const int dy = pointer.y - anchor.y;
    const int side = std::max(std::abs(dx), std::abs(dy));
    return {anchor.x + (dx < 0 ? -side : side), anchor.y + (dy < 0 ? -side : side)};
}

std::vector<Cell> ClipToSprite(std::vector<Cell> cells, int size) {
    std::erase_if(cells, [size](Cell cell) {
        return cell.x < 0 || cell.y < 0 || cell.x >= size || cell.y >= size;
    });
    return cells;
}

} // namespace vellicor
