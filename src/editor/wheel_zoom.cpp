#include "wheel_zoom.h"

#include <QSlider>
#include <QWheelEvent>

namespace vellicor {
namespace {

constexpr int kNotch = 120; // angle units of one notch of a common mouse wheel

} // namespace

WheelZoom::WheelZoom(QSlider& slider, std::initializer_list<QWidget*> areas)
    : QObject(&slider), slider_(slider) {
    for (QWidget* area : areas)
        area->installEventFilter(this);
}

bool WheelZoom::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel)
        return QObject::eventFilter(watched, event);
    pending_ += static_cast<QWheelEvent*>(event)->angleDelta().y();
    const int notches = pending_ / kNotch;
    pending_ -= notches * kNotch;
    if (notches != 0)
        slider_.setValue(slider_.value() + notches * slider_.singleStep());
    // Taken here, so the workspace around the editor never scrolls instead.
    return true;
}

} // namespace vellicor
