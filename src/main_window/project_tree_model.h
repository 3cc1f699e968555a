#pragma once

#include <QAbstractItemModel>
#include <QIcon>
#include <optional>
#include <vector>

namespace vellicor {

class ProjectDocument;

// The nodes of the project tree, read from the document as the view asks for them: the project
// node and, below it, one node per sprite keyed "s" followed by its index. Nothing is kept per
// node, so a project of thousands of sprites costs the tree nothing until it is drawn. It is
// the one place that maps nodes to sprites.
class ProjectTreeModel : public QAbstractItemModel {
    Q_OBJECT
  public:
    // Roles of node data: the node's key and whether it is the project or a sprite.
    static constexpr int kKeyRole = Qt::UserRole;
    static constexpr int kNodeKindRole = Qt::UserRole + 1;
    enum class NodeKind { Project = 1, Sprite = 2 };

    ProjectTreeModel(const ProjectDocument& document, QObject* parent);

    // The project node and one node per sprite, as the document holds them now.
    void Reset();
    // Lets go of the nodes of the sprites from `first` on.
    void DropNodesFrom(int first);
    // Invalid while there is no project node.
    QModelIndex ProjectNode() const;
    // Invalid for a sprite without a node.
    QModelIndex SpriteNode(int index) const;
    // The sprite of a node, if it is a sprite's node.
    std::optional<int> SpriteOf(const QModelIndex& node) const;
    // The sprite's name changed.
    void Rename(int index);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& node, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& node) const override;

    // Sprite nodes are dragged within the project node, which takes them where they are dropped.
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& nodes) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::MoveAction; }
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

  signals:
    // Sprites `sprites` were dropped to go before sprite `to` (the sprite count for the end).
    // The document moves them; the nodes follow when it says so.
    void MoveRequested(const std::vector<int>& sprites, int to);

  private:
    // Nodes whose internal id says they are sprites; the project node's id is 0.
    static constexpr quintptr kSpriteId = 1;

    void AddNodesUpTo(int count);
    // Tells this tree's drags from those of another tree or program, whose rows would be
    // other sprites.
    QByteArray DragToken() const;
    // The sprites a drag carries; empty when it carries none of this project's.
    std::vector<int> DraggedSprites(const QMimeData* data) const;

    const ProjectDocument& document_;
    // The shapes the view was told of; the document may be a step ahead while it reports.
    bool hasProjectNode_ = false;
    int spriteNodes_ = 0;
    const QIcon folder_;
    const QIcon item_;
};

} // namespace vellicor
