#pragma once

#include <QByteArray>
#include <QList>

namespace vellicor::fuzz {

// A PNG of any colour type, bit depth and interlacing, written chunk by chunk, so seeds cover
// what no image writer at hand makes (16-bit colour with a colour key, interlaced grey, 2-bit
// palettes). Its samples are a fixed pattern; a palette image gets a full palette.
struct RawPng {
    int width = 5;
    int height = 3;
    int colourType = 0; // 0 grey, 2 RGB, 3 palette, 4 grey and alpha, 6 RGBA
    int bitDepth = 8;
    bool interlaced = false;
    QByteArray transparency; // the tRNS chunk's data; none when empty
    // What IHDR claims, when not the real size: a huge image in a small file.
    int claimedWidth = 0, claimedHeight = 0;
};

QByteArray PngFile(const RawPng& image);

} // namespace vellicor::fuzz
