#include "undo_router.h"

#include "document/project_document.h"
#include "project_tree.h"
#include "sprite_windows.h"

#include <QApplication>
#include <QUndoGroup>

namespace vellicor {

UndoRouter::UndoRouter(ProjectDocument& document, ProjectTree& tree, SpriteWindows& editors,
                       QObject* parent)
    : QObject(parent), document_(document), tree_(tree), editors_(editors),
      group_(new QUndoGroup(this)) {
    connect(&document, &ProjectDocument::HistoryRetired, group_, &QUndoGroup::removeStack);
    connect(&editors, &SpriteWindows::Opening, this, [this] { fromTree_ = false; });
    connect(&tree, &ProjectTree::SelectionMoved, this, [this] {
        if (fromTree_)
            Follow();
    });
    // Focus moving to menus, docks or dialogs leaves the choice as it was.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now == &tree_)
            fromTree_ = true;
        else if (now != nullptr && editors_.Holds(now))
            fromTree_ = false;
        else
            return;
        Follow();
    });
}

void UndoRouter::Follow() {
    std::optional<int> sprite = fromTree_ ? tree_.SelectedSprite() : editors_.ActiveSprite();
    if (fromTree_ && sprite && !document_.Record(*sprite).IsOpen)
        sprite.reset(); // a closed sprite's node stands for the project
    QUndoStack* history = sprite ? document_.History(*sprite) : document_.ProjectHistory();
    group_->addStack(history); // a history leaves the group by itself when dropped
    group_->setActiveStack(history);
}

void UndoRouter::FollowTree() {
    tree_.setFocus();
    fromTree_ = true;
    Follow();
}

void UndoRouter::KeepSource(const std::function<void()>& change) {
    const bool fromTree = fromTree_;
    change();
    if (fromTree)
        tree_.setFocus();
    fromTree_ = fromTree;
}

} // namespace vellicor
