// The commands that create projects and sprites, and the project tree's mouse handling.
#include "artwork.h"
#include "editor/frm_sprite.h"
#include "frm_main.h"
#include "model/sprite_identity.h"

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QTreeWidget>

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
    if (!name)
        return;

    for (int i = 0; i < spriteTable_.SpriteCount(); ++i) {
        const auto slot = static_cast<std::size_t>(i);
        if (spriteTable_.Record(i).IsOpen && slot < editorWindows_.size() && editorWindows_[slot])
            editorWindows_[slot]->close();
    }
    spriteTable_.Reset();
    projectName_ = *name;

    tvMain_->clear();
    auto* project = new QTreeWidgetItem(tvMain_, QStringList{projectName_});
    project->setData(0, kKeyRole, projectName_);
    project->setData(0, kNodeKindRole, static_cast<int>(NodeKind::Project));
    project->setIcon(0, TreeIcon(QStringLiteral("Folder")));
    project->setExpanded(true);
    tvMain_->setCurrentItem(project);

    dropDownSprite_->setEnabled(true);
    mnuFileNewSprite_->setEnabled(true);
}

void frmMain::NewSprite() {
    if (spriteTable_.IsFull()) {
        dialogs_.MessageBox(this,
                            tr("This project already holds %1 sprites, the most it can hold.")
                                .arg(SpriteTable::kMaxSprites),
                            QStringLiteral("Error"));
        return;
    }
    const auto name = AskName(tr("Enter sprite name:"), NameKind::Sprite);
    if (!name || tvMain_->topLevelItemCount() == 0)
        return;

    const int index = spriteTable_.Append(name->toStdString());
    // Windows of the previous project's sprites beyond this index are dropped with their slots.
    const auto slot = static_cast<std::size_t>(index);
    for (std::size_t i = slot; i < editorWindows_.size(); ++i) {
        if (editorWindows_[i])
            editorWindows_[i]->deleteLater();
    }
    editorWindows_.resize(slot + 1);

    const QString key = QString::fromStdString(SpriteKey(index));
    auto* node = new QTreeWidgetItem(tvMain_->topLevelItem(0), QStringList{*name});
    node->setData(0, kKeyRole, key);
    node->setData(0, kNodeKindRole, static_cast<int>(NodeKind::Sprite));
    node->setIcon(0, TreeIcon(QStringLiteral("Item")));
    tvMain_->setCurrentItem(node);

    auto* window = new frmSprite(*this, mdiArea_);
    mdiArea_->addSubWindow(window);
    editorWindows_[slot] = window;
    window->SetCaption(*name);
    window->Load();
    window->showMaximized();
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
    const QTreeWidgetItem* selected = tvMain_->currentItem();
    // The project node is told by what it is, not by its key: a project may be named "s0".
    if (selected == nullptr ||
        selected->data(0, kNodeKindRole).toInt() != static_cast<int>(NodeKind::Sprite))
        return;
    const auto index = IndexFromKey(selected->data(0, kKeyRole).toString().toStdString());
    if (!index || *index >= spriteTable_.SpriteCount())
        return;
    const auto slot = static_cast<std::size_t>(*index);
    const SpriteRecord& record = spriteTable_.Record(*index);
    if (record.IsOpen || slot >= editorWindows_.size() || !editorWindows_[slot])
        return;
    frmSprite* window = editorWindows_[slot];
    window->SetCaption(QString::fromStdString(record.Name));
    window->Load();
    window->showMaximized();
}

} // namespace vellicor
