#include "tool_geometry.h"

#include <algorithm>
#include <cstdlib>

namespace vellicor {
namespace {

// A cell's offset from the box's centre in half pixels. The outer cells' centres lie (w - 1) / 2
// pixels from the centre of a box w pixels wide, so doubled offsets are whole numbers: even for
// odd widths, odd for even widths, and a neighbouring cell is 2 away.
struct Offset {
    long long u = 0; // rightward
    long long v = 0; // upward
    friend bool operator==(const Offset&, const Offset&) = default;
};

long long Step(long long difference) {
    return difference > 0 ? 2 : (difference < 0 ? -2 : 0);
}

bool Touching(Offset a, Offset b) {
    return std::max(std::abs(a.u - b.u), std::abs(a.v - b.v)) <= 2;
}

constexpr long long kLargestBox = 32768;

// The ellipse through the outer cells' centres, u^2 / a^2 + v^2 / b^2 = 1, as a whole number
// that is positive outside it; exact in 64 bits up to kLargestBox.
struct Curve {
    long long a;
    long long b;
    long long Value(long long u, long long v) const {
        return b * b * u * u + a * a * v * v - a * a * b * b;
    }
    bool Outside(long long u, long long v) const { return Value(u, v) > 0; }
};

// One quarter of the outline, from the top cell (u = 0 or 1, v = b) to the side cell (u = a,
// v = 0 or 1), each cell touching the next. Where the curve is flatter than 45 degrees each
// column holds the cell nearest the curve, where it is steeper each row does, so a box and the
// same box turned on its side give the same outline. Which of two cells is nearer is decided
// by the side of the curve that the midpoint between them lies on; a curve through the midpoint
// takes the outer cell.
std::vector<Offset> Quarter(const Curve& curve) {
    const long long a = curve.a;
    const long long b = curve.b;
    const long long firstColumn = a % 2;
    const long long lastRow = b % 2;
    // Columns left of the 45-degree point, u <= a^2 / sqrt(a^2 + b^2), nearest row each.
    std::vector<Offset> columns;
    for (long long u = firstColumn, v = b; u * u * (a * a + b * b) <= a * a * a * a; u += 2) {
        while (v - 2 >= lastRow && curve.Outside(u, v - 1))
            v -= 2;
        columns.push_back({u, v});
    }
    // Rows below it, nearest column each.
    std::vector<Offset> rows;
    for (long long v = lastRow, u = a; v * v * (a * a + b * b) <= b * b * b * b; v += 2) {
        while (u - 2 >= firstColumn && curve.Outside(u - 1, v))
            u -= 2;
        rows.push_back({u, v});
    }

    std::vector<Offset> quarter{{firstColumn, b}};
    // Joins the parts. Where they leave a gap, the missing cell is whichever of the two that
    // would bridge it lies nearer the curve, the outer one on a tie.
    const auto reach = [&](Offset to) {
        while (!(quarter.back() == to)) {
            const Offset from = quarter.back();
            if (Touching(from, to)) {
                quarter.push_back(to);
                break;
            }
            const long long du = to.u - from.u;
            const long long dv = to.v - from.v;
            const Offset diagonal{from.u + Step(du), from.v + Step(dv)};
            Offset straight = diagonal;
            if (std::abs(du) > std::abs(dv))
                straight.v = from.v;
            else if (std::abs(dv) > std::abs(du))
                straight.u = from.u;
            const long long d = curve.Value(diagonal.u, diagonal.v);
            const long long s = curve.Value(straight.u, straight.v);
            const bool straightNearer = std::abs(s) < std::abs(d) || (s == -d && s > 0);
            quarter.push_back(straightNearer ? straight : diagonal);
        }
    };
    for (const Offset at : columns)
        reach(at);
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
        reach(*it);
    reach({a, lastRow});
    return quarter;
}

// Drops every cell whose neighbours on the path touch each other: such a corner cell would
// make the outline two pixels thick there.
std::vector<Offset> Thinned(const std::vector<Offset>& path) {
    std::vector<Offset> thin;
    for (const Offset at : path) {
        if (thin.size() >= 2 && Touching(thin[thin.size() - 2], at))
            thin.pop_back();
        thin.push_back(at);
    }
    return thin;
}

} // namespace

std::vector<Cell> EllipseCells(Cell a, Cell b) {
    const int left = std::min(a.x, b.x);
    const int right = std::max(a.x, b.x);
    const int top = std::min(a.y, b.y);
    const int bottom = std::max(a.y, b.y);
    const long long width = static_cast<long long>(right) - left + 1;
    const long long height = static_cast<long long>(bottom) - top + 1;
    // Too small to have an inside: the ellipse covers its whole box. Boxes far larger than any
    // pointer can span get their rectangle too, where the ellipse's arithmetic would overflow.
    if (width <= 2 || height <= 2 || width > kLargestBox || height > kLargestBox)
        return RectangleCells(a, b);

    const std::vector<Offset> quarter = Thinned(Quarter({width - 1, height - 1}));

    // Doubled centre; centre plus or minus an offset is always even.
    const long long centreX = static_cast<long long>(left) + right;
    const long long centreY = static_cast<long long>(top) + bottom;
    std::vector<Cell> cells;
    cells.reserve(quarter.size() * 4);
    const auto add = [&](Offset at, int signU, int signV) {
        // Cells on an axis are their own mirror image: only the first quarter adds them.
        if ((signU < 0 && at.u == 0) || (signV < 0 && at.v == 0))
            return;
        cells.push_back({static_cast<int>((centreX + signU * at.u) / 2),
                         static_cast<int>((centreY - signV * at.v) / 2)});
    };
    // Clockwise from the top.
    for (const Offset at : quarter)
        add(at, 1, 1);
    for (auto it = quarter.rbegin(); it != quarter.rend(); ++it)
        add(*it, 1, -1);
    for (const Offset at : quarter)
        add(at, -1, -1);
    for (auto it = quarter.rbegin(); it != quarter.rend(); ++it)
        add(*it, -1, 1);
    return cells;
}

} // namespace vellicor
