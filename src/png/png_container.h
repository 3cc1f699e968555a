#pragma once

#include <QByteArray>
#include <QSize>
#include <optional>

namespace vellicor {

// Whether `bytes` are a whole PNG file as far as its container goes: the signature, then chunks
// whose lengths and checksums hold, from IHDR to IEND. The image inside is not decoded.
bool IsWholePng(const QByteArray& bytes);

// The width and height the header (IHDR) of a file that IsWholePng accepts declares, read
// without libpng, so a caller can refuse an image by its size alone; nullopt when a side is 0 or
// beyond what an int holds.
std::optional<QSize> PngHeaderSize(const QByteArray& bytes);

} // namespace vellicor
