#include "project_tree.h"

#include "artwork.h"
#include "document/project_document.h"
#include "model/sprite_identity.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>

namespace vellicor {

ProjectTree::ProjectTree(const ProjectDocument& document, QWidget* parent)
    : QTreeWidget(parent), document_(document) {
    setObjectName(QStringLiteral("tvMain"));
    setHeaderHidden(true);
    setColumnCount(1);
    setIndentation(12);
    setIconSize(QSize(16, 16));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A right press anywhere on the tree, its scroll bars included, opens the tree's pop-up.
    for (QWidget* part :
         {static_cast<QWidget*>(this), viewport(), static_cast<QWidget*>(verticalScrollBar()),
          static_cast<QWidget*>(horizontalScrollBar())}) {
        part->setContextMenuPolicy(Qt::PreventContextMenu);
        part->installEventFilter(this);
    }
    connect(&document, &ProjectDocument::SpritesAdded, this, [this](int first, int count) {
        for (int index = first; index < first + count; ++index)
            AddSpriteNode(index);
        // The first of them is picked out, whether a command or redo brought them.
        SelectSprite(first);
    });
}

void ProjectTree::Rebuild() {
    clear();
    auto* project = new QTreeWidgetItem(this, QStringList{document_.Name()});
    project->setData(0, kKeyRole, document_.Name());
    project->setData(0, kNodeKindRole, static_cast<int>(NodeKind::Project));
    project->setIcon(0, TreeIcon(QStringLiteral("Folder")));
    for (int i = 0; i < document_.Table().SpriteCount(); ++i)
        AddSpriteNode(i);
    project->setExpanded(true);
    setCurrentItem(project);
}

void ProjectTree::AddSpriteNode(int index) {
    const QString name = QString::fromStdString(document_.Record(index).Name);
    auto* node = new QTreeWidgetItem(topLevelItem(0), QStringList{name});
    node->setData(0, kKeyRole, QString::fromStdString(SpriteKey(index)));
    node->setData(0, kNodeKindRole, static_cast<int>(NodeKind::Sprite));
    node->setIcon(0, TreeIcon(QStringLiteral("Item")));
}

void ProjectTree::DropNodesFrom(int first) {
    if (QTreeWidgetItem* project = topLevelItem(0)) {
        while (project->childCount() > first)
            delete project->takeChild(project->childCount() - 1);
    }
}

void ProjectTree::SelectSprite(int index) {
    setCurrentItem(topLevelItem(0)->child(index));
}

QString ProjectTree::SelectedKey() const {
    const QTreeWidgetItem* selected = currentItem();
    return selected == nullptr ? QString() : selected->data(0, kKeyRole).toString();
}

std::optional<int> ProjectTree::SelectedSprite() const {
    const QTreeWidgetItem* selected = currentItem();
    // The project node is told by what it is, not by its key: a project may be named "s0".
    if (selected == nullptr ||
        selected->data(0, kNodeKindRole).toInt() != static_cast<int>(NodeKind::Sprite))
        return std::nullopt;
    const auto index = IndexFromKey(selected->data(0, kKeyRole).toString().toStdString());
    return index && *index < document_.Table().SpriteCount() ? index : std::nullopt;
}

void ProjectTree::SetPopup(QMenu* menu, const QList<QAction*>& needNodes) {
    popup_ = menu;
    needNodes_ = needNodes;
}

void ProjectTree::Popup(QPoint globalPosition) {
    const bool hasNodes = topLevelItemCount() > 0;
    for (QAction* action : needNodes_)
        action->setVisible(hasNodes);
    popup_->popup(globalPosition);
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
    return QTreeWidget::eventFilter(watched, event);
}

} // namespace vellicor
