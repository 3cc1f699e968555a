#pragma once

#include <QByteArray>
#include <QSize>
#include <cstdint>
#include <vector>

namespace vellicor {

// What libpng makes of a PNG file's bytes. It prints nothing: the caller words every refusal.
struct PngPixels {
    enum class Outcome { Decoded, TooLarge, Damaged };
    Outcome outcome = Outcome::Damaged;
    QSize size; // as the header declares it, when the header could be read
    // When Decoded: 8-bit RGBA, straight alpha, each pixel as its samples mean, row after row.
    // Plain bytes, so reading an image needs no GUI library.
    std::vector<std::uint8_t> rgba;
};

// Reads the header first, so an image wider or taller than `maxSide` costs no pixel decoding.
// Colour keys and palettes become alpha, 16-bit samples are scaled to 8 and grey becomes RGB;
// no gamma or colour profile is applied, and other ancillary chunks are skipped unread.
PngPixels DecodePng(const QByteArray& bytes, int maxSide);

} // namespace vellicor
