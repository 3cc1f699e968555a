#include "tool_input.h"

#include <cmath>

namespace vellicor {

Cell CellUnder(QPointF position, QSizeF area, int n) {
    // Cell borders fall to the even neighbour: round half to even.
    return {static_cast<int>(std::nearbyint(position.x() / area.width() * n - 0.5)),
            static_cast<int>(std::nearbyint(position.y() / area.height() * n - 0.5))};
}

bool MayPaint(QPointF position, QSizeF area, int n, Qt::MouseButtons buttons) {
    const Cell cell = CellUnder(position, area, n);
    return position.x() > 0 && position.y() > 0 && buttons != Qt::NoButton && cell.x < n &&
           cell.y < n;
}

Rgb ColourOfButtons(Qt::MouseButtons buttons, Rgb left, Rgb right) {
    switch (buttons.toInt()) {
    case 1:
        return left;
    case 2:
        return right;
    default:
        return kBlack;
    }
}

} // namespace vellicor
