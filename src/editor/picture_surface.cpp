#include "picture_surface.h"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>

namespace vellicor {
namespace {

int Border(int index, int side, int n) {
    return static_cast<int>(std::lround(static_cast<double>(index) * side / n));
}

} // namespace

PictureSurface::PictureSurface(QColor background, QWidget* parent)
    : QWidget(parent), background_(background) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QRect PictureSurface::CellRect(int column, int row, int n) const {
    const int left = Border(column, image_.width(), n);
    const int top = Border(row, image_.height(), n);
    const int right = Border(column + 1, image_.width(), n);
    const int bottom = Border(row + 1, image_.height(), n);
    return {left, top, right - left, bottom - top};
}

void PictureSurface::FillCell(int column, int row, int n, QColor colour) {
    CellPainter painter(*this, n);
    painter.Fill(column, row, colour);
}

void PictureSurface::paintEvent(QPaintEvent* event) {
    FitImage();
    QPainter painter(this);
    painter.drawImage(event->rect(), image_, event->rect());
}

void PictureSurface::resizeEvent(QResizeEvent*) { FitImage(); }

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
    if (!surface_.image_.isNull() && n_ > 0)
        painter_.emplace(&surface_.image_);
}

PictureSurface::CellPainter::~CellPainter() {
    painter_.reset();
    surface_.update();
}

void PictureSurface::CellPainter::Fill(int column, int row, QColor colour) {
    if (painter_)
        painter_->fillRect(surface_.CellRect(column, row, n_), colour);
}

} // namespace vellicor
