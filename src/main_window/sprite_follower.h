#pragma once

#include <QObject>

namespace vellicor {

class ProjectDocument;
class ProjectTree;
class SpriteWindows;
class UndoRouter;

// Keeps the tree, the editor windows and the undo routing on their sprites while steps, and
// their undo and redo, delete, put back, reorder and rename sprites. A sprite is its index, so
// every node and window is renumbered after such a step.
class SpriteFollower : public QObject {
    Q_OBJECT
  public:
    SpriteFollower(ProjectDocument& document, ProjectTree& tree, SpriteWindows& editors,
                   UndoRouter& undo, QObject* parent);
};

} // namespace vellicor
