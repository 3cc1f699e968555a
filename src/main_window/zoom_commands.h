#pragma once

#include <QList>
#include <QObject>

class QAction;
class QMdiArea;
class QMenu;

namespace vellicor {

class ProjectDocument;
class SpriteWindows;
class frmSprite;

// Zoom In, Zoom Out and Zoom to Fit in the View menu, acting on the active editor through its
// zoom slider. Their keys work while the focus is inside the editors' area, and the commands
// only while an editor is active.
class ZoomCommands : public QObject {
    Q_OBJECT
  public:
    // Adds the commands to `menu` and their keys to `area`.
    ZoomCommands(const ProjectDocument& document, SpriteWindows& editors, QMdiArea& area,
                 QMenu& menu, QObject* parent);

  private:
    // The active editor, while it shows a sprite.
    frmSprite* Active() const;
    void UpdateActions();

    SpriteWindows& editors_;
    QMdiArea& area_;
    QList<QAction*> actions_;
};

} // namespace vellicor
