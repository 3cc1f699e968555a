#pragma once

#include "picture_surface.h"

#include <QPointF>

namespace vellicor {

// The zoomed canvas: a picture surface with a plus-sign pointer that reports the mouse as a
// button state (1 left, 2 right, 4 middle, sums for several) and a real-valued position.
class SpriteCanvas : public PictureSurface {
    Q_OBJECT
  public:
    SpriteCanvas(QColor background, QWidget* parent);

    // Thin lines between the cells of an n x n grid, drawn over the picture (not into it).
    void SetGrid(int n, bool shown);

  signals:
    void MousePressed(int button, QPointF position, Qt::KeyboardModifiers modifiers);
    void MouseMoved(int buttons, QPointF position, Qt::KeyboardModifiers modifiers);
    // `stillHeld` is the button state after the release.
    void MouseReleased(int stillHeld, Qt::KeyboardModifiers modifiers);
    void EscapePressed();
    // Shift or another modifier went down or up while the canvas had the focus.
    void ModifiersChanged(Qt::KeyboardModifiers modifiers);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    int gridN_ = 0;
    bool gridShown_ = false;
};

} // namespace vellicor
