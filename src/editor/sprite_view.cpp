#include "sprite_view.h"

#include "qt_colour.h"

#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace vellicor {
namespace {

// Beyond this many cells one repaint of the whole surface costs less than a region of them.
constexpr std::size_t kMostCellsByRegion = 64;

// The borders of an n-cell row on a side, from 0 to the side.
std::array<int, kPlaneSide + 1> Borders(int side, int n) {
    std::array<int, kPlaneSide + 1> borders{};
    for (int k = 0; k <= n; ++k)
        borders[k] = CellBorder(k, side, n);
    return borders;
}

} // namespace

int CellBorder(int index, int side, int n) {
    return static_cast<int>(std::lround(static_cast<double>(index) * side / n));
}

SpriteView::SpriteView(QColor background, QWidget* parent)
    : QWidget(parent), background_(background) {
    setAttribute(Qt::WA_OpaquePaintEvent); // the cells cover every pixel
}

void SpriteView::ShowSprite(RecordSource source, const CellOverlay* overlay,
                            const Selection* selection) {
    source_ = std::move(source);
    overlay_ = overlay;
    selection_ = selection;
    update();
}

int SpriteView::GridSize() const {
    const SpriteRecord* record = source_ ? source_() : nullptr;
    return record != nullptr ? std::clamp<int>(record->Size, 0, kPlaneSide) : 0;
}

void SpriteView::UpdateCells(const std::vector<Cell>& cells) {
    const int n = GridSize();
    if (n == 0 || cells.empty())
        return;
    if (cells.size() > kMostCellsByRegion) {
        update();
        return;
    }
    QRegion region;
    for (const Cell& cell : cells) {
        if (cell.x < 0 || cell.y < 0 || cell.x >= n || cell.y >= n)
            continue;
        const int left = CellBorder(cell.x, width(), n);
        const int top = CellBorder(cell.y, height(), n);
        region += QRect(left, top, CellBorder(cell.x + 1, width(), n) - left,
                        CellBorder(cell.y + 1, height(), n) - top);
    }
    update(region);
}

void SpriteView::UpdateArea(QRect cells) {
    const int n = GridSize();
    if (n == 0 || cells.isEmpty())
        return;
    const QPoint topLeft(CellBorder(cells.left(), width(), n),
                         CellBorder(cells.top(), height(), n));
    const QPoint end(CellBorder(cells.right() + 1, width(), n),
                     CellBorder(cells.bottom() + 1, height(), n));
    // A pixel more on each side for the outline drawn along the cells' borders.
    update(QRect(topLeft, end).adjusted(-1, -1, 1, 1));
}

void SpriteView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const int n = GridSize();
    if (n == 0) {
        painter.fillRect(event->rect(), background_);
        return;
    }
    const SpriteRecord& record = *source_();
    // Each cell's colour once: the record's, under the floating pixels, under a tool's preview.
    std::array<QRgb, kPlaneSide * kPlaneSide> shown{};
    const bool floating = selection_ != nullptr && selection_->IsFloating();
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const auto lifted = floating ? selection_->Shown(x, y) : std::nullopt;
            shown[y * kPlaneSide + x] = ToQRgb(ColourForBits(lifted.value_or(record.Bits(x, y))));
        }
    if (overlay_ != nullptr)
        for (const Cell& cell : overlay_->cells)
            if (cell.x >= 0 && cell.y >= 0 && cell.x < n && cell.y < n)
                shown[cell.y * kPlaneSide + cell.x] = ToQRgb(overlay_->colour);
    const auto colour = [&](int x, int y) { return shown[y * kPlaneSide + x]; };

    const auto columns = Borders(width(), n);
    const auto rows = Borders(height(), n);
    int tallest = 0;
    for (int y = 0; y < n; ++y)
        tallest = std::max(tallest, rows[y + 1] - rows[y]);
    for (const QRect& area : event->region()) {
        // Every scan line of a row of cells is the same: the band's first line is painted cell
        // by cell, then copied down, the lines done so far at once, doubling each time, and the
        // band goes to the screen in one piece. A full repaint runs close to a memory fill.
        QImage band(area.width(), std::min(area.height(), tallest), QImage::Format_RGB32);
        uchar* const bits = band.bits();
        const qsizetype stride = band.bytesPerLine();
        for (int y = 0; y < n; ++y) {
            const int top = std::max(rows[y], area.top());
            const int bottom = std::min(rows[y + 1], area.bottom() + 1);
            if (top >= bottom)
                continue;
            auto* const line = reinterpret_cast<QRgb*>(bits);
            for (int x = 0; x < n; ++x) {
                const int left = std::max(columns[x], area.left()) - area.left();
                const int right = std::min(columns[x + 1], area.right() + 1) - area.left();
                if (left < right)
                    std::fill(line + left, line + right, colour(x, y));
            }
            const qsizetype bandBytes = (bottom - top) * stride;
            for (qsizetype done = stride; done < bandBytes;) {
                const qsizetype chunk = std::min(done, bandBytes - done);
                std::memcpy(bits + done, bits, static_cast<std::size_t>(chunk));
                done += chunk;
            }
            painter.drawImage(QPoint(area.left(), top), band,
                              QRect(0, 0, area.width(), bottom - top));
        }
    }
}

} // namespace vellicor
