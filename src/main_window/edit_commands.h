#pragma once

#include <QObject>
#include <optional>

class QAction;
class QMenu;
class QWidget;

namespace vellicor {

class DialogSeam;
class ProjectDocument;
class SpriteWindows;
class ToolActions;
class frmSprite;
struct PixelBlock;

// The Edit menu's selection and clipboard commands, acting on the active editor window. Their
// keys live only while the focus is among the editors, so the project tree's Del and the
// header view's Ctrl+A and Ctrl+C keep their own meaning there.
class EditCommands : public QObject {
    Q_OBJECT
  public:
    EditCommands(DialogSeam& dialogs, ProjectDocument& document, SpriteWindows& editors,
                 ToolActions& tools, QWidget& editorArea, QMenu& menu, QWidget* window);

    void Cut();
    void Copy();
    void Paste();
    void Delete();
    // A new sprite of the smallest size that holds the clipboard's picture.
    void PasteAsNewSprite();
    // The active sprite's three lines as Compile writes them, as text.
    void CopyHeaderText();
    void SelectAll();
    void Deselect();

  private:
    QAction* AddAction(const char* name, const QString& caption, const QKeySequence& key,
                       void (EditCommands::*command)());
    frmSprite* Active() const;
    // The clipboard's picture, or a message saying why there is none.
    std::optional<PixelBlock> Picture();
    void UpdateActions();

    DialogSeam& dialogs_;
    ProjectDocument& document_;
    SpriteWindows& editors_;
    ToolActions& tools_;
    QWidget& editorArea_;
    QMenu& menu_;
    QWidget* window_;
    QAction* pasteAsNew_ = nullptr;
};

} // namespace vellicor
