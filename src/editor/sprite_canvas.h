#pragma once

#include "sprite_view.h"

#include <QPointF>

namespace vellicor {

// The zoomed canvas: a sprite view with a plus-sign pointer, optional lines between the cells,
// and the mouse reported with its buttons and a real-valued position.
class SpriteCanvas : public SpriteView {
    Q_OBJECT
  public:
    SpriteCanvas(QColor background, QWidget* parent);

    // Thin lines between the cells, drawn over the picture, when the user wants them.
    void SetGrid(bool shown);

  signals:
    // `held` includes the pressed button.
    void MousePressed(Qt::MouseButton button, Qt::MouseButtons held, QPointF position,
                      Qt::KeyboardModifiers modifiers);
    void MouseMoved(Qt::MouseButtons held, QPointF position, Qt::KeyboardModifiers modifiers);
    void MouseReleased(Qt::MouseButtons stillHeld, Qt::KeyboardModifiers modifiers);
    void EscapePressed();
    // An arrow key moves the selection by (dx, dy) cells; Enter puts down what floats.
    void ArrowPressed(int dx, int dy);
    void EnterPressed();
    // Shift went down or up while the canvas had the focus.
    void ModifiersChanged(Qt::KeyboardModifiers modifiers);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    // The dashed outline of the selected cells.
    void DrawOutline(QPainter& painter, int n) const;

    bool gridShown_ = false;
};

} // namespace vellicor
