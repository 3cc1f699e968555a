// frmSprite bound to its sprite: loading, the size options, and showing what undo and redo did.
#include "frm_sprite.h"

#include "document/project_document.h"
#include "literal_title.h"
#include "model/sprite_identity.h"
#include "sprite_canvas.h"
#include "zoom_slider.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QRadioButton>

namespace vellicor {

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

void frmSprite::Load(std::optional<int> index) {
    tag_ = index ? QString::number(*index)
                 : QString::fromStdString(TagFromKey(host_.SelectedNodeKey().toStdString()));
    // Closing the window hid its inside along with it.
    client_->show();

    // Nothing of an earlier opening carries over.
    {
        const QSignalBlocker blockZoom(sldZoom_);
        SetSizeOption(0);
        sldZoom_->setValue(kDesignZoom);
    }

    const auto bound = Index();
    if (!bound)
        return;
    if (QAbstractButton* option = sizeOptions_->button(host_.Document().Record(*bound).Size))
        option->setChecked(true); // runs the same handling as a click
    host_.Document().SetOpen(*bound, true);
    tools_.Reset();
    ShowGrid();
    ApplyZoom();
}

void frmSprite::Retag(std::optional<int> index) {
    tag_ = index ? QString::number(*index) : QString();
    DrawSprite();
}

void frmSprite::SetCaption(const QString& name) {
    setWindowTitle(LiteralTitle(name));
}

void frmSprite::closeEvent(QCloseEvent* event) {
    if (const auto index = Index()) {
        host_.Document().EndStroke(); // a stroke cut short by closing is still one step
        CommitFloating();
        host_.Document().SetOpen(*index, false);
        host_.EditorClosed();
    }
    QMdiSubWindow::closeEvent(event);
}

void frmSprite::ShowGrid() {
    picSprite_->SetGrid(host_.PixelGrid());
}

void frmSprite::OnSizeOption(int size) {
    CommitFloating();
    if (const auto index = Index())
        host_.Document().SetSize(*index, size);
    ShowGrid();
    DrawSprite();
}

int frmSprite::Size() const {
    const int checked = sizeOptions_->checkedId();
    return checked > 0 ? checked : 0;
}

void frmSprite::SetSizeOption(int size) {
    const QSignalBlocker block(sizeOptions_);
    if (QAbstractButton* option = sizeOptions_->button(size)) {
        option->setChecked(true);
        return;
    }
    // An exclusive group keeps one button checked; none is checked only by letting go of that.
    sizeOptions_->setExclusive(false);
    for (QAbstractButton* option : sizeOptions_->buttons())
        option->setChecked(false);
    sizeOptions_->setExclusive(true);
}

void frmSprite::DrawSprite() {
    picSprite_->update();
    picPreview_->update();
}

void frmSprite::ShowRestored(int index) {
    if (Index() != index || !isVisible())
        return;
    SetSizeOption(host_.Document().Record(index).Size);
    // What floated was lifted from pixels that are no longer there to come back to.
    tools_.Selected().Cancel();
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
