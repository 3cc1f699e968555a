#include "project_tree_model.h"

#include "artwork.h"
#include "document/project_document.h"
#include "model/sprite_identity.h"

namespace vellicor {

ProjectTreeModel::ProjectTreeModel(const ProjectDocument& document, QObject* parent)
    : QAbstractItemModel(parent), document_(document), folder_(TreeIcon(QStringLiteral("Folder"))),
      item_(TreeIcon(QStringLiteral("Item"))) {
    connect(&document, &ProjectDocument::SpritesAdded, this,
            [this](int first, int count) { AddNodesUpTo(first + count); });
    connect(&document, &ProjectDocument::IdentityChanged, this, [this] {
        if (hasProjectNode_ != document_.HasProject() ||
            spriteNodes_ != document_.Table().SpriteCount()) {
            Reset();
            return;
        }
        // The same shape may hold another project: every name is read again.
        if (hasProjectNode_)
            emit dataChanged(ProjectNode(), ProjectNode());
        if (spriteNodes_ > 0)
            emit dataChanged(SpriteNode(0), SpriteNode(spriteNodes_ - 1));
    });
}

void ProjectTreeModel::Reset() {
    beginResetModel();
    hasProjectNode_ = document_.HasProject();
    spriteNodes_ = hasProjectNode_ ? document_.Table().SpriteCount() : 0;
    endResetModel();
}

void ProjectTreeModel::AddNodesUpTo(int count) {
    if (!hasProjectNode_ || count <= spriteNodes_)
        return;
    beginInsertRows(ProjectNode(), spriteNodes_, count - 1);
    spriteNodes_ = count;
    endInsertRows();
}

void ProjectTreeModel::DropNodesFrom(int first) {
    if (first >= spriteNodes_)
        return;
    beginRemoveRows(ProjectNode(), first, spriteNodes_ - 1);
    spriteNodes_ = first;
    endRemoveRows();
}

QModelIndex ProjectTreeModel::ProjectNode() const {
    return hasProjectNode_ ? createIndex(0, 0, quintptr{0}) : QModelIndex();
}

QModelIndex ProjectTreeModel::SpriteNode(int index) const {
    return index >= 0 && index < spriteNodes_ ? createIndex(index, 0, kSpriteId) : QModelIndex();
}

std::optional<int> ProjectTreeModel::SpriteOf(const QModelIndex& node) const {
    // A sprite's node is told by what it is, not by its key: a project may be named "s0".
    if (!node.isValid() || node.internalId() != kSpriteId ||
        node.row() >= document_.Table().SpriteCount())
        return std::nullopt;
    return node.row();
}

QModelIndex ProjectTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0)
        return {};
    if (!parent.isValid())
        return row == 0 ? ProjectNode() : QModelIndex();
    return parent.internalId() == kSpriteId ? QModelIndex() : SpriteNode(row);
}

QModelIndex ProjectTreeModel::parent(const QModelIndex& child) const {
    return child.isValid() && child.internalId() == kSpriteId ? ProjectNode() : QModelIndex();
}

int ProjectTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid())
        return hasProjectNode_ ? 1 : 0;
    if (parent.column() != 0)
        return 0;
    return parent.internalId() == kSpriteId ? 0 : spriteNodes_;
}

int ProjectTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant ProjectTreeModel::data(const QModelIndex& node, int role) const {
    if (!node.isValid())
        return {};
    const bool sprite = node.internalId() == kSpriteId;
    // Undo takes sprites out before their nodes go: those nodes have nothing left to show.
    if (sprite && node.row() >= document_.Table().SpriteCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return sprite ? QString::fromStdString(document_.Record(node.row()).Name)
                      : document_.Name();
    case Qt::DecorationRole:
        return sprite ? item_ : folder_;
    case kKeyRole:
        return sprite ? QString::fromStdString(SpriteKey(node.row())) : document_.Name();
    case kNodeKindRole:
        return static_cast<int>(sprite ? NodeKind::Sprite : NodeKind::Project);
    default:
        return {};
    }
}

Qt::ItemFlags ProjectTreeModel::flags(const QModelIndex& node) const {
    if (!node.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    return node.internalId() == kSpriteId ? flags | Qt::ItemNeverHasChildren : flags;
}

} // namespace vellicor
