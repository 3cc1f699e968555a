#include "project_tree.h"

#include "document/project_document.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>

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
