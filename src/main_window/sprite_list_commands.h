#pragma once

#include <QList>
#include <QObject>
#include <vector>

class QAction;
class QKeySequence;
class QMenu;
class QMenuBar;

namespace vellicor {

class DialogSeam;
class ProjectDocument;
class ProjectTree;
class SpriteWindows;
class UndoRouter;

// The commands on the project's list of sprites: Rename, Delete, Duplicate, Move Up and Move
// Down, and the move a drop of sprite nodes asks for. They act on the selected sprite nodes (or
// the current one); Rename acts on the current node, the project's included. Each is one step
// of the project's history. Their keys work while the tree has the focus, never on a canvas.
class SpriteListCommands : public QObject {
    Q_OBJECT
  public:
    SpriteListCommands(DialogSeam& dialogs, ProjectDocument& document, ProjectTree& tree,
                       SpriteWindows& editors, UndoRouter& undo, QWidget* window);

    // The "&Sprite" menu, at the end of the bar's menus so far.
    void AddMenu(QMenuBar* bar);
    // The commands at the end of the tree's pop-up: all of them for a sprite node, Rename for
    // the project node. Returns what the pop-up shows only while the tree holds nodes.
    QList<QAction*> AddToPopup(QMenu* popup);

    void Rename();
    void Delete();
    void Duplicate();
    void MoveUp();
    void MoveDown();
    // Moves the sprites, keeping their order, to go before sprite `to` (the count for the end).
    void MoveTo(const std::vector<int>& sprites, int to);

  signals:
    // A note for the status bar.
    void Note(const QString& text);

  private:
    QAction* AddAction(const char* name, const QString& caption, const QKeySequence& key,
                       void (SpriteListCommands::*command)());
    // Enables each command while it can act on the tree's selection.
    void UpdateActions();
    // One step to the sprites in `order` (order[i] is the sprite going to i), when it moves any.
    void Reorder(const std::vector<int>& order);
    // Says so when the project cannot take `count` more sprites.
    bool HasRoomFor(int count);

    DialogSeam& dialogs_;
    ProjectDocument& document_;
    ProjectTree& tree_;
    UndoRouter& undo_;
    QWidget* window_;
    QList<QAction*> actions_;
    QAction* rename_ = nullptr;
    QAction* delete_ = nullptr;
    QAction* duplicate_ = nullptr;
    QAction* moveUp_ = nullptr;
    QAction* moveDown_ = nullptr;
};

} // namespace vellicor
