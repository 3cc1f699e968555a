// The mouse and keys on the canvas, wired to the tools, and what the tools read from the window.
#include "frm_sprite.h"
#include "qt_colour.h"
#include "sprite_canvas.h"

#include <QShortcut>

namespace vellicor {

void frmSprite::BuildToolShortcuts() {
    // The keys pixel editors use, live while this window has the focus.
    const std::pair<Qt::Key, Tool> keys[] = {
        {Qt::Key_B, Tool::Pencil}, {Qt::Key_P, Tool::Pencil},    {Qt::Key_E, Tool::Eraser},
        {Qt::Key_C, Tool::Circle}, {Qt::Key_R, Tool::Rectangle}, {Qt::Key_F, Tool::Fill},
        {Qt::Key_G, Tool::Fill}};
    for (const auto& [key, tool] : keys) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this,
                [this, tool = tool] { host_.SelectTool(tool); });
    }
}

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
}

void frmSprite::ShowPointer(const ToolSession::Pointer& pointer) {
    const Cell cell = tools_.CellUnder(pointer);
    host_.SetCellStatus(QStringLiteral("%1 x %2").arg(cell.x + 1).arg(cell.y + 1));
}

void frmSprite::ShowChanges() {
    const std::vector<Cell> changed = tools_.TakeChanged();
    picSprite_->UpdateCells(changed);
    picPreview_->UpdateCells(changed);
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
