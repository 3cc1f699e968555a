#pragma once

#include <QObject>
#include <QPointer>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace vellicor {

class ProjectDocument;
class frmSprite;

// View > Onion Skin: each editor's canvas shows the sprite before its own, in tree order,
// faintly over its cells, for drawing the next frame of an animation against the last. It is a
// layer on the canvas alone: the window's preview, the record and the files never see it. The
// choice is remembered.
class OnionSkin : public QObject {
    Q_OBJECT
  public:
    OnionSkin(const ProjectDocument& document, QMenu& view, QObject* parent);

    // Lays the skin over the window's canvas, once.
    void Attach(frmSprite& window);
    // A sprite changed, or the sprites moved: the skins repaint.
    void Refresh();
    QAction* Action() const { return action_; }

  private:
    const ProjectDocument& document_;
    QAction* action_;
    std::vector<QPointer<QWidget>> layers_;
};

} // namespace vellicor
