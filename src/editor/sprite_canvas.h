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

  signals:
    void MousePressed(int button, QPointF position);
    void MouseMoved(int buttons, QPointF position);
    // `stillHeld` is the button state after the release.
    void MouseReleased(int stillHeld);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace vellicor
