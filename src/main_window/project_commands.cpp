// The commands that create projects and sprites, and the project tree's mouse handling.
#include "artwork.h"
#include "editor/frm_sprite.h"
#include "frm_main.h"
#include "header_dock.h"
#include "model/sprite_identity.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMenu>
#include <QTreeWidget>
#include <QUndoGroup>
#include <QUndoStack>

namespace vellicor {

std::optional<QString> frmMain::AskName(const QString& prompt, NameKind kind) {
    const QString name = dialogs_.InputBox(this, prompt, QStringLiteral("Vellicor"));
    switch (CheckName(name, kind)) {
    case NameVerdict::Accept:
        return name;
    case NameVerdict::Refuse:
        dialogs_.MessageBox(this, kNameErrorText, QStringLiteral("Error"));
        return std::nullopt;
    case NameVerdict::Ignore:
        break;
    }
    return std::nullopt;
}

void frmMain::NewProject() {
    const auto name = AskName(tr("Enter project name:"), NameKind::Project);
    if (!name || !MaybeSaveChanges())
        return;

    DropEditors();
    document_.StartProject(*name);
    RebuildTree();

    dropDownSprite_->setEnabled(true);
    mnuFileNewSprite_->setEnabled(true);
}

void frmMain::DropEditors() {
    const SpriteTable& table = document_.Table();
    for (int i = 0; i < table.SpriteCount(); ++i) {
        const auto slot = static_cast<std::size_t>(i);
        if (table.Record(i).IsOpen && slot < editorWindows_.size() && editorWindows_[slot])
            editorWindows_[slot]->close();
    }
    // The windows belong to the project that is going away.
    for (const QPointer<frmSprite>& window : editorWindows_) {
        if (window)
            window->deleteLater();
    }
    editorWindows_.clear();
}

void frmMain::RebuildTree() {
    tvMain_->clear();
    auto* project = new QTreeWidgetItem(tvMain_, QStringList{document_.Name()});
    project->setData(0, kKeyRole, document_.Name());
    project->setData(0, kNodeKindRole, static_cast<int>(NodeKind::Project));
    project->setIcon(0, TreeIcon(QStringLiteral("Folder")));
    for (int i = 0; i < document_.Table().SpriteCount(); ++i)
        AddSpriteNode(i);
    project->setExpanded(true);
    tvMain_->setCurrentItem(project);
}

QTreeWidgetItem* frmMain::AddSpriteNode(int index) {
    const QString name = QString::fromStdString(document_.Record(index).Name);
    auto* node = new QTreeWidgetItem(tvMain_->topLevelItem(0), QStringList{name});
    node->setData(0, kKeyRole, QString::fromStdString(SpriteKey(index)));
    node->setData(0, kNodeKindRole, static_cast<int>(NodeKind::Sprite));
    node->setIcon(0, TreeIcon(QStringLiteral("Item")));
    return node;
}

void frmMain::ShowEditor(int index) {
    const auto slot = static_cast<std::size_t>(index);
    if (editorWindows_.size() <= slot)
        editorWindows_.resize(slot + 1);
    // Windows are made when a sprite is first shown, so opening a large project makes none.
    if (!editorWindows_[slot]) {
        auto* window = new frmSprite(*this, mdiArea_);
        mdiArea_->addSubWindow(window);
        editorWindows_[slot] = window;
    }
    tvMain_->setCurrentItem(tvMain_->topLevelItem(0)->child(index));
    frmSprite* window = editorWindows_[slot];
    undoFromTree_ = false;
    window->SetCaption(QString::fromStdString(document_.Record(index).Name));
    window->Load();
    window->showMaximized();
    FollowActiveEditor(); // it may have become active before it was loaded
}

bool frmMain::HasRoomForSprite() {
    if (!document_.Table().IsFull())
        return true;
    dialogs_.MessageBox(this,
                        tr("This project already holds %1 sprites, the most it can hold.")
                            .arg(SpriteTable::kMaxSprites),
                        QStringLiteral("Error"));
    return false;
}

void frmMain::NewSprite() {
    if (!HasRoomForSprite())
        return;
    const auto name = AskName(tr("Enter sprite name:"), NameKind::Sprite);
    if (!name || tvMain_->topLevelItemCount() == 0)
        return;

    ShowEditor(document_.AppendSprite(*name));
}

std::optional<int> frmMain::ActiveSprite() const {
    const auto* editor = qobject_cast<frmSprite*>(mdiArea_->activeSubWindow());
    const auto index = editor ? IndexFromTag(editor->Tag().toStdString()) : std::nullopt;
    // A window that is closing still counts as active until another one takes over.
    const bool open =
        index && *index < document_.Table().SpriteCount() && document_.Record(*index).IsOpen;
    return open ? index : std::nullopt;
}

void frmMain::FollowActiveEditor() {
    const auto index = ActiveSprite();
    mnuFileExportPng_->setEnabled(index.has_value());
    QUndoStack* history = UndoTarget(index);
    undoGroup_->addStack(history); // a history leaves the group by itself when dropped
    undoGroup_->setActiveStack(history);
    headerDock_->SetActiveSprite(index.value_or(-1));
}

QUndoStack* frmMain::UndoTarget(std::optional<int> activeSprite) {
    std::optional<int> sprite = undoFromTree_ ? SelectedSprite() : activeSprite;
    if (undoFromTree_ && sprite && !document_.Record(*sprite).IsOpen)
        sprite.reset(); // a closed sprite's node stands for the project
    return sprite ? document_.History(*sprite) : document_.ProjectHistory();
}

std::optional<int> frmMain::SelectedSprite() const {
    const QTreeWidgetItem* selected = tvMain_->currentItem();
    // The project node is told by what it is, not by its key: a project may be named "s0".
    if (selected == nullptr ||
        selected->data(0, kNodeKindRole).toInt() != static_cast<int>(NodeKind::Sprite))
        return std::nullopt;
    const auto index = IndexFromKey(selected->data(0, kKeyRole).toString().toStdString());
    return index && *index < document_.Table().SpriteCount() ? index : std::nullopt;
}

void frmMain::FollowSpriteList() {
    connect(&document_, &ProjectDocument::SpritesAdded, this, [this](int first, int count) {
        for (int index = first; index < first + count; ++index)
            AddSpriteNode(index);
        // The first of them is picked out, whether a command or redo brought them.
        tvMain_->setCurrentItem(tvMain_->topLevelItem(0)->child(first));
        changesSettled_ = false;
    });
    connect(&document_, &ProjectDocument::SpritesRemoved, this, &frmMain::DropSpritesFrom);
    connect(&document_, &ProjectDocument::HistoryRetired, undoGroup_, &QUndoGroup::removeStack);
    connect(tvMain_, &QTreeWidget::currentItemChanged, this, [this] {
        if (undoFromTree_)
            FollowActiveEditor();
    });
    // Focus moving to menus, docks or dialogs leaves the choice as it was.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now == tvMain_)
            undoFromTree_ = true;
        else if (now != nullptr && mdiArea_->isAncestorOf(now))
            undoFromTree_ = false;
        else
            return;
        FollowActiveEditor();
    });
}

void frmMain::DropSpritesFrom(int first) {
    // Closing an active editor hands the focus to the next one; an undo made from the tree
    // keeps it there, so redo stays at hand.
    const bool fromTree = undoFromTree_;
    // The windows stay, closed, for the sprites that redo or new commands put in their place.
    for (auto slot = static_cast<std::size_t>(first); slot < editorWindows_.size(); ++slot) {
        if (editorWindows_[slot])
            editorWindows_[slot]->close();
    }
    if (QTreeWidgetItem* project = tvMain_->topLevelItem(0)) {
        while (project->childCount() > first)
            delete project->takeChild(project->childCount() - 1);
    }
    changesSettled_ = false;
    if (fromTree)
        tvMain_->setFocus();
    undoFromTree_ = fromTree;
    FollowActiveEditor();
}

void frmMain::TreePopup(Qt::MouseButton button, QPoint globalPosition) {
    if (button != Qt::RightButton)
        return;
    const bool hasNodes = tvMain_->topLevelItemCount() > 0;
    mnuRightClickSpriteArray_->setVisible(hasNodes);
    mnuRightClickSprite_->setVisible(hasNodes);
    mnuRightClick_->popup(globalPosition);
}

void frmMain::OpenSprite() {
    const auto index = SelectedSprite();
    if (index && !document_.Record(*index).IsOpen)
        ShowEditor(*index);
}

} // namespace vellicor
