#pragma once

#include <QByteArray>

namespace vellicor {

// Whether `bytes` are a whole PNG file as far as its container goes: the signature, then chunks
// whose lengths and checksums hold, from IHDR to IEND. The image inside is not decoded.
bool IsWholePng(const QByteArray& bytes);

} // namespace vellicor
