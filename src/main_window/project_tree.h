#pragma once

#include "project_tree_model.h"

#include <QList>
#include <QTreeView>
#include <optional>
#include <vector>

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
    // Selects the sprites' nodes, the first of them the current one.
    void SelectSprites(const std::vector<int>& sprites);
    QString SelectedKey() const { return currentIndex().data(kKeyRole).toString(); }
    // The sprite of the selected node, if a sprite's node is selected. With several nodes
    // selected, that is the current one, which an editor loads from.
    std::optional<int> SelectedSprite() const { return model_->SpriteOf(currentIndex()); }
    // What a command on sprites acts on: the selected sprites' nodes in order, or the current
    // node's sprite when none is selected.
    std::vector<int> SelectedSprites() const;
    // Whether the current node is the project's.
    bool OnProject() const;
    // The document deleted, put back or reordered sprites (`sources` as it tells them): the
    // nodes follow, and so do the selection and the current node.
    void Follow(const std::vector<int>& sources);
    // The sprite's name changed.
    void Rename(int index) { model_->Rename(index); }
    // The pop-up a right press anywhere on the tree opens; `needNodes` show only while the
    // tree holds a node.
    void SetPopup(QMenu* menu, const QList<QAction*>& needNodes);

  signals:
    // A double-click with the left button, on the selected node.
    void OpenRequested();
    // Another node, or none, is the selected one.
    void SelectionMoved();
    // The set of selected nodes changed.
    void NodesPicked();
    // Sprite nodes were dropped to go before sprite `to` (the sprite count for the end).
    void MoveRequested(const std::vector<int>& sprites, int to);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

  private:
    void Popup(QPoint globalPosition);
    // Selects exactly the sprites' nodes (in order) and makes `current` the current node.
    void Pick(const std::vector<int>& sprites, const QModelIndex& current);

    ProjectTreeModel* model_;
    QMenu* popup_ = nullptr;
    QList<QAction*> needNodes_;
};

} // namespace vellicor
