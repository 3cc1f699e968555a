#pragma once

#include <QString>

class QDockWidget;
class QMainWindow;

namespace vellicor {

// Docks `dock` on the window's right, shown or hidden as the user last left it (under `key`),
// with its View menu entry named `action` and captioned `caption`.
void DockRemembered(QDockWidget* dock, QMainWindow* window, const QString& key,
                    const QString& action, const QString& caption);

} // namespace vellicor
