#include "current_colours.h"

namespace vellicor {

CurrentColours::CurrentColours(QObject* parent) : QObject(parent) {}

QColor CurrentColours::For(Qt::MouseButton button) const {
    if (button == Qt::LeftButton)
        return fore_;
    if (button == Qt::RightButton)
        return back_;
    return {};
}

void CurrentColours::Set(Qt::MouseButton button, QColor colour) {
    if (button == Qt::LeftButton)
        fore_ = colour;
    else if (button == Qt::RightButton)
        back_ = colour;
    else
        return;
    emit Changed();
}

} // namespace vellicor
