#pragma once

#include "project_tree_model.h"

#include <QList>
#include <QTreeView>
#include <optional>

class QMenu;

namespace vellicor {

class ProjectDocument;

// The project tree `tvMain`: the project node and, below it, one node per sprite, as its model
// reads them from the document. It follows the sprites the document adds and selects the first
// of them. An editor reads its sprite from the selected node as it loads.
class ProjectTree : public QTreeView {
    Q_OBJECT
  public:
    static constexpr int kKeyRole = ProjectTreeModel::kKeyRole;
    static constexpr int kNodeKindRole = ProjectTreeModel::kNodeKindRole;
    using NodeKind = ProjectTreeModel::NodeKind;

    ProjectTree(const ProjectDocument& document, QWidget* parent);

    // The project node, selected and expanded, and one node per sprite.
    void Rebuild();
    // Lets go of the nodes of the sprites from `first` on.
    void DropNodesFrom(int first) { model_->DropNodesFrom(first); }
    void SelectSprite(int index) { setCurrentIndex(model_->SpriteNode(index)); }
    QString SelectedKey() const { return currentIndex().data(kKeyRole).toString(); }
    // The sprite of the selected node, if a sprite's node is selected.
    std::optional<int> SelectedSprite() const { return model_->SpriteOf(currentIndex()); }
    // The pop-up a right press anywhere on the tree opens; `needNodes` show only while the
    // tree holds a node.
    void SetPopup(QMenu* menu, const QList<QAction*>& needNodes);

  signals:
    // A double-click with the left button, on the selected node.
    void OpenRequested();
    // Another node, or none, is the selected one.
    void SelectionMoved();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

  private:
    void Popup(QPoint globalPosition);

    ProjectTreeModel* model_;
    QMenu* popup_ = nullptr;
    QList<QAction*> needNodes_;
};

} // namespace vellicor
