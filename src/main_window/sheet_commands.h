#pragma once

#include "png/sprite_sheet_export.h"
#include "png/sprite_sheet_import.h"

#include <QObject>

namespace vellicor {

class DialogSeam;
class ProjectDocument;
class ProjectTree;
class SpriteWindows;
class UndoRouter;

// File > Import Sprite Sheet... and File > Export Sprite Sheet...: many sprites from one PNG and
// back. The last folder and the last choices of each are remembered between sessions.
class SheetCommands : public QObject {
    Q_OBJECT
  public:
    SheetCommands(DialogSeam& dialogs, ProjectDocument& document, ProjectTree& tree,
                  SpriteWindows& editors, UndoRouter& undo, QWidget* window);

    // Every tile of the sheet a new sprite, all added as one step of the project's history.
    void ImportSheet();
    void ImportSheetFrom(const QString& path);
    // The sprites selected in the tree when there are two or more, else all that have a size.
    void ExportSheet();

  private:
    // The name the sheet's sprites are numbered from: the file's, or one the user types.
    std::optional<QString> SheetBaseName(const QString& path, std::size_t count);
    void RefuseSheet(const QString& path, const QString& reason);

    DialogSeam& dialogs_;
    ProjectDocument& document_;
    ProjectTree& tree_;
    SpriteWindows& editors_;
    UndoRouter& undo_;
    QWidget* window_;
};

} // namespace vellicor
