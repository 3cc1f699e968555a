// frmSprite's zoom as the View menu's commands move it: by the slider's large step, or to the
// largest canvas the grey area shows whole.
#include "frm_sprite.h"
#include "sprite_canvas.h"
#include "zoom_slider.h"

#include <algorithm>
#include <cmath>

namespace vellicor {
namespace {

// Layout lengths are designed in screen units of 1/1440 inch, 15 to a pixel at 96 dpi.
constexpr double kTwipsPerPixel = 15.0;

} // namespace

int frmSprite::CanvasSide(int zoom) {
    return static_cast<int>(std::lround((zoom * 1335) / 16.0 / kTwipsPerPixel));
}

void frmSprite::ZoomBy(int steps) {
    sldZoom_->setValue(sldZoom_->value() + steps * sldZoom_->pageStep());
}

void frmSprite::ZoomToFit() {
    // The canvas keeps the same margin on its far sides as on its near ones, so the handles
    // around it show too.
    const QPoint margin = picSprite_->pos();
    const QSize area = picBackground_->size();
    const int room = std::min(area.width() - 2 * margin.x(), area.height() - 2 * margin.y());
    int zoom = sldZoom_->maximum();
    while (zoom > sldZoom_->minimum() && CanvasSide(zoom) > room)
        --zoom;
    sldZoom_->setValue(zoom);
}

} // namespace vellicor
