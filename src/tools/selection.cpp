#include "selection.h"

#include "drawing_tool.h"

#include <algorithm>
#include <utility>

namespace vellicor {

QRect SelectCells(Cell a, Cell b, int size) {
    const QRect box(QPoint(std::min(a.x, b.x), std::min(a.y, b.y)),
                    QPoint(std::max(a.x, b.x), std::max(a.y, b.y)));
    return box.intersected(QRect(0, 0, size, size));
}

void Selection::Touch() {
    if (area_)
        dirty_ |= *area_;
    if (floating_ && floating_->lifted)
        dirty_ |= *floating_->lifted;
}

void Selection::Select(QRect cells) {
    Touch();
    floating_.reset();
    area_ = cells.isEmpty() ? std::nullopt : std::optional<QRect>(cells);
    Touch();
}

void Selection::Lift(const SpriteRecord& record) {
    if (!area_ || floating_)
        return;
    floating_ = Floating{CopyCells(record, *area_), *area_, QStringLiteral("Move Selection")};
    Touch();
}

void Selection::Float(QPoint at, PixelBlock block, const QString& step) {
    Touch();
    area_ = QRect(at, QSize(block.width, block.height));
    floating_ = Floating{std::move(block), std::nullopt, step};
    Touch();
}

void Selection::MoveBy(const SpriteRecord& record, int dx, int dy) {
    Lift(record);
    if (!floating_ || (dx == 0 && dy == 0))
        return;
    Touch();
    // Far enough to leave the largest sprite, never so far that the numbers could overflow.
    const QPoint to = area_->topLeft() + QPoint(dx, dy);
    area_->moveTopLeft(QPoint(std::clamp(to.x(), -2 * kPlaneSide, 2 * kPlaneSide),
                              std::clamp(to.y(), -2 * kPlaneSide, 2 * kPlaneSide)));
    Touch();
}

std::optional<PlaneBits> Selection::Shown(int x, int y) const {
    if (!floating_)
        return std::nullopt;
    if (area_->contains(x, y))
        return floating_->block.At(x - area_->left(), y - area_->top());
    if (floating_->lifted && floating_->lifted->contains(x, y))
        return BitsForColour(kTransparentCyan);
    return std::nullopt;
}

void Selection::Commit(ToolCanvas& canvas) {
    if (!floating_)
        return;
    Touch();
    const QRect sprite(0, 0, canvas.Size(), canvas.Size());
    const QRect written = (*area_ | floating_->lifted.value_or(QRect())).intersected(sprite);
    canvas.BeginStroke(floating_->step);
    for (int y = written.top(); y <= written.bottom(); ++y)
        for (int x = written.left(); x <= written.right(); ++x)
            if (const auto bits = Shown(x, y))
                canvas.WriteBits({x, y}, *bits);
    canvas.EndStroke();
    floating_.reset();
    Select(area_->intersected(sprite));
}

void Selection::Cancel() {
    if (!floating_)
        return;
    Touch();
    const std::optional<QRect> back = floating_->lifted;
    floating_.reset();
    area_ = back;
}

QRect Selection::TakeDirty() {
    return std::exchange(dirty_, QRect());
}

} // namespace vellicor
