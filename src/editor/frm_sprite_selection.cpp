// The window's selection: what the Edit and Image commands ask of it, and the arrow keys.
#include "frm_sprite.h"

namespace vellicor {

std::optional<QRect> frmSprite::SelectedCells() const {
    const auto area = tools_.Selected().Area();
    if (!area || !Index())
        return std::nullopt;
    // Floating pixels may reach past the edge; the commands act on the sprite's own cells.
    const QRect cells = area->intersected(QRect(0, 0, Size(), Size()));
    return cells.isEmpty() ? std::nullopt : std::optional<QRect>(cells);
}

void frmSprite::CommitFloating() {
    if (!tools_.Selected().IsFloating())
        return;
    tools_.CommitSelection();
    ShowChanges();
}

void frmSprite::SelectAll() {
    CommitFloating();
    if (Index() && Size() > 0)
        tools_.Selected().Select(QRect(0, 0, Size(), Size()));
    ShowChanges();
}

void frmSprite::SelectCells(QRect cells) {
    CommitFloating();
    cells = cells.intersected(QRect(0, 0, Size(), Size()));
    if (cells.isEmpty())
        tools_.Selected().Clear();
    else
        tools_.Selected().Select(cells);
    ShowChanges();
}

void frmSprite::Deselect() {
    CommitFloating();
    tools_.Selected().Clear();
    ShowChanges();
}

std::optional<PixelBlock> frmSprite::CopyPixels() {
    CommitFloating();
    const SpriteRecord* record = Record();
    if (record == nullptr || Size() <= 0)
        return std::nullopt;
    return CopyCells(*record, SelectedCells().value_or(QRect(0, 0, Size(), Size())));
}

void frmSprite::EraseSelection(const QString& step) {
    if (!Index() || Size() <= 0)
        return;
    tools_.EraseSelection(step);
    ShowChanges();
}

void frmSprite::Paste(PixelBlock block) {
    CommitFloating();
    if (!Index() || Size() <= 0)
        return;
    const QPoint at = tools_.Selected().Area().value_or(QRect()).topLeft();
    tools_.Selected().Float(at, std::move(block), QStringLiteral("Paste"));
    ShowChanges();
}

void frmSprite::Nudge(int dx, int dy) {
    if (const SpriteRecord* record = Record()) {
        tools_.Selected().MoveBy(*record, dx, dy);
        ShowChanges();
    }
}

} // namespace vellicor
