#pragma once

#include <QObject>
#include <initializer_list>

class QSlider;
class QWidget;

namespace vellicor {

// The wheel over the canvas and the grey area around it moves the zoom slider by its small step
// a notch, with or without Ctrl, as pixel editors do; a touchpad's small turns add up to whole
// notches. The slider stays the one store of the zoom, so everything that follows it follows.
class WheelZoom : public QObject {
    Q_OBJECT
  public:
    WheelZoom(QSlider& slider, std::initializer_list<QWidget*> areas);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QSlider& slider_;
    int pending_ = 0; // angle units short of a whole notch
};

} // namespace vellicor
