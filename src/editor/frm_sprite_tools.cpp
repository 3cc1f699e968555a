// The mouse and keys on the canvas, wired to the tools, and what the tools read from the window.
#include "frm_sprite.h"
#include "qt_colour.h"
#include "sprite_canvas.h"

namespace vellicor {

void frmSprite::WireCanvas() {
    auto pointer = [this](QPointF position, Qt::KeyboardModifiers modifiers) {
        return ToolSession::Pointer{position, QSizeF(picSprite_->size()), modifiers};
    };
    connect(picSprite_, &SpriteCanvas::MousePressed, this,
            [this, pointer](Qt::MouseButton button, Qt::MouseButtons held, QPointF position,
                            Qt::KeyboardModifiers modifiers) {
                const ToolSession::Pointer at = pointer(position, modifiers);
                ShowPointer(at);
                tools_.Press(button, held, at);
                ShowChanges();
            });
    connect(
        picSprite_, &SpriteCanvas::MouseMoved, this,
        [this, pointer](Qt::MouseButtons held, QPointF position, Qt::KeyboardModifiers modifiers) {
            const ToolSession::Pointer at = pointer(position, modifiers);
            ShowPointer(at);
            tools_.Move(held, at);
            ShowChanges();
        });
    connect(picSprite_, &SpriteCanvas::MouseReleased, this,
            [this](Qt::MouseButtons stillHeld, Qt::KeyboardModifiers modifiers) {
                tools_.Release(stillHeld, modifiers);
                ShowChanges();
                DrawSprite();
            });
    connect(picSprite_, &SpriteCanvas::ModifiersChanged, this,
            [this](Qt::KeyboardModifiers modifiers) {
                tools_.SetModifiers(modifiers);
                ShowChanges();
            });
    connect(picSprite_, &SpriteCanvas::EscapePressed, this, [this] {
        tools_.Cancel();
        ShowChanges();
    });
    connect(picSprite_, &SpriteCanvas::ArrowPressed, this, &frmSprite::Nudge);
    connect(picSprite_, &SpriteCanvas::EnterPressed, this, &frmSprite::CommitFloating);
}

void frmSprite::ShowPointer(const ToolSession::Pointer& pointer) {
    const Cell cell = tools_.CellUnder(pointer);
    host_.SetCellStatus(QStringLiteral("%1 x %2").arg(cell.x + 1).arg(cell.y + 1));
}

void frmSprite::ShowChanges() {
    const std::vector<Cell> changed = tools_.TakeChanged();
    picSprite_->UpdateCells(changed);
    picPreview_->UpdateCells(changed);
    const QRect selection = tools_.Selected().TakeDirty();
    picSprite_->UpdateArea(selection);
    picPreview_->UpdateArea(selection);
}

Rgb frmSprite::LeftColour() const {
    return ToRgb(host_.ForeColour());
}

Rgb frmSprite::RightColour() const {
    return ToRgb(host_.BackColour());
}

void frmSprite::PickColour(Qt::MouseButton button, Rgb colour) {
    host_.PickColour(button, ToQColor(colour));
}

} // namespace vellicor
