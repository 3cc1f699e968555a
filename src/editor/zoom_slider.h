#pragma once

#include <QSlider>

namespace vellicor {

// The zoom slider. While its thumb is dragged, the canvas follows each mouse movement made with
// the left button alone; every other change of the value (keys, clicks on the track, the wheel,
// letting go of the thumb) is reported at once.
class ZoomSlider : public QSlider {
    Q_OBJECT
  public:
    explicit ZoomSlider(QWidget* parent);

  signals:
    void ZoomChanged();

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
};

} // namespace vellicor
