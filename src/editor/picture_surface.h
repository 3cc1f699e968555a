#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>
#include <span>

namespace vellicor {

// Where the border before cell `index` of an n-cell row falls on a surface `side` pixels long:
// rounded from the exact real-valued position, so neighbouring cells meet without gap or overlap.
int CellBorder(int index, int side, int n);

// A drawing surface that keeps what was painted on it in an image of its own, so covering
// and uncovering the window never loses the picture.
class PictureSurface : public QWidget {
    Q_OBJECT
  public:
    PictureSurface(QColor background, QWidget* parent);

    QColor Background() const { return background_; }
    const QImage& Image() const { return image_; }

    // Fills one cell of an n x n grid that covers the whole surface. Cell borders are rounded
    // from the exact real-valued corners, so neighbouring cells meet without gap or overlap.
    void FillCell(int column, int row, int n, QColor colour);
    // Fills every cell of the n x n grid, exactly as FillCell would: `colours` holds n x n
    // opaque colours, row by row from the top, each row from the left. The fast path of a full
    // repaint, as close to a plain memory fill as the cells allow.
    void FillCells(int n, std::span<const QRgb> colours);
    // Fills the one row of cells `row` of the n x n grid from n colours, left to right.
    void FillCellRow(int n, int row, std::span<const QRgb> colours);
    // Back to the plain background.
    void Clear();

    // Paints single cells with one look at the image each time, for a few cells at once.
    class CellPainter;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QRect CellRect(int column, int row, int n) const;
    // The rows of cells from `first` up to `last` (excluded) of the n x n grid, colours starting
    // at the first row's.
    void FillBands(int n, int first, int last, std::span<const QRgb> colours);
    // Brings the image to the widget's size, keeping what is painted.
    void FitImage();

    QColor background_;
    QImage image_;
};

class PictureSurface::CellPainter {
  public:
    CellPainter(PictureSurface& surface, int n);
    ~CellPainter();
    CellPainter(const CellPainter&) = delete;
    CellPainter& operator=(const CellPainter&) = delete;

    void Fill(int column, int row, QColor colour);

  private:
    PictureSurface& surface_;
    int n_;
    uchar* bits_ = nullptr;
};

} // namespace vellicor
