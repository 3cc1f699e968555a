#include "project_tree_model.h"

#include "artwork.h"
#include "document/project_document.h"
#include "model/sprite_identity.h"

#include <QCoreApplication>
#include <QMimeData>
#include <algorithm>

namespace vellicor {
namespace {

const QString kSpritesMimeType = QStringLiteral("application/x-vellicor-sprite-nodes");

} // namespace

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

void ProjectTreeModel::Rename(int index) {
    const QModelIndex node = SpriteNode(index);
    if (node.isValid())
        emit dataChanged(node, node, {Qt::DisplayRole});
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
    return node.internalId() == kSpriteId ? flags | Qt::ItemNeverHasChildren | Qt::ItemIsDragEnabled
                                          : flags | Qt::ItemIsDropEnabled;
}

QStringList ProjectTreeModel::mimeTypes() const {
    return {kSpritesMimeType};
}

QMimeData* ProjectTreeModel::mimeData(const QModelIndexList& nodes) const {
    std::vector<int> sprites;
    for (const QModelIndex& node : nodes) {
        if (const auto sprite = SpriteOf(node))
            sprites.push_back(*sprite);
    }
    std::sort(sprites.begin(), sprites.end());
    sprites.erase(std::unique(sprites.begin(), sprites.end()), sprites.end());
    QByteArray rows = DragToken() + ' ';
    for (const int sprite : sprites)
        rows += QByteArray::number(sprite) + ' ';
    auto* data = new QMimeData; // the drag takes it over
    data->setData(kSpritesMimeType, rows);
    return data;
}

QByteArray ProjectTreeModel::DragToken() const {
    return QByteArray::number(QCoreApplication::applicationPid()) + ':' +
           QByteArray::number(reinterpret_cast<quintptr>(this), 16);
}

std::vector<int> ProjectTreeModel::DraggedSprites(const QMimeData* data) const {
    std::vector<int> sprites;
    if (data == nullptr)
        return sprites;
    // The view makes the list in order, after the token; anything else is no drag of this
    // tree's.
    const QList<QByteArray> rows = data->data(kSpritesMimeType).split(' ');
    if (rows.isEmpty() || rows.first() != DragToken())
        return sprites;
    for (const QByteArray& row : rows.mid(1)) {
        bool number = false;
        const int sprite = row.toInt(&number);
        if (row.isEmpty())
            continue;
        if (!number || sprite < 0 || sprite >= spriteNodes_ ||
            sprite >= document_.Table().SpriteCount() ||
            (!sprites.empty() && sprite <= sprites.back()))
            return {};
        sprites.push_back(sprite);
    }
    return sprites;
}

bool ProjectTreeModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int,
                                       const QModelIndex& parent) const {
    return action == Qt::MoveAction && parent.isValid() && parent == ProjectNode() &&
           row <= spriteNodes_ && !DraggedSprites(data).empty();
}

bool ProjectTreeModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row,
                                    int column, const QModelIndex& parent) {
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    // A drop on the project node itself puts them last.
    emit MoveRequested(DraggedSprites(data), row < 0 ? spriteNodes_ : row);
    return true;
}

} // namespace vellicor
