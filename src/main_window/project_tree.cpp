#include "project_tree.h"

#include "document/project_document.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

namespace vellicor {

ProjectTree::ProjectTree(const ProjectDocument& document, QWidget* parent)
    : QTreeView(parent), model_(new ProjectTreeModel(document, this)) {
    setObjectName(QStringLiteral("tvMain"));
    setModel(model_);
    setHeaderHidden(true);
    setIndentation(12);
    setIconSize(QSize(16, 16));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Every row is one icon and one line of text: the view need not measure thousands of them.
    setUniformRowHeights(true);
    // Ctrl and Shift pick several nodes; sprite nodes are dragged to a new place in the list.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    // The model tells its own drags by their token, so the view need not ask for the drag's
    // source as an internal move would.
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setDropIndicatorShown(true);
    viewport()->setAcceptDrops(true);
    connect(model_, &ProjectTreeModel::MoveRequested, this, &ProjectTree::MoveRequested);
    // A right press anywhere on the tree, its scroll bars included, opens the tree's pop-up.
    for (QWidget* part :
         {static_cast<QWidget*>(this), viewport(), static_cast<QWidget*>(verticalScrollBar()),
          static_cast<QWidget*>(horizontalScrollBar())}) {
        part->setContextMenuPolicy(Qt::PreventContextMenu);
        part->installEventFilter(this);
    }
    // The model made its nodes first; the first of them is picked out, whether a command or
    // redo brought them.
    connect(&document, &ProjectDocument::SpritesAdded, this,
            [this](int first) { SelectSprite(first); });
}

void ProjectTree::Rebuild() {
    model_->Reset();
    const QModelIndex project = model_->ProjectNode();
    expand(project);
    setCurrentIndex(project);
}

std::vector<int> ProjectTree::SelectedSprites() const {
    std::vector<int> sprites;
    for (const QModelIndex& node : selectionModel()->selectedRows()) {
        if (const auto sprite = model_->SpriteOf(node))
            sprites.push_back(*sprite);
    }
    if (sprites.empty()) {
        if (const auto sprite = SelectedSprite())
            sprites.push_back(*sprite);
    }
    std::sort(sprites.begin(), sprites.end());
    return sprites;
}

bool ProjectTree::OnProject() const {
    return currentIndex().isValid() && currentIndex() == model_->ProjectNode();
}

void ProjectTree::SelectSprites(const std::vector<int>& sprites) {
    if (!sprites.empty())
        Pick(sprites, model_->SpriteNode(sprites.front()));
}

void ProjectTree::Follow(const std::vector<int>& sources) {
    const QModelIndex project = model_->ProjectNode();
    const auto shown = static_cast<std::size_t>(model_->rowCount(project));
    // Where the sprite of each node shown now goes; -1 for one that left.
    std::vector<int> now(shown, -1);
    std::vector<int> putBack;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const int from = sources[i];
        if (from < 0)
            putBack.push_back(static_cast<int>(i));
        else if (static_cast<std::size_t>(from) < shown)
            now[static_cast<std::size_t>(from)] = static_cast<int>(i);
    }
    // The nodes as they are shown, read before the model lets go of them: the document's
    // sprites are already those after the step.
    std::vector<int> picked;
    for (const QModelIndex& node : selectionModel()->selectedRows()) {
        if (node.parent().isValid() && static_cast<std::size_t>(node.row()) < shown &&
            now[static_cast<std::size_t>(node.row())] >= 0)
            picked.push_back(now[static_cast<std::size_t>(node.row())]);
    }
    const QModelIndex current = currentIndex();
    const bool wasExpanded = isExpanded(project);
    const int count = static_cast<int>(sources.size());
    int focus = -1;
    if (!putBack.empty()) {
        // Sprites put back are picked out, as those a redo adds are.
        picked = putBack;
        focus = putBack.front();
    } else if (current.parent().isValid() && count > 0) {
        // A current sprite that left hands over to the one now in its place.
        const auto row = static_cast<std::size_t>(current.row());
        focus = row < shown && now[row] >= 0 ? now[row] : std::min(current.row(), count - 1);
        if (picked.empty())
            picked.push_back(focus);
    }
    model_->Reset();
    setExpanded(model_->ProjectNode(), wasExpanded);
    std::sort(picked.begin(), picked.end());
    Pick(picked, focus >= 0 ? model_->SpriteNode(focus) : model_->ProjectNode());
}

void ProjectTree::Pick(const std::vector<int>& sprites, const QModelIndex& current) {
    // Runs of neighbours make one range each, so thousands of nodes are picked at once.
    QItemSelection selection;
    for (std::size_t first = 0; first < sprites.size();) {
        std::size_t last = first;
        while (last + 1 < sprites.size() && sprites[last + 1] == sprites[last] + 1)
            ++last;
        selection.select(model_->SpriteNode(sprites[first]), model_->SpriteNode(sprites[last]));
        first = last + 1;
    }
    selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    selectionModel()->select(selection,
                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (current.isValid())
        scrollTo(current);
    emit NodesPicked();
}

void ProjectTree::SetPopup(QMenu* menu, const QList<QAction*>& needNodes) {
    popup_ = menu;
    needNodes_ = needNodes;
}

void ProjectTree::Popup(QPoint globalPosition) {
    const bool hasNodes = model_->rowCount() > 0;
    for (QAction* action : needNodes_)
        action->setVisible(hasNodes);
    popup_->popup(globalPosition);
}

void ProjectTree::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTreeView::currentChanged(current, previous);
    emit SelectionMoved();
}

void ProjectTree::selectionChanged(const QItemSelection& selected,
                                   const QItemSelection& deselected) {
    QTreeView::selectionChanged(selected, deselected);
    emit NodesPicked();
}

QItemSelectionModel::SelectionFlags ProjectTree::selectionCommand(const QModelIndex& index,
                                                                  const QEvent* event) const {
    // A node the program selects stands alone, whatever keys the user holds meanwhile
    // (Ctrl+N would otherwise add the new sprite's node to the selection).
    if (event == nullptr)
        return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    return QTreeView::selectionCommand(index, event);
}

bool ProjectTree::eventFilter(QObject* watched, QEvent* event) {
    const bool onTree = watched == this || watched == viewport() ||
                        watched == verticalScrollBar() || watched == horizontalScrollBar();
    if (onTree && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton && popup_ != nullptr) {
            // The pop-up is the same wherever the press lands, and selects nothing.
            Popup(mouse->globalPosition().toPoint());
            return true;
        }
    } else if (watched == viewport() && event->type() == QEvent::MouseButtonDblClick) {
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            emit OpenRequested();
    }
    return QTreeView::eventFilter(watched, event);
}

} // namespace vellicor
