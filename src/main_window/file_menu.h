#pragma once

class QAction;
class QMenuBar;
class QWidget;

namespace vellicor {

class ProjectCommands;
class ProjectDocument;
class SheetCommands;
class SpriteCommands;

struct FileMenuCommands {
    ProjectCommands& projects;
    SpriteCommands& sprites;
    SheetCommands& sheets;
};

// The File menu: new, open, save, the imports and exports, exit. Returns Export PNG, which
// follows the active editor.
QAction* BuildFileMenu(QMenuBar& bar, const ProjectDocument& document,
                       const FileMenuCommands& commands, QWidget& window);

} // namespace vellicor
