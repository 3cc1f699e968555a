#include "undo_router.h"

#include "document/project_document.h"
#include "project_tree.h"
#include "sprite_windows.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QUndoGroup>

namespace vellicor {

UndoRouter::UndoRouter(ProjectDocument& document, ProjectTree& tree, SpriteWindows& editors,
                       QObject* parent)
    : QObject(parent), document_(document), tree_(tree), editors_(editors),
      group_(new QUndoGroup(this)) {
    connect(&document, &ProjectDocument::HistoryRetired, group_, &QUndoGroup::removeStack);
    connect(&editors, &SpriteWindows::Opening, this, [this] {
        fromTree_ = false;
        projectStep_ = false;
    });
    connect(&tree, &ProjectTree::SelectionMoved, this, [this] {
        if (!changing_)
            projectStep_ = false;
        if (fromTree_)
            Follow();
    });
    // Focus moving to menus, docks or dialogs leaves the choice as it was.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now == &tree_) {
            fromTree_ = true;
        } else if (now != nullptr && editors_.Holds(now)) {
            fromTree_ = false;
            if (!changing_)
                projectStep_ = false;
        } else {
            return;
        }
        Follow();
    });
}

void UndoRouter::AddActions(QMenu* menu) {
    QAction* undo = group_->createUndoAction(menu, tr("&Undo"));
    undo->setObjectName(QStringLiteral("mnuEditUndo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = group_->createRedoAction(menu, tr("&Redo"));
    redo->setObjectName(QStringLiteral("mnuEditRedo"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    menu->addAction(undo);
    menu->addAction(redo);
}

void UndoRouter::Follow() {
    std::optional<int> sprite = fromTree_ ? tree_.SelectedSprite() : editors_.ActiveSprite();
    // A closed sprite's node stands for the project, and so does any node right after a step
    // of the list.
    if (fromTree_ && sprite && (projectStep_ || !document_.Record(*sprite).IsOpen))
        sprite.reset();
    QUndoStack* history = sprite ? document_.History(*sprite) : document_.ProjectHistory();
    group_->addStack(history); // a history leaves the group by itself when dropped
    group_->setActiveStack(history);
}

void UndoRouter::FollowTree() {
    tree_.setFocus();
    fromTree_ = true;
    Follow();
}

void UndoRouter::FollowProjectStep() {
    tree_.setFocus();
    fromTree_ = true;
    projectStep_ = true;
    Follow();
}

void UndoRouter::KeepSource(const std::function<void()>& change) {
    const bool fromTree = fromTree_;
    const bool projectStep = projectStep_;
    const bool nested = changing_;
    changing_ = true;
    change();
    changing_ = nested;
    if (fromTree)
        tree_.setFocus();
    fromTree_ = fromTree;
    projectStep_ = projectStep;
}

} // namespace vellicor
