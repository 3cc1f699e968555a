#pragma once

class QMainWindow;
class QMdiArea;
class QMenu;

namespace vellicor {

class ProjectDocument;
class SpriteWindows;

// The View menu's workspace commands: the editors' zoom and the main window's layout.
void AddWorkspaceCommands(QMainWindow& window, const ProjectDocument& document,
                          SpriteWindows& editors, QMdiArea& area, QMenu& view);
// Shows the main window as the user left it at the last close, or maximised the first time.
void ShowWorkspace(QMainWindow& window);

} // namespace vellicor
