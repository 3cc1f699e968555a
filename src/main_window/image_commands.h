#pragma once

#include "tools/transforms.h"

#include <QList>
#include <QObject>

class QAction;
class QMenuBar;
class QWidget;

namespace vellicor {

class ProjectDocument;
class SpriteWindows;

// The "&Image" menu: flips, turns, wrap-around shifts and Invert Greys on the active editor's
// selection, or on its whole sprite within its size. Each is one step of the sprite's history,
// named after the command. Their keys work while the focus is inside the editors' area, so
// Shift+H or Ctrl+Left typed in the tree or the header view never changes a picture.
class ImageCommands : public QObject {
    Q_OBJECT
  public:
    // Builds the menu into `bar`, before its View menu, and the keys into `area`.
    ImageCommands(ProjectDocument& document, SpriteWindows& editors, QWidget& area, QMenuBar& bar,
                  QObject* parent);

    // Applies the transform to the active editor, when it shows a sprite with a size.
    void Apply(Transform transform, const QString& text);

  private:
    // The active editor's sprite, while it has a size to act within.
    std::optional<int> Target() const;
    // Enables the commands while there is a target.
    void UpdateActions();

    ProjectDocument& document_;
    SpriteWindows& editors_;
    QList<QAction*> actions_;
};

} // namespace vellicor
