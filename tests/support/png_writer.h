#pragma once

// PNG files made chunk by chunk as the PNG standard lays them out, so tests can make the files
// other programs write: every colour type and bit depth, interlaced, odd and damaged ones.
#include "journal/journal_line.h"

#include <QByteArray>
#include <QList>
#include <QRgb>
#include <QtEndian>

// A number as PNG keeps it: four bytes, the most significant first.
inline QByteArray PngNumber(quint32 value) {
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

// One chunk: length, type, data and checksum (PNG's CRC-32 is the journal's).
inline QByteArray PngChunk(const QByteArray& type, const QByteArray& data) {
    return PngNumber(static_cast<quint32>(data.size())) + type + data +
           PngNumber(vellicor::Crc32(type + data));
}

// A zlib stream: qCompress puts the length in front of the one it makes.
inline QByteArray Deflated(const QByteArray& raw) {
    return qCompress(raw).sliced(4);
}

// The signature and the header of a square image: width, height, bit depth, colour type,
// compression, filter and interlace method.
inline QByteArray PngStart(int side, int colourType, int depth, bool interlaced) {
    const QByteArray header = PngNumber(side) + PngNumber(side) + static_cast<char>(depth) +
                              static_cast<char>(colourType) + QByteArray(2, '\0') +
                              static_cast<char>(interlaced ? 1 : 0);
    return QByteArray("\x89PNG\r\n\x1A\n", 8) + PngChunk("IHDR", header);
}

// One scanline: filter type 0, then the samples packed big-endian, leftmost in the high bits.
inline QByteArray PngScanline(const QList<int>& samples, int depth) {
    QByteArray line(1 + (samples.size() * depth + 7) / 8, '\0');
    for (qsizetype at = 0; at < samples.size() * depth; ++at)
        if (((samples[at / depth] >> (depth - 1 - at % depth)) & 1) != 0)
            line[1 + at / 8] = static_cast<char>(line[1 + at / 8] | (0x80 >> (at % 8)));
    return line;
}

// The square image whose row y is `pixels` (each its samples) turned left by y, so each pixel
// sits in a different column in every row: its scanlines in order, or those of each of Adam7's
// seven passes in turn.
inline QByteArray PngScanlines(const QList<QList<int>>& pixels, int depth, bool interlaced) {
    struct Pass {
        int x, y, dx, dy;
    };
    const QList<Pass> passes =
        interlaced ? QList<Pass>{{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                 {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}}
                   : QList<Pass>{{0, 0, 1, 1}};
    const auto side = static_cast<int>(pixels.size());
    QByteArray lines;
    for (const Pass& pass : passes)
        for (int y = pass.y; y < side; y += pass.dy) {
            QList<int> samples;
            for (int x = pass.x; x < side; x += pass.dx)
                samples << pixels[(x + y) % side];
            if (!samples.isEmpty()) // a pass with no columns has no scanlines
                lines += PngScanline(samples, depth);
        }
    return lines;
}

// That image as a PNG file. Palette entries are "r, g, b[, alpha]": PLTE, and tRNS up to the
// last entry that is not opaque; a colour key's 16-bit samples become tRNS.
inline QByteArray Png(int colourType, int depth, bool interlaced, const QList<QList<int>>& pixels,
                      const QList<QList<int>>& palette, const QList<int>& key) {
    QByteArray png = PngStart(static_cast<int>(pixels.size()), colourType, depth, interlaced);
    QByteArray colours, alphas;
    for (const QList<int>& entry : palette) {
        for (const int sample : entry.first(3))
            colours += static_cast<char>(sample);
        alphas += static_cast<char>(entry.value(3, 255));
    }
    while (alphas.endsWith('\xFF'))
        alphas.chop(1);
    for (const int sample : key)
        alphas.append(static_cast<char>(sample >> 8)).append(static_cast<char>(sample));
    if (!colours.isEmpty())
        png += PngChunk("PLTE", colours);
    if (!alphas.isEmpty())
        png += PngChunk("tRNS", alphas);
    return png + PngChunk("IDAT", Deflated(PngScanlines(pixels, depth, interlaced))) +
           PngChunk("IEND", {});
}

// An 8-bit RGBA image of any size, each pixel what `pixel` gives (straight alpha).
template <typename PixelAt> QByteArray RgbaPng(int width, int height, PixelAt pixel) {
    const QByteArray header =
        PngNumber(width) + PngNumber(height) + QByteArray("\x08\x06\0\0\0", 5);
    QByteArray lines;
    lines.reserve(static_cast<qsizetype>(height) * (1 + 4 * width));
    for (int y = 0; y < height; ++y) {
        lines += '\0';
        for (int x = 0; x < width; ++x) {
            const QRgb rgba = pixel(x, y);
            for (const int sample : {qRed(rgba), qGreen(rgba), qBlue(rgba), qAlpha(rgba)})
                lines += static_cast<char>(sample);
        }
    }
    return QByteArray("\x89PNG\r\n\x1A\n", 8) + PngChunk("IHDR", header) +
           PngChunk("IDAT", Deflated(lines)) + PngChunk("IEND", {});
}
