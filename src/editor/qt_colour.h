#pragma once

#include "model/colour_table.h"

#include <QColor>

namespace vellicor {

// Between the model's exact 24-bit colours and Qt's; alpha plays no part in comparisons.
inline QRgb ToQRgb(Rgb rgb) {
    return 0xFF000000U | rgb; // opaque
}
inline QColor ToQColor(Rgb rgb) {
    return QColor::fromRgb(ToQRgb(rgb));
}
inline Rgb ToRgb(const QColor& colour) {
    return colour.rgb() & 0xFFFFFFU;
}

} // namespace vellicor
