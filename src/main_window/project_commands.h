#pragma once

#include "export/header_style.h"
#include "recent_projects.h"

#include <QObject>

class QMenu;

namespace vellicor {

class DialogSeam;
class SpriteWindows;
class ProjectDocument;
class ProjectTree;
class SpriteTable;

// The commands that put a whole project in place or keep it in a file: New Project, Open, Open
// Recent, Save and Save As, and the question before unsaved work would be thrown away, also as
// the window closes or the desktop session ends. The window parents their dialogs.
class ProjectCommands : public QObject {
    Q_OBJECT
  public:
    ProjectCommands(DialogSeam& dialogs, ProjectDocument& document, ProjectTree& tree,
                    SpriteWindows& editors, QWidget* window);

    void NewProject();
    // Each asks about unsaved changes first, and returns whether the project was opened or saved.
    bool Open();
    bool OpenRecent(const QString& path);
    bool Save();
    bool SaveAs();
    // Opens a project file without asking about the current one (start-up, after the question).
    bool OpenProjectFile(const QString& path);
    // Puts a project read from a file or recovered in place of the current one, and shows it:
    // its tree and the editors it had open.
    void Replace(const QString& name, SpriteTable table, const QString& path, bool unsaved,
                 HeaderStyle style = HeaderStyle::Plain);
    // Asks whether to save a modified project before it is thrown away; false means stop.
    bool MaybeSaveChanges();
    // The desktop session is ending: asks as closing would; false means keep the session.
    bool AllowSessionEnd();
    // Whether the window may close: it asks, unless the session's end already had the answer.
    bool AllowClose();
    // Fills the menu with the recent projects, each opening its project.
    void ListRecent(QMenu* menu);

  signals:
    // A note for the status bar.
    void Note(const QString& text);

  private:
    bool SaveTo(const QString& path);

    DialogSeam& dialogs_;
    ProjectDocument& document_;
    ProjectTree& tree_;
    SpriteWindows& editors_;
    QWidget* window_;
    RecentProjects recentProjects_;
    // Set when the user already answered for the current changes as the session ended, so
    // the close that follows does not ask again.
    bool changesSettled_ = false;
};

} // namespace vellicor
