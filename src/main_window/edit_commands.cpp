#include "edit_commands.h"

#include "dialog_seam.h"
#include "document/project_document.h"
#include "editor/frm_sprite.h"
#include "export/header_text.h"
#include "menu_actions.h"
#include "pixel_clipboard.h"
#include "png/png_export.h"
#include "sprite_windows.h"
#include "tool_actions.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

namespace vellicor {

EditCommands::EditCommands(DialogSeam& dialogs, ProjectDocument& document, SpriteWindows& editors,
                           ToolActions& tools, QWidget& editorArea, QMenu& menu, QWidget* window)
    : QObject(window), dialogs_(dialogs), document_(document), editors_(editors), tools_(tools),
      editorArea_(editorArea), menu_(menu), window_(window) {
    menu.addSeparator();
    AddAction("mnuEditCut", tr("Cu&t"), QKeySequence(Qt::CTRL | Qt::Key_X), &EditCommands::Cut);
    AddAction("mnuEditCopy", tr("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C), &EditCommands::Copy);
    AddAction("mnuEditCopyHeaderText", tr("Copy as &Header Text"),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), &EditCommands::CopyHeaderText);
    AddAction("mnuEditPaste", tr("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V),
              &EditCommands::Paste);
    pasteAsNew_ =
        AddAction("mnuEditPasteAsNewSprite", tr("Paste as &New Sprite"),
                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V), &EditCommands::PasteAsNewSprite);
    AddAction("mnuEditDelete", tr("&Delete"), QKeySequence(Qt::Key_Delete), &EditCommands::Delete);
    menu.addSeparator();
    AddAction("mnuEditSelectAll", tr("Select &All"), QKeySequence(Qt::CTRL | Qt::Key_A),
              &EditCommands::SelectAll);
    AddAction("mnuEditDeselect", tr("Dese&lect"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A),
              &EditCommands::Deselect);
    // Choosing another tool puts down what a move or a paste left floating.
    for (QAction* tool : tools.actions())
        connect(tool, &QAction::toggled, this, [this](bool pressed) {
            if (pressed && tools_.Current() != Tool::Select)
                editors_.CommitFloating();
        });
    connect(&editors, &SpriteWindows::ActiveChanged, this, &EditCommands::UpdateActions);
    connect(&document, &ProjectDocument::EditorsChanged, this, &EditCommands::UpdateActions);
    connect(&document, &ProjectDocument::IdentityChanged, this, &EditCommands::UpdateActions);
    UpdateActions();
}

QAction* EditCommands::AddAction(const char* name, const QString& caption, const QKeySequence& key,
                                 void (EditCommands::*command)()) {
    QAction* action = NamedAction(this, name, caption, key);
    // Only while the focus is among the editors: the menu shows the key all the same.
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    editorArea_.addAction(action);
    menu_.addAction(action);
    connect(action, &QAction::triggered, this, command);
    return action;
}

void EditCommands::UpdateActions() {
    const bool editing = editors_.ActiveSprite().has_value();
    for (QAction* action : editorArea_.actions())
        if (menu_.actions().contains(action))
            action->setEnabled(action == pasteAsNew_ ? document_.HasProject() : editing);
}

frmSprite* EditCommands::Active() const {
    const auto index = editors_.ActiveSprite();
    const auto slot = static_cast<std::size_t>(index.value_or(0));
    return index && slot < editors_.Windows().size() ? editors_.Windows()[slot].data() : nullptr;
}

void EditCommands::Copy() {
    frmSprite* editor = Active();
    if (editor == nullptr)
        return;
    if (const auto block = editor->CopyPixels())
        PutPixelsOnClipboard(*block);
    else if (const auto refusal = PngExportRefusal(document_.Record(*editors_.ActiveSprite())))
        ShowError(dialogs_, window_, *refusal);
}

void EditCommands::Cut() {
    frmSprite* editor = Active();
    if (editor == nullptr)
        return;
    const auto block = editor->CopyPixels();
    if (!block)
        return Copy(); // which says why
    PutPixelsOnClipboard(*block);
    editor->EraseSelection(QStringLiteral("Cut"));
}

void EditCommands::Delete() {
    if (frmSprite* editor = Active(); editor != nullptr && editor->SelectedCells())
        editor->EraseSelection(QStringLiteral("Delete"));
}

std::optional<PixelBlock> EditCommands::Picture() {
    ClipboardPicture picture = PixelsFromClipboard();
    if (!picture.block)
        ShowError(dialogs_, window_, picture.refusal);
    return std::move(picture.block);
}

void EditCommands::Paste() {
    frmSprite* editor = Active();
    if (editor == nullptr)
        return;
    const SpriteRecord& record = document_.Record(*editors_.ActiveSprite());
    if (const auto refusal = PngExportRefusal(record))
        return ShowError(dialogs_, window_, *refusal);
    const auto block = Picture();
    if (!block)
        return;
    if (block->width > record.Size || block->height > record.Size)
        return ShowError(dialogs_, window_,
                         tr("The picture on the clipboard is %1 x %2 pixels; the sprite is "
                            "%3 x %3.")
                             .arg(block->width)
                             .arg(block->height)
                             .arg(record.Size));
    // The pasted pixels are moved with the Select tool.
    tools_.Select(Tool::Select);
    editor->Paste(*block);
}

void EditCommands::PasteAsNewSprite() {
    if (!document_.HasProject())
        return;
    if (document_.Table().IsFull())
        return ShowError(dialogs_, window_,
                         tr("This project already holds %1 sprites, the most it can hold.")
                             .arg(SpriteTable::kMaxSprites));
    const auto block = Picture();
    if (!block)
        return;
    const auto name = AskName(dialogs_, window_, tr("Enter sprite name:"), NameKind::Sprite);
    if (!name)
        return;
    SpriteRecord sprite = SpriteOfBlock(*block);
    sprite.Name = name->toStdString();
    std::vector<SpriteRecord> added;
    added.push_back(std::move(sprite));
    editors_.Show(document_.AddSprites(std::move(added), QStringLiteral("Paste as New Sprite")));
}

void EditCommands::CopyHeaderText() {
    frmSprite* editor = Active();
    if (editor == nullptr)
        return;
    editor->CommitFloating();
    std::string lines;
    AppendSpriteHeader(lines, document_.Record(*editors_.ActiveSprite()));
    lines.resize(lines.size() - 2); // the empty line that parts one sprite from the next
    QGuiApplication::clipboard()->setText(QString::fromLatin1(lines));
}

void EditCommands::SelectAll() {
    if (frmSprite* editor = Active())
        editor->SelectAll();
}

void EditCommands::Deselect() {
    if (frmSprite* editor = Active())
        editor->Deselect();
}

} // namespace vellicor
