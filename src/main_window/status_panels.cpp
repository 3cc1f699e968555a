#include "status_panels.h"

#include <QEvent>
#include <QLabel>
#include <algorithm>

namespace vellicor {

StatusPanels::StatusPanels(QWidget* window) : QStatusBar(window) {
    setSizeGripEnabled(false);
    setFixedHeight(25);
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        labels_[i] = new QLabel(this);
        labels_[i]->setFrameShape(QFrame::Panel);
        labels_[i]->setFrameShadow(QFrame::Sunken);
        labels_[i]->setIndent(3);
        widths_[i] = kMinPanelWidth;
    }
    PlacePanels();
    window->installEventFilter(this);
}

bool StatusPanels::SetPanelWidth(int panel, int width) {
    if (width < 0)
        return false;
    widths_.at(static_cast<std::size_t>(panel)) = std::max(width, kMinPanelWidth);
    PlacePanels();
    return true;
}

QString StatusPanels::PanelText(int panel) const {
    return labels_.at(static_cast<std::size_t>(panel))->text();
}

void StatusPanels::SetPanelText(int panel, const QString& text) {
    labels_.at(static_cast<std::size_t>(panel))->setText(text);
}

void StatusPanels::resizeEvent(QResizeEvent* event) {
    QStatusBar::resizeEvent(event);
    PlacePanels();
}

bool StatusPanels::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        // A value the bar refuses (a window narrower than panels 2 and 3) leaves panel 1 as
        // it was.
        const int outer = static_cast<QWidget*>(watched)->frameGeometry().width();
        SetPanelWidth(0, outer - PanelWidth(1) - PanelWidth(2));
    }
    return QStatusBar::eventFilter(watched, event);
}

void StatusPanels::PlacePanels() {
    int left = 0;
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        labels_[i]->setGeometry(left, 2, widths_[i] - 2, height() - 4);
        left += widths_[i];
    }
}

} // namespace vellicor
