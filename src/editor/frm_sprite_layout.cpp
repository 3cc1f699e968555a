// Where the controls of frmSprite sit: built once, the canvas sized from the zoom, the handles
// around it, and the grey area following the window's size.
#include "document/project_document.h"
#include "frm_sprite.h"
#include "handle_square.h"
#include "sprite_canvas.h"
#include "wheel_zoom.h"
#include "zoom_slider.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <algorithm>
#include <cmath>

namespace vellicor {
namespace {

constexpr QPoint kBackgroundOrigin{128, 16};
constexpr int kBackgroundMargin = 10;
constexpr QPoint kCanvasOrigin{8, 8};
constexpr int kPreviewSide = 73;

QGroupBox* MakeFrame(const QString& caption, QRect geometry, QWidget* parent) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setGeometry(geometry);
    return frame;
}

} // namespace

frmSprite::frmSprite(EditorHost& host, QWidget* parent)
    : QMdiSubWindow(parent), host_(host), tools_(host.Document(), *this) {
    BuildControls();
    resize(376 + 8, 296 + 30);
}

void frmSprite::BuildControls() {
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("frmSpriteClient"));
    setWidget(client_);
    client_->installEventFilter(this);

    auto* frame1 = MakeFrame(tr("Sprite Size"), {8, 8, 105, 97}, client_);
    frame1->setObjectName(QStringLiteral("Frame1"));
    sizeOptions_ = new QButtonGroup(this);
    const std::array<std::pair<QRadioButton**, int>, 3> options{
        {{&opt8_, 8}, {&opt16_, 16}, {&opt32_, 32}}};
    int top = 24;
    for (const auto& [option, size] : options) {
        *option = new QRadioButton(QString::number(size), frame1);
        (*option)->setObjectName(QStringLiteral("opt%1").arg(size));
        // At least the designed 33 x 13, wider where the desktop's font needs it.
        const QSize hint = (*option)->sizeHint();
        (*option)->setGeometry(8, top, std::max(33, hint.width()), std::max(13, hint.height()));
        sizeOptions_->addButton(*option, size);
        top += 24;
    }
    connect(sizeOptions_, &QButtonGroup::idToggled, this, [this](int size, bool checked) {
        if (checked)
            OnSizeOption(size);
    });

    auto* frame2 = MakeFrame(tr("Preview"), {8, 112, 105, 113}, client_);
    frame2->setObjectName(QStringLiteral("Frame2"));
    picPreview_ = new SpriteView(Qt::white, frame2);
    picPreview_->setObjectName(QStringLiteral("picPreview"));
    picPreview_->setGeometry(16, 24, kPreviewSide, kPreviewSide);

    picBackground_ = new QWidget(client_);
    picBackground_->setObjectName(QStringLiteral("picBackground"));
    picBackground_->move(kBackgroundOrigin);
    picBackground_->setAutoFillBackground(true);
    QPalette workspace = picBackground_->palette();
    workspace.setColor(QPalette::Window, QApplication::palette().color(QPalette::Dark));
    picBackground_->setPalette(workspace);
    picBackground_->setMouseTracking(true);
    picBackground_->installEventFilter(this);

    picSprite_ =
        new SpriteCanvas(QApplication::palette().color(QPalette::WindowText), picBackground_);
    picSprite_->setObjectName(QStringLiteral("picSprite"));
    picSprite_->move(kCanvasOrigin);
    for (SpriteView* view : {static_cast<SpriteView*>(picSprite_), picPreview_})
        view->ShowSprite([this] { return Record(); }, &tools_.Preview(), &tools_.Selected());
    WireCanvas();
    connect(&host_.Document(), &ProjectDocument::SpriteRestored, this, &frmSprite::ShowRestored);

    for (std::size_t i = 0; i < shape1_.size(); ++i) {
        shape1_[i] = new HandleSquare(i >= 5, picBackground_);
        shape1_[i]->setObjectName(QStringLiteral("Shape1_%1").arg(i));
    }

    auto* frame3 = MakeFrame(tr("Zoom"), {8, 232, 105, 57}, client_);
    frame3->setObjectName(QStringLiteral("Frame3"));
    sldZoom_ = new ZoomSlider(frame3);
    sldZoom_->setObjectName(QStringLiteral("sldZoom"));
    sldZoom_->setGeometry(8, 16, 89, 29);
    sldZoom_->setRange(1, 100);
    sldZoom_->setValue(kDesignZoom);
    sldZoom_->setSingleStep(1);
    sldZoom_->setPageStep(2);
    sldZoom_->setTickInterval(10);
    sldZoom_->setTickPosition(QSlider::TicksBelow);
    connect(sldZoom_, &ZoomSlider::ZoomChanged, this, &frmSprite::ApplyZoom);
    new WheelZoom(*sldZoom_, {picBackground_, picSprite_});

    setTabOrder(opt8_, opt16_);
    setTabOrder(opt16_, opt32_);
    setTabOrder(opt32_, sldZoom_);
}

void frmSprite::ApplyZoom() {
    const int width = CanvasSide(sldZoom_->value());
    picSprite_->resize(width, width); // square: the height is the width as applied
    PlaceHandles();
    DrawSprite();
}

void frmSprite::PlaceHandles() {
    const QRect canvas = picSprite_->geometry();
    const int left = canvas.x();
    const int top = canvas.y();
    const int width = canvas.width();
    const int height = canvas.height();
    auto middle = [](int start, int length, int handle) {
        return start + static_cast<int>(std::lround((length - handle) / 2.0));
    };
    for (std::size_t i = 0; i < shape1_.size(); ++i) {
        const int w = shape1_[i]->width();
        const int h = shape1_[i]->height();
        const int x[3] = {left - w, middle(left, width, w), left + width};
        const int y[3] = {top - h, middle(top, height, h), top + height};
        // Column and row of each handle: corners, then edge middles, in their fixed order.
        static constexpr int kColumn[8] = {0, 1, 2, 0, 0, 1, 2, 2};
        static constexpr int kRow[8] = {0, 0, 0, 1, 2, 2, 1, 2};
        shape1_[i]->move(x[kColumn[i]], y[kRow[i]]);
    }
}

void frmSprite::OnClientResize() {
    const int width = client_->width() - kBackgroundOrigin.x() - kBackgroundMargin;
    const int height = client_->height() - kBackgroundOrigin.y() - kBackgroundMargin;
    // A size the window is too small for is skipped; the other direction still applies.
    if (width >= 0)
        picBackground_->resize(width, picBackground_->height());
    if (height >= 0)
        picBackground_->resize(picBackground_->width(), height);
    DrawSprite();
}

} // namespace vellicor
