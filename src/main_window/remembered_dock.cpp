#include "remembered_dock.h"

#include <QAction>
#include <QDockWidget>
#include <QMainWindow>
#include <QSettings>

namespace vellicor {

void DockRemembered(QDockWidget* dock, QMainWindow* window, const QString& key,
                    const QString& action, const QString& caption) {
    window->addDockWidget(Qt::RightDockWidgetArea, dock);
    dock->setVisible(QSettings().value(key).toBool());
    QAction* shown = dock->toggleViewAction();
    shown->setObjectName(action);
    shown->setText(caption);
    // Kept when the user shows or hides it; closing the window hides it too, which is no choice.
    QObject::connect(shown, &QAction::triggered, dock,
                     [key](bool visible) { QSettings().setValue(key, visible); });
    QObject::connect(dock, &QDockWidget::visibilityChanged, dock,
                     [dock, window, key](bool visible) {
                         if (!visible && window->isVisible() && dock->isHidden())
                             QSettings().setValue(key, false);
                     });
}

} // namespace vellicor
