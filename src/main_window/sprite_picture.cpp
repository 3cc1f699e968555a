#include "sprite_picture.h"

#include "editor/qt_colour.h"
#include "model/sprite_record.h"

#include <algorithm>

namespace vellicor {
namespace {

QImage Picture(const SpriteRecord& record, QImage::Format format, bool marksOnly) {
    const int n = std::clamp<int>(record.Size, 0, kPlaneSide);
    if (n == 0)
        return {};
    QImage image(n, n, format);
    for (int y = 0; y < n; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < n; ++x) {
            const Rgb colour = ColourForBits(record.Bits(x, y));
            line[x] = marksOnly && colour == kTransparentCyan ? 0U : ToQRgb(colour);
        }
    }
    return image;
}

} // namespace

QImage SpritePicture(const SpriteRecord& record) {
    return Picture(record, QImage::Format_RGB32, false);
}

QImage SpriteMarks(const SpriteRecord& record) {
    return Picture(record, QImage::Format_ARGB32_Premultiplied, true);
}

} // namespace vellicor
