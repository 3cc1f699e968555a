#pragma once

#include <QDockWidget>

class QMainWindow;
class QPlainTextEdit;

namespace vellicor {

class ProjectDocument;

// The project's header as Compile would write it, kept up to date after every completed step,
// with the active sprite's three lines picked out. Only the changed sprite's lines are rebuilt;
// while the dock is hidden nothing is, and it catches up when shown. It is shown or hidden as
// the user last left it.
class HeaderDock : public QDockWidget {
    Q_OBJECT
  public:
    // Docks itself beside the window's workspace.
    HeaderDock(const ProjectDocument& document, QMainWindow* window);

    // The sprite whose lines are picked out; -1 for none.
    void SetActiveSprite(int index);
    // The text as shown, one "\n" per line end of the file.
    QString Text() const;
    // Sprites whose lines are picked out, as block numbers of the text (first line of each).
    QList<int> HighlightedLines() const;

    // The sprite's lines changed, or it was added at the end.
    void RefreshSprite(int index);
    // The whole project changed.
    void RefreshAll();

  private:
    void Highlight();

    const ProjectDocument& document_;
    QPlainTextEdit* text_ = nullptr;
    int shownSprites_ = 0;
    int activeSprite_ = -1;
    bool stale_ = true;
};

} // namespace vellicor
