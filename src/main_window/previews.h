#pragma once

#include <QObject>

class QMainWindow;

namespace vellicor {

class AnimationDock;
class OnionSkin;
class ProjectDocument;
class ProjectTree;
class SpriteWindows;
class TileDock;

// The previews of the sprites being drawn: the tile preview, the onion skin and the animation,
// each added to the window and its View menu. They paint from the records and never write to
// them; they follow the document's steps and, for a stroke still being drawn, the repaints of
// the editors' canvases, which the tools ask for as each pixel is written.
class Previews : public QObject {
    Q_OBJECT
  public:
    Previews(const ProjectDocument& document, const ProjectTree& tree, const SpriteWindows& editors,
             QMainWindow* window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Watches each editor's canvas, and lays the onion skin on it.
    void FollowEditors();
    void Refresh();

    const SpriteWindows& editors_;
    TileDock* tile_;
    OnionSkin* onion_;
    AnimationDock* animation_;
};

} // namespace vellicor
