#include "frm_sprite.h"

#include "document/project_document.h"
#include "editor_host.h"
#include "handle_square.h"
#include "literal_title.h"
#include "model/colour_table.h"
#include "model/sprite_identity.h"
#include "qt_colour.h"
#include "sprite_canvas.h"
#include "zoom_slider.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QRadioButton>
#include <algorithm>
#include <cmath>

namespace vellicor {
namespace {

// Layout lengths are designed in screen units of 1/1440 inch, 15 to a pixel at 96 dpi.
constexpr int kTwipsPerPixel = 15;
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

frmSprite::frmSprite(EditorHost& host, QWidget* parent) : QMdiSubWindow(parent), host_(host) {
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
    picPreview_ = new PictureSurface(Qt::white, frame2);
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
    connect(picSprite_, &SpriteCanvas::MousePressed, this, &frmSprite::PressAt);
    connect(picSprite_, &SpriteCanvas::MouseMoved, this, &frmSprite::MoveAt);
    connect(picSprite_, &SpriteCanvas::ModifiersChanged, this, &frmSprite::SetSquare);
    connect(picSprite_, &SpriteCanvas::MouseReleased, this, &frmSprite::Release);
    connect(picSprite_, &SpriteCanvas::EscapePressed, this, &frmSprite::CancelShape);
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

    BuildToolShortcuts();
    setTabOrder(opt8_, opt16_);
    setTabOrder(opt16_, opt32_);
    setTabOrder(opt32_, sldZoom_);
}

std::optional<int> frmSprite::Index() const {
    const auto index = IndexFromTag(tag_.toStdString());
    if (!index || *index >= host_.Document().Table().SpriteCount())
        return std::nullopt;
    return index;
}

const SpriteRecord* frmSprite::Record() const {
    const auto index = Index();
    return index ? &host_.Document().Record(*index) : nullptr;
}

void frmSprite::Load() {
    tag_ = QString::fromStdString(TagFromKey(host_.SelectedNodeKey().toStdString()));
    // Closing the window hid its inside along with it.
    client_->show();

    // Nothing of an earlier opening carries over.
    {
        const QSignalBlocker blockOptions(sizeOptions_);
        const QSignalBlocker blockZoom(sldZoom_);
        sizeOptions_->setExclusive(false);
        for (QAbstractButton* option : sizeOptions_->buttons())
            option->setChecked(false);
        sizeOptions_->setExclusive(true);
        sldZoom_->setValue(kDesignZoom);
    }

    const auto index = Index();
    if (!index)
        return;
    if (QAbstractButton* option = sizeOptions_->button(host_.Document().Record(*index).Size))
        option->setChecked(true); // runs the same handling as a click
    host_.Document().SetOpen(*index, true);
    drag_ = {};
    lastPencilCell_.reset();
    ShowGrid();
    ApplyZoom();
}

void frmSprite::SetCaption(const QString& name) {
    setWindowTitle(LiteralTitle(name));
}

void frmSprite::closeEvent(QCloseEvent* event) {
    if (const auto index = Index()) {
        host_.Document().EndStroke(); // a stroke cut short by closing is still one step
        host_.Document().SetOpen(*index, false);
        host_.EditorClosed();
    }
    QMdiSubWindow::closeEvent(event);
}

void frmSprite::ShowGrid() {
    picSprite_->SetGrid(EdgeFromOptions(), host_.PixelGrid());
}

void frmSprite::OnSizeOption(int size) {
    if (const auto index = Index())
        host_.Document().SetSize(*index, size);
    ShowGrid();
    DrawSprite();
}

int frmSprite::EdgeFromOptions() const {
    const int checked = sizeOptions_->checkedId();
    return checked > 0 ? checked : 0;
}

void frmSprite::ApplyZoom() {
    const int zoom = sldZoom_->value();
    const double side = (zoom * 1335) / 16.0 / kTwipsPerPixel;
    const int width = static_cast<int>(std::lround(side));
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

void frmSprite::DrawSprite() {
    const SpriteRecord* record = Record();
    if (record == nullptr)
        return;
    const int n = std::clamp<int>(record->Size, 0, kPlaneSide);
    if (n == 0)
        return;
    // Every pixel has a colour, so painting the whole grid at once ends with what painting
    // cell by cell would show, only far faster.
    std::array<QRgb, kPlaneSide * kPlaneSide> colours;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            colours[y * n + x] = ToQRgb(ColourForBits(record->Bits(x, y)));
    const std::span<const QRgb> grid(colours.data(), static_cast<std::size_t>(n) * n);
    picSprite_->FillCells(n, grid);
    picPreview_->FillCells(n, grid);
}

void frmSprite::ShowRestored(int index) {
    if (Index() != index || !isVisible())
        return;
    const int size = host_.Document().Record(index).Size;
    {
        const QSignalBlocker block(sizeOptions_);
        if (QAbstractButton* option = sizeOptions_->button(size)) {
            option->setChecked(true);
        } else {
            sizeOptions_->setExclusive(false);
            for (QAbstractButton* button : sizeOptions_->buttons())
                button->setChecked(false);
            sizeOptions_->setExclusive(true);
            // No size: the surfaces show no cells at all again.
            picSprite_->Clear();
            picPreview_->Clear();
        }
    }
    ShowGrid();
    DrawSprite();
}

bool frmSprite::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize) {
        OnClientResize();
    } else if (watched == picBackground_ && event->type() == QEvent::MouseMove) {
        host_.SetCellStatus(QString());
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

} // namespace vellicor
