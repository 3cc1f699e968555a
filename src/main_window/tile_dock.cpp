#include "tile_dock.h"

#include "document/project_document.h"
#include "remembered_dock.h"
#include "sprite_picture.h"
#include "sprite_windows.h"

#include <QFormLayout>
#include <QMainWindow>
#include <QPainter>
#include <QScrollArea>
#include <QSettings>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vellicor {
namespace {

const QString kScaleKey = QStringLiteral("view/tileScale");
constexpr int kTiles = 3;

} // namespace

class TilePicture : public QWidget {
  public:
    TilePicture(const ProjectDocument& document, const SpriteWindows& editors, QWidget* parent)
        : QWidget(parent), document_(document), editors_(editors) {
        setAttribute(Qt::WA_OpaquePaintEvent); // the tiles or the background cover it
    }

    const SpriteRecord* Record() const {
        const auto index = editors_.ActiveSprite();
        if (!index || *index >= document_.Table().SpriteCount())
            return nullptr;
        return &document_.Record(*index);
    }
    void Fit(int scale) {
        scale_ = scale;
        const SpriteRecord* record = Record();
        const int side = record != nullptr ? kTiles * record->Size * scale : 0;
        setFixedSize(side, side);
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const SpriteRecord* record = Record();
        const QImage tile = record != nullptr ? SpritePicture(*record) : QImage();
        if (tile.isNull()) {
            painter.fillRect(rect(), palette().window());
            return;
        }
        // Scaled once, then placed nine times; whole-number scaling keeps every cell square.
        const int side = tile.width() * scale_;
        const QImage scaled = tile.scaled(side, side);
        for (int row = 0; row < kTiles; ++row)
            for (int column = 0; column < kTiles; ++column)
                painter.drawImage(column * side, row * side, scaled);
        painter.fillRect(QRect(0, kTiles * side, width(), height()), palette().window());
        painter.fillRect(QRect(kTiles * side, 0, width(), kTiles * side), palette().window());
    }

  private:
    const ProjectDocument& document_;
    const SpriteWindows& editors_;
    int scale_ = 1;
};

TileDock::TileDock(const ProjectDocument& document, const SpriteWindows& editors,
                   QMainWindow* window)
    : QDockWidget(tr("Tile Preview"), window) {
    setObjectName(QStringLiteral("dockTile"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    auto* options = new QFormLayout;
    scale_ = new QSpinBox(body);
    scale_->setObjectName(QStringLiteral("spnTileScale"));
    scale_->setRange(1, kLargestScale);
    scale_->setValue(QSettings().value(kScaleKey, 4).toInt());
    options->addRow(tr("&Scale:"), scale_);
    layout->addLayout(options);
    auto* scroll = new QScrollArea(body);
    picture_ = new TilePicture(document, editors, scroll);
    picture_->setObjectName(QStringLiteral("picTile"));
    scroll->setWidget(picture_);
    scroll->setAlignment(Qt::AlignCenter);
    layout->addWidget(scroll, 1);
    setWidget(body);
    connect(scale_, &QSpinBox::valueChanged, this, [this](int scale) {
        QSettings().setValue(kScaleKey, scale);
        Refresh();
    });
    // Hidden, it lets changes pass; shown again, it fits the sprite it finds then.
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible)
            Refresh();
    });
    DockRemembered(this, window, QStringLiteral("view/tile"), QStringLiteral("mnuViewTile"),
                   tr("&Tile Preview"));
}

void TileDock::Refresh() {
    if (isVisible())
        picture_->Fit(scale_->value());
}

void TileDock::SetScale(int scale) {
    scale_->setValue(scale);
}

QWidget* TileDock::Picture() const {
    return picture_;
}

} // namespace vellicor
