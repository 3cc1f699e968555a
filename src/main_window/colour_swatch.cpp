#include "colour_swatch.h"

#include "current_colours.h"

#include <QMouseEvent>
#include <QPainter>

namespace vellicor {

ColourSwatch::ColourSwatch(QColor colour, QWidget* parent) : QWidget(parent), colour_(colour) {
    setFixedSize(17, 17);
}

ColourSwatch::ColourSwatch(const CurrentColours& colours, Qt::MouseButton button, QWidget* parent)
    : QWidget(parent), colours_(&colours), button_(button) {
    setFixedSize(17, 17);
    connect(&colours, &CurrentColours::Changed, this, qOverload<>(&QWidget::update));
}

QColor ColourSwatch::Colour() const {
    return colours_ != nullptr ? colours_->For(button_) : colour_;
}

void ColourSwatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Colour());
    painter.setPen(QColor(128, 128, 128));
    painter.drawLine(0, 0, width() - 1, 0);
    painter.drawLine(0, 0, 0, height() - 1);
    painter.setPen(Qt::white);
    painter.drawLine(1, height() - 1, width() - 1, height() - 1);
    painter.drawLine(width() - 1, 1, width() - 1, height() - 1);
}

void ColourSwatch::mousePressEvent(QMouseEvent* event) {
    emit Pressed(event->button());
}

} // namespace vellicor
