#include "zoom_slider.h"

#include <QMouseEvent>

namespace vellicor {

ZoomSlider::ZoomSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    // A held thumb moves the value with every movement, whatever buttons are down; the mouse
    // movements below decide whether the canvas follows, and letting go catches it up.
    connect(this, &QSlider::valueChanged, this, [this] {
        if (!isSliderDown())
            emit ZoomChanged();
    });
    connect(this, &QSlider::sliderReleased, this, &ZoomSlider::ZoomChanged);
}

void ZoomSlider::mouseMoveEvent(QMouseEvent* event) {
    QSlider::mouseMoveEvent(event); // the thumb first, so the canvas takes its new value
    if (event->buttons() == Qt::LeftButton)
        emit ZoomChanged();
}

} // namespace vellicor
