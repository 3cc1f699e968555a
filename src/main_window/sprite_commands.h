#pragma once

#include <QObject>

namespace vellicor {

class DialogSeam;
class SpriteWindows;
class ProjectDocument;
class UndoRouter;

// The commands that add sprites to the project or carry them to and from files: New Sprite,
// Import PNG, Export PNG, Import Header and Compile. The window parents their dialogs.
class SpriteCommands : public QObject {
    Q_OBJECT
  public:
    SpriteCommands(DialogSeam& dialogs, ProjectDocument& document, SpriteWindows& editors,
                   UndoRouter& undo, QWidget* window);

    void NewSprite();
    // A new sprite from a small image; the active editor's sprite as a PNG file.
    void ImportPng();
    void ExportPng();
    // Adds the sprites of a header file, as the export writes it, to the project.
    void ImportHeader();
    // The imports from the file on: the menu asks for the file, a drop names it. Each needs a
    // project, and says why when the file is refused.
    void ImportPngFrom(const QString& path);
    void ImportHeaderFrom(const QString& path);
    // Writes the project's header of bit-plane arrays to a file the user names, in the style
    // chosen with its file type, which the project remembers.
    void Compile();

  private:
    // Says so when the project cannot take one more sprite.
    bool HasRoomForSprite();

    DialogSeam& dialogs_;
    ProjectDocument& document_;
    SpriteWindows& editors_;
    UndoRouter& undo_;
    QWidget* window_;
    QString lastHeaderName_;
    QString lastPngName_;
    int lastPngScale_ = 1;
};

} // namespace vellicor
