#include "onion_skin.h"

#include "document/project_document.h"
#include "editor/frm_sprite.h"
#include "editor/sprite_canvas.h"
#include "sprite_picture.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QSettings>
#include <algorithm>

namespace vellicor {
namespace {

const QString kShownKey = QStringLiteral("view/onionSkin");
// Faint enough that the sprite being drawn reads first.
constexpr qreal kOpacity = 0.3;

// Follows its canvas's size, lets the mouse through, and paints the previous sprite's marks.
class OnionLayer : public QWidget {
  public:
    OnionLayer(const ProjectDocument& document, frmSprite& window, QWidget* canvas)
        : QWidget(canvas), document_(document), window_(&window) {
        setObjectName(QStringLiteral("picOnion"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(canvas->rect());
        canvas->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize)
            setGeometry(static_cast<QWidget*>(watched)->rect());
        return false;
    }

    void paintEvent(QPaintEvent*) override {
        bool bound = false;
        const int index = window_ ? window_->Tag().toInt(&bound) : -1;
        if (!bound || index < 1 || index >= document_.Table().SpriteCount())
            return;
        const int n = std::clamp<int>(document_.Record(index).Size, 0, kPlaneSide);
        const QImage marks = SpriteMarks(document_.Record(index - 1));
        if (n == 0 || marks.isNull())
            return;
        // Cell for cell on the sprite's own grid, top left on top left, whatever either's size.
        QPainter painter(this);
        painter.setOpacity(kOpacity);
        for (int y = 0; y < std::min(n, marks.height()); ++y)
            for (int x = 0; x < std::min(n, marks.width()); ++x) {
                const QRgb colour = marks.pixel(x, y);
                if (qAlpha(colour) == 0)
                    continue;
                const int left = CellBorder(x, width(), n);
                const int top = CellBorder(y, height(), n);
                painter.fillRect(left, top, CellBorder(x + 1, width(), n) - left,
                                 CellBorder(y + 1, height(), n) - top, QColor(colour));
            }
    }

  private:
    const ProjectDocument& document_;
    QPointer<frmSprite> window_;
};

} // namespace

OnionSkin::OnionSkin(const ProjectDocument& document, QMenu& view, QObject* parent)
    : QObject(parent), document_(document), action_(view.addAction(tr("&Onion Skin"))) {
    action_->setObjectName(QStringLiteral("mnuViewOnionSkin"));
    action_->setCheckable(true);
    action_->setChecked(QSettings().value(kShownKey).toBool());
    connect(action_, &QAction::toggled, this, [this](bool shown) {
        QSettings().setValue(kShownKey, shown);
        Refresh();
    });
}

void OnionSkin::Attach(frmSprite& window) {
    auto* canvas = window.findChild<SpriteCanvas*>();
    if (canvas == nullptr || canvas->findChild<QWidget*>(QStringLiteral("picOnion")) != nullptr)
        return;
    auto* layer = new OnionLayer(document_, window, canvas);
    layer->setVisible(action_->isChecked());
    layers_.push_back(layer);
}

void OnionSkin::Refresh() {
    std::erase_if(layers_, [](const QPointer<QWidget>& layer) { return layer.isNull(); });
    for (QWidget* layer : layers_) {
        layer->setVisible(action_->isChecked());
        layer->update();
    }
}

} // namespace vellicor
