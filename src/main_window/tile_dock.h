#pragma once

#include <QDockWidget>

class QMainWindow;
class QSpinBox;

namespace vellicor {

class ProjectDocument;
class SpriteWindows;
class TilePicture;

// The active editor's sprite repeated three by three at a whole-number scale, so that the
// seams of a tile show. It paints from the record whenever it is painted, so it follows a stroke
// as the canvas does; while hidden it paints nothing and asks nothing. It is shown or hidden as
// the user last left it, and so is its scale.
class TileDock : public QDockWidget {
    Q_OBJECT
  public:
    static constexpr int kLargestScale = 8;

    TileDock(const ProjectDocument& document, const SpriteWindows& editors, QMainWindow* window);

    // The sprite or its size may have changed: the picture repaints, resized to fit.
    void Refresh();
    void SetScale(int scale);
    // The picture of the nine tiles.
    QWidget* Picture() const;

  private:
    TilePicture* picture_ = nullptr;
    QSpinBox* scale_ = nullptr;
};

} // namespace vellicor
