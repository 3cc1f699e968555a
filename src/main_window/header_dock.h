#pragma once

#include <QDockWidget>

class QMainWindow;

namespace vellicor {

class HeaderLines;
class HeaderView;
class ProjectDocument;

// The project's header as Compile would write it, kept up to date after every completed step,
// with the active sprite's three lines picked out. Its lines are made as they come into view,
// and only a changed sprite's are made again; while the dock is hidden nothing is, and it
// catches up when shown. Lines are selected and copied whole. It is shown or hidden as the user
// last left it.
class HeaderDock : public QDockWidget {
    Q_OBJECT
  public:
    // Docks itself beside the window's workspace.
    HeaderDock(const ProjectDocument& document, QMainWindow* window);

    // The sprite whose lines are picked out; -1 for none.
    void SetActiveSprite(int index);
    // The text as shown, one "\n" per line end of the file.
    QString Text() const;
    // Sprites whose lines are picked out, as line numbers of the text (first line of each).
    QList<int> HighlightedLines() const;

    // The sprite's lines changed, or it was added at the end.
    void RefreshSprite(int index);
    // The whole project changed.
    void RefreshAll();

  private:
    void Highlight();

    HeaderLines* lines_ = nullptr;
    HeaderView* view_ = nullptr;
    int activeSprite_ = -1;
    bool stale_ = true;
};

} // namespace vellicor
