#pragma once

#include <QObject>
#include <functional>

class QMenu;
class QUndoGroup;

namespace vellicor {

class SpriteWindows;
class ProjectDocument;
class ProjectTree;

// Which history Edit > Undo and Redo act on: what the user is looking at. That is the active
// editor's sprite or, while the project tree had the focus more recently than an editor, the
// selected sprite if its editor is open; otherwise, or right after a command on the list of
// sprites, the project's history.
class UndoRouter : public QObject {
    Q_OBJECT
  public:
    UndoRouter(ProjectDocument& document, ProjectTree& tree, SpriteWindows& editors,
               QObject* parent);

    QUndoGroup* Group() const { return group_; }
    // Edit > Undo and Redo, named by the step they take back or do again ("Undo Paint").
    void AddActions(QMenu* menu);
    // Points the group at the history that undo acts on now.
    void Follow();
    // Gives the tree the focus, from where undo takes back what a command just added.
    void FollowTree();
    // A command changed the project's list of sprites: the tree takes the focus and undo acts
    // on the project's history, whichever node the command left selected, until the user picks
    // another node or works in an editor. Undo and redo from there keep to it.
    void FollowProjectStep();
    // Runs `change`, which may close editors and so move the focus. An undo made from the tree
    // keeps acting from there, so redo stays at hand; the caller follows once all is in place.
    void KeepSource(const std::function<void()>& change);

  private:
    ProjectDocument& document_;
    ProjectTree& tree_;
    SpriteWindows& editors_;
    QUndoGroup* group_;
    bool fromTree_ = false;
    bool projectStep_ = false;
    // While a change runs, the nodes it selects are not the user's choice.
    bool changing_ = false;
};

} // namespace vellicor
