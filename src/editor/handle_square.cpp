#include "handle_square.h"

#include <QPainter>

namespace vellicor {

HandleSquare::HandleSquare(bool solid, QWidget* parent) : QWidget(parent), solid_(solid) {
    setFixedSize(5, 5);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void HandleSquare::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor highlight = palette().color(QPalette::Highlight);
    painter.fillRect(rect(), highlight);
    if (!solid_)
        painter.fillRect(rect().adjusted(1, 1, -1, -1), Qt::white);
}

} // namespace vellicor
