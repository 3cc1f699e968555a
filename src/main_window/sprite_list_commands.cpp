#include "sprite_list_commands.h"

#include "dialog_seam.h"
#include "document/project_document.h"
#include "menu_actions.h"
#include "project_tree.h"
#include "sprite_follower.h"
#include "undo_router.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <numeric>

namespace vellicor {

SpriteListCommands::SpriteListCommands(DialogSeam& dialogs, ProjectDocument& document,
                                       ProjectTree& tree, SpriteWindows& editors, UndoRouter& undo,
                                       QWidget* window)
    : QObject(window), dialogs_(dialogs), document_(document), tree_(tree), undo_(undo),
      window_(window) {
    new SpriteFollower(document, tree, editors, undo, this);
    rename_ = AddAction("mnuSpriteRename", tr("&Rename..."), QKeySequence(Qt::Key_F2),
                        &SpriteListCommands::Rename);
    delete_ = AddAction("mnuSpriteDelete", tr("&Delete"), QKeySequence(Qt::Key_Delete),
                        &SpriteListCommands::Delete);
    duplicate_ = AddAction("mnuSpriteDuplicate", tr("Dupli&cate"),
                           QKeySequence(Qt::CTRL | Qt::Key_D), &SpriteListCommands::Duplicate);
    moveUp_ = AddAction("mnuSpriteMoveUp", tr("Move &Up"), QKeySequence(Qt::ALT | Qt::Key_Up),
                        &SpriteListCommands::MoveUp);
    moveDown_ = AddAction("mnuSpriteMoveDown", tr("Move Do&wn"),
                          QKeySequence(Qt::ALT | Qt::Key_Down), &SpriteListCommands::MoveDown);
    connect(&tree, &ProjectTree::MoveRequested, this, &SpriteListCommands::MoveTo);
    connect(&tree, &ProjectTree::NodesPicked, this, &SpriteListCommands::UpdateActions);
    connect(&tree, &ProjectTree::SelectionMoved, this, &SpriteListCommands::UpdateActions);
    connect(&document, &ProjectDocument::IdentityChanged, this, &SpriteListCommands::UpdateActions);
    connect(&document, &ProjectDocument::SpritesRemoved, this, &SpriteListCommands::UpdateActions);
    // A note of what was deleted is old news once the list changes again, undo included.
    const auto clearNote = [this] { emit Note(QString()); };
    connect(&document, &ProjectDocument::SpritesRearranged, this, clearNote);
    connect(&document, &ProjectDocument::SpriteRenamed, this, clearNote);
    UpdateActions();
}

QAction* SpriteListCommands::AddAction(const char* name, const QString& caption,
                                       const QKeySequence& key,
                                       void (SpriteListCommands::*command)()) {
    QAction* action = NamedAction(this, name, caption, key);
    // Only while the tree has the focus: on a canvas, Del and Ctrl+D are the editor's keys.
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    tree_.addAction(action);
    connect(action, &QAction::triggered, this, command);
    actions_ << action;
    return action;
}

void SpriteListCommands::AddMenu(QMenuBar* bar) {
    QMenu* menu = bar->addMenu(tr("&Sprite"));
    menu->setObjectName(QStringLiteral("mnuSprite"));
    menu->addActions(actions_);
}

QList<QAction*> SpriteListCommands::AddToPopup(QMenu* popup) {
    QAction* separator = popup->addSeparator();
    popup->addActions(actions_);
    // The project node offers Rename alone; the menu bar's menu shows every command again.
    connect(popup, &QMenu::aboutToShow, this, [this] {
        for (QAction* action : actions_)
            action->setVisible(action->isVisible() && (action == rename_ || !tree_.OnProject()));
    });
    connect(popup, &QMenu::aboutToHide, this, [this] {
        for (QAction* action : actions_)
            action->setVisible(true);
    });
    return QList<QAction*>{separator} + actions_;
}

void SpriteListCommands::UpdateActions() {
    const std::vector<int> sprites = tree_.SelectedSprites();
    const bool any = !sprites.empty();
    rename_->setEnabled(tree_.OnProject() || tree_.SelectedSprite().has_value());
    delete_->setEnabled(any);
    duplicate_->setEnabled(any);
    moveUp_->setEnabled(any && sprites.front() > 0);
    moveDown_->setEnabled(any && sprites.back() < document_.Table().SpriteCount() - 1);
}

void SpriteListCommands::Rename() {
    if (tree_.OnProject() && document_.HasProject()) {
        const QString old = document_.Name();
        const auto name =
            AskName(dialogs_, window_, tr("Enter project name:"), NameKind::Project, old);
        if (!name || *name == old)
            return;
        document_.RenameProject(*name);
    } else if (const auto sprite = tree_.SelectedSprite()) {
        const QString old = QString::fromStdString(document_.Record(*sprite).Name);
        const auto name =
            AskName(dialogs_, window_, tr("Enter sprite name:"), NameKind::Sprite, old);
        if (!name || *name == old)
            return;
        document_.RenameSprite(*sprite, *name);
    } else {
        return;
    }
    undo_.FollowProjectStep();
}

void SpriteListCommands::Delete() {
    const std::vector<int> sprites = tree_.SelectedSprites();
    if (sprites.empty())
        return;
    const QString note =
        sprites.size() == 1
            ? tr("Deleted %1").arg(QString::fromStdString(document_.Record(sprites[0]).Name))
            : tr("Deleted %1 sprites").arg(sprites.size());
    document_.DeleteSprites(sprites);
    emit Note(note);
    undo_.FollowProjectStep();
}

bool SpriteListCommands::HasRoomFor(int count) {
    const int room = SpriteTable::kMaxSprites - document_.Table().SpriteCount();
    if (count <= room)
        return true;
    ShowError(dialogs_, window_,
              room == 0 ? tr("This project already holds %1 sprites, the most it can hold.")
                              .arg(SpriteTable::kMaxSprites)
                        : tr("This project has room for only %1 more sprites.").arg(room));
    return false;
}

void SpriteListCommands::Duplicate() {
    const std::vector<int> sprites = tree_.SelectedSprites();
    if (sprites.empty() || !HasRoomFor(static_cast<int>(sprites.size())))
        return;
    tree_.SelectSprites(document_.DuplicateSprites(sprites));
    undo_.FollowProjectStep();
}

void SpriteListCommands::MoveUp() {
    const std::vector<int> sprites = tree_.SelectedSprites();
    if (sprites.empty() || sprites.front() == 0)
        return;
    std::vector<int> order(static_cast<std::size_t>(document_.Table().SpriteCount()));
    std::iota(order.begin(), order.end(), 0);
    // Top down, each trades places with the one above: a run of neighbours moves as a block.
    for (const int sprite : sprites)
        std::swap(order[static_cast<std::size_t>(sprite) - 1],
                  order[static_cast<std::size_t>(sprite)]);
    Reorder(order);
}

void SpriteListCommands::MoveDown() {
    const std::vector<int> sprites = tree_.SelectedSprites();
    const int count = document_.Table().SpriteCount();
    if (sprites.empty() || sprites.back() == count - 1)
        return;
    std::vector<int> order(static_cast<std::size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    for (auto sprite = sprites.rbegin(); sprite != sprites.rend(); ++sprite)
        std::swap(order[static_cast<std::size_t>(*sprite)],
                  order[static_cast<std::size_t>(*sprite) + 1]);
    Reorder(order);
}

void SpriteListCommands::MoveTo(const std::vector<int>& sprites, int to) {
    const int count = document_.Table().SpriteCount();
    std::vector<bool> moving(static_cast<std::size_t>(count), false);
    for (const int sprite : sprites) {
        if (sprite < 0 || sprite >= count)
            return;
        moving[static_cast<std::size_t>(sprite)] = true;
    }
    // The others keep their order around the moving ones, which go in where `to` was.
    std::vector<int> order;
    order.reserve(moving.size());
    for (int sprite = 0; sprite <= count; ++sprite) {
        if (sprite == to)
            order.insert(order.end(), sprites.begin(), sprites.end());
        if (sprite < count && !moving[static_cast<std::size_t>(sprite)])
            order.push_back(sprite);
    }
    Reorder(order);
}

void SpriteListCommands::Reorder(const std::vector<int>& order) {
    std::vector<int> unchanged(order.size());
    std::iota(unchanged.begin(), unchanged.end(), 0);
    if (order.empty() || order == unchanged ||
        order.size() != static_cast<std::size_t>(document_.Table().SpriteCount()))
        return;
    document_.MoveSprites(order);
    undo_.FollowProjectStep();
}

} // namespace vellicor
