#include "sprite_canvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

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
    // Only where cells are wide enough for a line not to hide them.
    if (!gridShown_ || n <= 0 || width() < 4 * n)
        return;
    QPainter painter(this);
    painter.setPen(QColor(0, 0, 0, 60));
    for (int k = 1; k < n; ++k) {
        const int x = CellBorder(k, width(), n);
        const int y = CellBorder(k, height(), n);
        painter.drawLine(x, 0, x, height() - 1);
        painter.drawLine(0, y, width() - 1, y);
    }
}

void SpriteCanvas::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        emit EscapePressed();
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
