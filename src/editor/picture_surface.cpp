#include "picture_surface.h"

#include <QPaintEvent>
#include <QPainter>
#include <QVarLengthArray>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace vellicor {

int CellBorder(int index, int side, int n) {
    return static_cast<int>(std::lround(static_cast<double>(index) * side / n));
}

PictureSurface::PictureSurface(QColor background, QWidget* parent)
    : QWidget(parent), background_(background) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QRect PictureSurface::CellRect(int column, int row, int n) const {
    const int left = CellBorder(column, image_.width(), n);
    const int top = CellBorder(row, image_.height(), n);
    const int right = CellBorder(column + 1, image_.width(), n);
    const int bottom = CellBorder(row + 1, image_.height(), n);
    return {left, top, right - left, bottom - top};
}

void PictureSurface::FillCell(int column, int row, int n, QColor colour) {
    CellPainter painter(*this, n);
    painter.Fill(column, row, colour);
}

void PictureSurface::FillCells(int n, std::span<const QRgb> colours) {
    if (n > 0 && colours.size() >= static_cast<std::size_t>(n) * n)
        FillBands(n, 0, n, colours);
}

void PictureSurface::FillCellRow(int n, int row, std::span<const QRgb> colours) {
    if (n > 0 && row >= 0 && row < n && colours.size() >= static_cast<std::size_t>(n))
        FillBands(n, row, row + 1, colours);
}

void PictureSurface::FillBands(int n, int first, int last, std::span<const QRgb> colours) {
    FitImage();
    if (image_.isNull())
        return;
    // Every scan line of a band of cells is the same: paint the band's first line cell by
    // cell, then copy it down the band, the lines done so far at once, doubling each time: a
    // few long copies run close to the speed of a plain memory fill. The borders are those of
    // CellRect.
    QVarLengthArray<int, 33> columnBorders(n + 1);
    for (int column = 0; column <= n; ++column)
        columnBorders[column] = CellBorder(column, image_.width(), n);
    uchar* const bits = image_.bits(); // detaches once, not once per line
    const qsizetype stride = image_.bytesPerLine();
    for (int row = first; row < last; ++row) {
        const int top = CellBorder(row, image_.height(), n);
        const int bottom = CellBorder(row + 1, image_.height(), n);
        if (top == bottom)
            continue;
        uchar* const band = bits + top * stride;
        auto* const line = reinterpret_cast<QRgb*>(band);
        const QRgb* rowColours = colours.data() + static_cast<std::size_t>(row - first) * n;
        for (int column = 0; column < n; ++column)
            std::fill(line + columnBorders[column], line + columnBorders[column + 1],
                      rowColours[column]);
        // Whole lines, padding included, so the copied lines lie end to end.
        const qsizetype bandBytes = (bottom - top) * stride;
        for (qsizetype done = stride; done < bandBytes;) {
            const qsizetype chunk = std::min(done, bandBytes - done);
            std::memcpy(band + done, band, static_cast<std::size_t>(chunk));
            done += chunk;
        }
    }
    update();
}

void PictureSurface::Clear() {
    image_.fill(background_);
    update();
}

void PictureSurface::paintEvent(QPaintEvent* event) {
    FitImage();
    QPainter painter(this);
    painter.drawImage(event->rect(), image_, event->rect());
}

void PictureSurface::resizeEvent(QResizeEvent*) {
    FitImage();
}

void PictureSurface::FitImage() {
    if (image_.size() == size())
        return;
    // The new area shows the background until the next repaint.
    QImage resized(size(), QImage::Format_RGB32);
    resized.fill(background_);
    if (!image_.isNull()) {
        QPainter painter(&resized);
        painter.drawImage(0, 0, image_);
    }
    image_ = std::move(resized);
}

PictureSurface::CellPainter::CellPainter(PictureSurface& surface, int n)
    : surface_(surface), n_(n) {
    surface_.FitImage();
    if (n_ > 0 && !surface_.image_.isNull())
        bits_ = surface_.image_.bits(); // detaches once, not once per row
}

PictureSurface::CellPainter::~CellPainter() {
    surface_.update();
}

void PictureSurface::CellPainter::Fill(int column, int row, QColor colour) {
    const QImage& image = surface_.image_;
    if (bits_ == nullptr)
        return;
    // Straight into the image's rows: a full repaint is thousands of small squares.
    const QRect cell = surface_.CellRect(column, row, n_).intersected(image.rect());
    const QRgb value = colour.rgb();
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(bits_ + y * image.bytesPerLine());
        std::fill(line + cell.left(), line + cell.left() + cell.width(), value);
    }
}

} // namespace vellicor
