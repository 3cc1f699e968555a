#pragma once

#include <QList>
#include <QTreeWidget>
#include <optional>

class QMenu;

namespace vellicor {

class ProjectDocument;

// The project tree `tvMain`: the project node and, below it, one node per sprite keyed "s"
// followed by its index. It is the one place that maps nodes to sprites, and it follows the
// sprites the document adds. An editor reads its sprite from the selected node as it loads.
class ProjectTree : public QTreeWidget {
    Q_OBJECT
  public:
    // Roles of node data: the node's key and whether it is the project or a sprite.
    static constexpr int kKeyRole = Qt::UserRole;
    static constexpr int kNodeKindRole = Qt::UserRole + 1;
    enum class NodeKind { Project = 1, Sprite = 2 };

    ProjectTree(const ProjectDocument& document, QWidget* parent);

    // The project node, selected and expanded, and one node per sprite.
    void Rebuild();
    // Lets go of the nodes of the sprites from `first` on.
    void DropNodesFrom(int first);
    void SelectSprite(int index);
    QString SelectedKey() const;
    // The sprite of the selected node, if a sprite's node is selected.
    std::optional<int> SelectedSprite() const;
    // The pop-up a right press anywhere on the tree opens; `needNodes` show only while the
    // tree holds a node.
    void SetPopup(QMenu* menu, const QList<QAction*>& needNodes);

  signals:
    // A double-click with the left button, on the selected node.
    void OpenRequested();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void AddSpriteNode(int index);
    void Popup(QPoint globalPosition);

    const ProjectDocument& document_;
    QMenu* popup_ = nullptr;
    QList<QAction*> needNodes_;
};

} // namespace vellicor
