#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

class QMimeData;
class QWidget;

namespace vellicor {

class DialogSeam;
class ProjectCommands;
class ProjectDocument;
class SheetCommands;
class SpriteCommands;

// Files dropped on the main window from a file manager, each taken as its menu command takes a
// chosen file: a project opens as Open opens it, an image or a header is imported as Import
// PNG... and Import Header... import them, and an image larger than a sprite as Import Sprite
// Sheet... cuts it. It watches the window's drag events, so the window
// itself only has to create it.
class FileDrops : public QObject {
    Q_OBJECT
  public:
    FileDrops(DialogSeam& dialogs, ProjectDocument& document, ProjectCommands& projects,
              SpriteCommands& sprites, SheetCommands& sheets, QWidget* window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Takes the files in the order given; a refused one says why and the rest go on.
    void Take(const QList<QUrl>& urls);
    // Returns false when the user stopped the drop at the question about unsaved work.
    bool TakeOne(const QUrl& url);
    void Refuse(const QString& text);

    DialogSeam& dialogs_;
    ProjectDocument& document_;
    ProjectCommands& projects_;
    SpriteCommands& sprites_;
    SheetCommands& sheets_;
    QWidget* window_;
};

} // namespace vellicor
