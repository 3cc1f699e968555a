#include "sprite_canvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>

namespace vellicor {
namespace {

// A white plus sign with a one-pixel black outline, arms 19 pixels long, hot spot (15, 16).
QCursor PlusCursor() {
    QPixmap image(32, 32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    constexpr int kHotX = 15;
    constexpr int kHotY = 16;
    constexpr int kHalf = 9;
    painter.fillRect(kHotX - kHalf - 1, kHotY - 1, 2 * kHalf + 3, 3, Qt::black);
    painter.fillRect(kHotX - 1, kHotY - kHalf - 1, 3, 2 * kHalf + 3, Qt::black);
    painter.fillRect(kHotX - kHalf, kHotY, 2 * kHalf + 1, 1, Qt::white);
    painter.fillRect(kHotX, kHotY - kHalf, 1, 2 * kHalf + 1, Qt::white);
    painter.end();
    return QCursor(image, kHotX, kHotY);
}

} // namespace

SpriteCanvas::SpriteCanvas(QColor background, QWidget* parent) : SpriteView(background, parent) {
    setCursor(PlusCursor());
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus); // so Escape reaches a drag in progress
}

void SpriteCanvas::SetGrid(bool shown) {
    if (shown == gridShown_)
        return;
    gridShown_ = shown;
    update();
}

void SpriteCanvas::paintEvent(QPaintEvent* event) {
    SpriteView::paintEvent(event);
    const int n = GridSize();
    if (n <= 0)
        return;
    QPainter painter(this);
    // Only where cells are wide enough for a line not to hide them.
    if (gridShown_ && width() >= 4 * n) {
        painter.setPen(QColor(0, 0, 0, 60));
        for (int k = 1; k < n; ++k) {
            const int x = CellBorder(k, width(), n);
            const int y = CellBorder(k, height(), n);
            painter.drawLine(x, 0, x, height() - 1);
            painter.drawLine(0, y, width() - 1, y);
        }
    }
    DrawOutline(painter, n);
}

void SpriteCanvas::DrawOutline(QPainter& painter, int n) const {
    const Selection* selection = ShownSelection();
    if (selection == nullptr || !selection->Area())
        return;
    const QRect cells = *selection->Area();
    const QRect outline(
        QPoint(CellBorder(cells.left(), width(), n), CellBorder(cells.top(), height(), n)),
        QPoint(CellBorder(cells.right() + 1, width(), n) - 1,
               CellBorder(cells.bottom() + 1, height(), n) - 1));
    // Black dashes on white show on every grey and on the transparent cyan alike.
    painter.setPen(Qt::white);
    painter.drawRect(outline);
    QPen dashes(Qt::black);
    dashes.setDashPattern({3, 3});
    painter.setPen(dashes);
    painter.drawRect(outline);
}

void SpriteCanvas::keyPressEvent(QKeyEvent* event) {
    const bool plain =
        !(event->modifiers() & ~Qt::KeyboardModifiers(Qt::ShiftModifier | Qt::KeypadModifier));
    const int step = event->modifiers().testFlag(Qt::ShiftModifier) ? 4 : 1;
    const Selection* selection = ShownSelection();
    const bool selected = selection != nullptr && selection->Area();
    if (event->key() == Qt::Key_Escape)
        emit EscapePressed();
    else if (selected && plain && event->key() == Qt::Key_Left)
        emit ArrowPressed(-step, 0);
    else if (selected && plain && event->key() == Qt::Key_Right)
        emit ArrowPressed(step, 0);
    else if (selected && plain && event->key() == Qt::Key_Up)
        emit ArrowPressed(0, -step);
    else if (selected && plain && event->key() == Qt::Key_Down)
        emit ArrowPressed(0, step);
    else if (selected && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter))
        emit EnterPressed();
    else if (event->key() == Qt::Key_Shift)
        emit ModifiersChanged(event->modifiers());
    else
        SpriteView::keyPressEvent(event);
}

void SpriteCanvas::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Shift)
        emit ModifiersChanged(event->modifiers());
    else
        SpriteView::keyReleaseEvent(event);
}

void SpriteCanvas::mousePressEvent(QMouseEvent* event) {
    emit MousePressed(event->button(), event->buttons(), event->position(), event->modifiers());
}

void SpriteCanvas::mouseMoveEvent(QMouseEvent* event) {
    emit MouseMoved(event->buttons(), event->position(), event->modifiers());
}

void SpriteCanvas::mouseReleaseEvent(QMouseEvent* event) {
    emit MouseReleased(event->buttons(), event->modifiers());
}

} // namespace vellicor
