#include "animation_dock.h"

#include "document/project_document.h"
#include "project_tree.h"
#include "remembered_dock.h"
#include "sprite_picture.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QSettings>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace vellicor {
namespace {

const QString kRateKey = QStringLiteral("view/animationRate");

} // namespace

class AnimationPicture : public QWidget {
  public:
    AnimationPicture(const ProjectDocument& document, const AnimationDock& dock, QWidget* parent)
        : QWidget(parent), document_(document), dock_(dock) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMinimumSize(kPlaneSide, kPlaneSide);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().window());
        const std::vector<int> frames = dock_.Frames();
        const auto frame = static_cast<std::size_t>(dock_.Frame());
        if (frame >= frames.size())
            return;
        const QImage picture = SpritePicture(document_.Record(frames[frame]));
        if (picture.isNull())
            return;
        // One scale for every frame, the largest at which a 32-pixel sprite fits, so that
        // sprites of different sizes keep their proportions to each other.
        const int scale =
            std::clamp(std::min(width(), height()) / kPlaneSide, 1, AnimationDock::kLargestScale);
        const QSize size = picture.size() * scale;
        painter.drawImage(
            QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size),
            picture);
    }

  private:
    const ProjectDocument& document_;
    const AnimationDock& dock_;
};

AnimationDock::AnimationDock(const ProjectDocument& document, const ProjectTree& tree,
                             QMainWindow* window)
    : QDockWidget(tr("Animation"), window), document_(document), tree_(tree),
      timer_(new QTimer(this)) {
    setObjectName(QStringLiteral("dockAnimation"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    picture_ = new AnimationPicture(document, *this, body);
    picture_->setObjectName(QStringLiteral("picAnimation"));
    layout->addWidget(picture_, 1);
    auto* controls = new QHBoxLayout;
    play_ = new QToolButton(body);
    play_->setObjectName(QStringLiteral("btnAnimationPlay"));
    play_->setCheckable(true);
    play_->setChecked(true);
    play_->setText(tr("Pause"));
    rate_ = new QSpinBox(body);
    rate_->setObjectName(QStringLiteral("spnAnimationRate"));
    rate_->setRange(1, 30);
    rate_->setSuffix(tr(" fps"));
    rate_->setValue(QSettings().value(kRateKey, 8).toInt());
    counter_ = new QLabel(body);
    counter_->setObjectName(QStringLiteral("lblAnimationFrame"));
    controls->addWidget(play_);
    controls->addWidget(rate_);
    controls->addStretch();
    controls->addWidget(counter_);
    layout->addLayout(controls);
    setWidget(body);

    connect(play_, &QToolButton::toggled, this, [this](bool playing) {
        play_->setText(playing ? tr("Pause") : tr("Play"));
        FollowTimer();
    });
    connect(rate_, &QSpinBox::valueChanged, this, [this](int rate) {
        QSettings().setValue(kRateKey, rate);
        FollowTimer();
    });
    connect(timer_, &QTimer::timeout, this, &AnimationDock::Advance);
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        FollowTimer();
        if (visible)
            Refresh();
    });
    DockRemembered(this, window, QStringLiteral("view/animation"),
                   QStringLiteral("mnuViewAnimation"), tr("&Animation"));
}

std::vector<int> AnimationDock::Frames() const {
    std::vector<int> frames = tree_.SelectedSprites();
    if (frames.size() <= 1) {
        frames.clear();
        for (int index = 0; index < document_.Table().SpriteCount(); ++index)
            frames.push_back(index);
    }
    // The tree may still hold the nodes of sprites undo just took out.
    std::erase_if(frames, [this](int index) { return index >= document_.Table().SpriteCount(); });
    return frames;
}

void AnimationDock::SetPlaying(bool playing) {
    play_->setChecked(playing);
}

void AnimationDock::Advance() {
    const auto count = static_cast<int>(Frames().size());
    frame_ = count > 0 ? (frame_ + 1) % count : 0;
    Refresh();
}

void AnimationDock::Refresh() {
    if (!isVisible())
        return;
    const auto count = static_cast<int>(Frames().size());
    if (frame_ >= count)
        frame_ = 0;
    counter_->setText(count > 0 ? tr("%1 / %2").arg(frame_ + 1).arg(count) : QString());
    picture_->update();
}

QWidget* AnimationDock::Picture() const {
    return picture_;
}

void AnimationDock::FollowTimer() {
    timer_->setInterval(1000 / rate_->value());
    if (isVisible() && play_->isChecked())
        timer_->start();
    else
        timer_->stop();
}

} // namespace vellicor
