#include "raw_png.h"

#include "journal/journal_line.h"

#include <QtEndian>
#include <array>

namespace vellicor::fuzz {
namespace {

void AppendBigEndian(QByteArray& out, quint32 value) {
    char bytes[4];
    qToBigEndian(value, bytes);
    out.append(bytes, 4);
}

void AppendChunk(QByteArray& out, const char* type, const QByteArray& data) {
    AppendBigEndian(out, static_cast<quint32>(data.size()));
    const QByteArray typed = QByteArray(type) + data;
    out += typed;
    AppendBigEndian(out, Crc32(typed)); // the same CRC-32 as PNG's
}

int SamplesPerPixel(int colourType) {
    switch (colourType) {
    case 2:
        return 3;
    case 4:
        return 2;
    case 6:
        return 4;
    default:
        return 1;
    }
}

// Adam7's seven passes as (first column, first row, column step, row step); a plain image is
// one pass over everything.
struct Pass {
    int x0, y0, dx, dy;
};
constexpr std::array<Pass, 7> kAdam7 = {{{0, 0, 8, 8},
                                         {4, 0, 8, 8},
                                         {0, 4, 4, 8},
                                         {2, 0, 4, 4},
                                         {0, 2, 2, 4},
                                         {1, 0, 2, 2},
                                         {0, 1, 1, 2}}};

int Cover(int extent, int first, int step) {
    return extent > first ? (extent - first + step - 1) / step : 0;
}

// The filtered scanlines before compression: filter type 0, then the pattern's bytes.
QByteArray Scanlines(const RawPng& image) {
    const int bitsPerPixel = SamplesPerPixel(image.colourType) * image.bitDepth;
    QByteArray out;
    int pattern = 0;
    const auto addPass = [&](const Pass& pass) {
        const int columns = Cover(image.width, pass.x0, pass.dx);
        const int rows = Cover(image.height, pass.y0, pass.dy);
        if (columns == 0)
            return;
        for (int row = 0; row < rows; ++row) {
            out += '\0';
            for (int i = 0; i < (columns * bitsPerPixel + 7) / 8; ++i)
                out += static_cast<char>((pattern++ * 73 + 41) & 0xFF);
        }
    };
    if (image.interlaced)
        for (const Pass& pass : kAdam7)
            addPass(pass);
    else
        addPass(Pass{0, 0, 1, 1});
    return out;
}

} // namespace

QByteArray PngFile(const RawPng& image) {
    QByteArray png("\x89PNG\r\n\x1A\n", 8);
    QByteArray header;
    AppendBigEndian(header,
                    static_cast<quint32>(image.claimedWidth ? image.claimedWidth : image.width));
    AppendBigEndian(header,
                    static_cast<quint32>(image.claimedHeight ? image.claimedHeight : image.height));
    header += static_cast<char>(image.bitDepth);
    header += static_cast<char>(image.colourType);
    header += '\0'; // deflate
    header += '\0'; // adaptive filtering
    header += static_cast<char>(image.interlaced ? 1 : 0);
    AppendChunk(png, "IHDR", header);
    if (image.colourType == 3) {
        QByteArray palette;
        for (int i = 0; i < (1 << image.bitDepth); ++i)
            palette += QByteArray(3, static_cast<char>(i * 255 / ((1 << image.bitDepth) - 1)));
        AppendChunk(png, "PLTE", palette);
    }
    if (!image.transparency.isEmpty())
        AppendChunk(png, "tRNS", image.transparency);
    // qCompress puts the length in front of the zlib stream it makes.
    AppendChunk(png, "IDAT", qCompress(Scanlines(image)).sliced(4));
    AppendChunk(png, "IEND", QByteArray());
    return png;
}

} // namespace vellicor::fuzz
