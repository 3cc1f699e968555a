#pragma once

#include <QObject>
#include <QPointer>
#include <optional>
#include <vector>

class QMdiArea;

namespace vellicor {

class EditorHost;
class ProjectTree;
class frmSprite;

// The sprites' editor windows in the workspace, one per sprite, made when a sprite is first
// shown and kept, closed or open, until the project is replaced: a closed window opens again
// as the same object, by a double-click on its node.
class SpriteWindows : public QObject {
    Q_OBJECT
  public:
    SpriteWindows(EditorHost& host, ProjectTree& tree, QMdiArea& area, QObject* parent);

    const std::vector<QPointer<frmSprite>>& Windows() const { return windows_; }
    // Makes the sprite's node the selected one, then loads and shows its editor window.
    void Show(int index);
    // Closes the open editors and lets go of every window: they belong to the project that is
    // going away.
    void DropAll();
    // Closes the windows of the sprites from `first` on. The windows stay, closed, for the
    // sprites that redo or new commands put in their place.
    void CloseFrom(int first);
    void CloseAll();
    // The document deleted, put back or reordered sprites (`sources` as it tells them): each
    // window keeps its sprite under its new index, the windows of sprites that left close, and
    // sprites put back with their windows open open them again, leaving the tree as it is.
    void Follow(const std::vector<int>& sources);
    // The sprite's name changed: its window's caption follows.
    void Rename(int index);
    void ShowGrid() const;
    // Puts down the pixels a move or a paste left floating in any window, so that what a
    // command saves, writes or asks about is all in the document.
    void CommitFloating() const;
    // The sprite of the active editor window, while that window is open.
    std::optional<int> ActiveSprite() const;
    // Whether the widget is inside the workspace.
    bool Holds(const QWidget* widget) const;

  signals:
    // An editor window is about to load.
    void Opening();
    // The active editor window may have changed.
    void ActiveChanged();

  private:
    // Loads and shows the sprite's window, made if it has none yet.
    void Open(int index);

    EditorHost& host_;
    ProjectTree& tree_;
    QMdiArea& area_;
    std::vector<QPointer<frmSprite>> windows_;
};

} // namespace vellicor
