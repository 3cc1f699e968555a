#include "view_workspace.h"

#include "workspace_layout.h"
#include "zoom_commands.h"

#include <QMainWindow>

namespace vellicor {

void AddWorkspaceCommands(QMainWindow& window, const ProjectDocument& document,
                          SpriteWindows& editors, QMdiArea& area, QMenu& view) {
    new ZoomCommands(document, editors, area, view, &window);
    new WorkspaceLayout(window, view);
}

void ShowWorkspace(QMainWindow& window) {
    if (auto* layout = window.findChild<WorkspaceLayout*>())
        layout->Show();
    else
        window.showMaximized();
}

} // namespace vellicor
