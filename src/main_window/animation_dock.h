#pragma once

#include <QDockWidget>
#include <vector>

class QLabel;
class QMainWindow;
class QSpinBox;
class QTimer;
class QToolButton;

namespace vellicor {

class AnimationPicture;
class ProjectDocument;
class ProjectTree;

// The sprites selected in the tree, or all of them when one is, played in tree order, each
// frame drawn at its own size in the middle of the picture. The frame rate is remembered; the
// timer runs only while the dock is shown and playing, and the picture paints from the records,
// so a stroke shows in the frame it is on as it is drawn.
class AnimationDock : public QDockWidget {
    Q_OBJECT
  public:
    static constexpr int kLargestScale = 8;

    AnimationDock(const ProjectDocument& document, const ProjectTree& tree, QMainWindow* window);

    // The sprites played, in order.
    std::vector<int> Frames() const;
    // Which of them shows now, counted from 0.
    int Frame() const { return frame_; }
    void SetPlaying(bool playing);
    // The next frame, after the last the first.
    void Advance();
    // The frames or a sprite changed: the counter and the picture follow.
    void Refresh();
    QWidget* Picture() const;

  private:
    // Running exactly while shown and playing, at the chosen rate.
    void FollowTimer();

    const ProjectDocument& document_;
    const ProjectTree& tree_;
    AnimationPicture* picture_ = nullptr;
    QToolButton* play_ = nullptr;
    QSpinBox* rate_ = nullptr;
    QLabel* counter_ = nullptr;
    QTimer* timer_ = nullptr;
    int frame_ = 0;
};

} // namespace vellicor
