#include "transforms.h"

namespace vellicor {
namespace {

const PlaneBits kTransparent{.light = false, .dark = false, .mask = true};

// Black and white change places, and so do the two greys: both grey bits turn over. A pixel is
// taken by the colour it shows, so an odd mask under a grey never turns it transparent.
PlaneBits Inverted(PlaneBits bits) {
    if (ColourForBits(bits) == kTransparentCyan)
        return bits;
    return {.light = !bits.light, .dark = !bits.dark, .mask = false};
}

// The cell of `from` (relative to its top-left) whose bits land on cell (i, j) of `to`.
QPoint Source(Transform transform, QSize from, int i, int j) {
    const int w = from.width();
    const int h = from.height();
    switch (transform) {
    case Transform::FlipHorizontal:
        return {w - 1 - i, j};
    case Transform::FlipVertical:
        return {i, h - 1 - j};
    case Transform::RotateClockwise:
        return {j, h - 1 - i};
    case Transform::RotateCounterClockwise:
        return {w - 1 - j, i};
    case Transform::Rotate180:
        return {w - 1 - i, h - 1 - j};
    case Transform::ShiftLeft:
        return {(i + 1) % w, j};
    case Transform::ShiftRight:
        return {(i + w - 1) % w, j};
    case Transform::ShiftUp:
        return {i, (j + 1) % h};
    case Transform::ShiftDown:
        return {i, (j + h - 1) % h};
    case Transform::InvertGreys:
        break;
    }
    return {i, j};
}

bool IsQuarterTurn(Transform transform) {
    return transform == Transform::RotateClockwise ||
           transform == Transform::RotateCounterClockwise;
}

} // namespace

QRect QuarterTurned(QRect cells) {
    // Integer division rounds toward zero, the same both ways round.
    const int dx = (cells.width() - cells.height()) / 2;
    const int dy = (cells.height() - cells.width()) / 2;
    return {cells.x() + dx, cells.y() + dy, cells.height(), cells.width()};
}

std::vector<CellWrite> TransformCells(const SpriteRecord& sprite, QRect cells,
                                      Transform transform) {
    const QRect bounds(0, 0, sprite.Size, sprite.Size);
    // The source is read whole before any cell is written, so it is the rectangle as it was.
    const QRect from = cells & bounds;
    if (from.isEmpty())
        return {};
    const QRect to = IsQuarterTurn(transform) ? QuarterTurned(from) : from;
    // The bounds of both: its corners outside either stay as they are.
    const QRect touched = (from | to) & bounds;
    std::vector<CellWrite> writes;
    writes.reserve(static_cast<std::size_t>(touched.width()) * touched.height());
    for (int y = touched.top(); y <= touched.bottom(); ++y) {
        for (int x = touched.left(); x <= touched.right(); ++x) {
            if (!from.contains(x, y) && !to.contains(x, y))
                continue;
            PlaneBits bits = kTransparent; // uncovered by a turn
            if (transform == Transform::InvertGreys) {
                bits = Inverted(sprite.Bits(x, y));
            } else if (to.contains(x, y)) {
                const QPoint source = Source(transform, from.size(), x - to.x(), y - to.y());
                bits = sprite.Bits(from.x() + source.x(), from.y() + source.y());
            }
            writes.push_back({x, y, bits});
        }
    }
    return writes;
}

} // namespace vellicor
