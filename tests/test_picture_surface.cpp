#include "editor/picture_surface.h"

#include <QTest>
#include <vector>

using namespace vellicor;

namespace {

// A different colour for every cell, so a cell one pixel too wide or too narrow shows.
std::vector<QRgb> Checkerboard(int n) {
    std::vector<QRgb> colours;
    for (int row = 0; row < n; ++row)
        for (int column = 0; column < n; ++column)
            colours.push_back(qRgb(column * 7, row * 7, (column + row) % 2 ? 255 : 0));
    return colours;
}

// Where the colour changes along the surface's top row and left column.
QList<int> Changes(const QImage& image, bool alongRow) {
    QList<int> changes;
    const int length = alongRow ? image.width() : image.height();
    for (int i = 1; i < length; ++i) {
        const QPoint at = alongRow ? QPoint(i, 0) : QPoint(0, i);
        const QPoint before = alongRow ? QPoint(i - 1, 0) : QPoint(0, i - 1);
        if (image.pixel(at) != image.pixel(before))
            changes << i;
    }
    return changes;
}

} // namespace

class TestPictureSurface : public QObject {
    Q_OBJECT
  private slots:
    void wholeGridMatchesCellByCell_data();
    void wholeGridMatchesCellByCell();
    void cellBorders();
    void oneRowOfCells();
};

void TestPictureSurface::wholeGridMatchesCellByCell_data() {
    QTest::addColumn<int>("side");
    QTest::addColumn<int>("n");
    for (int side : {556, 139, 73, 20, 5})
        for (int n : {8, 16, 32})
            QTest::addRow("%d pixels, %d cells", side, n) << side << n;
}

void TestPictureSurface::wholeGridMatchesCellByCell() {
    QFETCH(int, side);
    QFETCH(int, n);
    const std::vector<QRgb> colours = Checkerboard(n);
    PictureSurface byCell(Qt::darkBlue, nullptr);
    PictureSurface whole(Qt::darkBlue, nullptr);
    byCell.resize(side, side);
    whole.resize(side, side);
    for (int row = 0; row < n; ++row)
        for (int column = 0; column < n; ++column)
            byCell.FillCell(column, row, n, QColor::fromRgb(colours[row * n + column]));
    whole.FillCells(n, colours);
    QCOMPARE(whole.Image(), byCell.Image());
    // With at least a pixel per cell, the cells cover the whole surface.
    int background = 0;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            background += whole.Image().pixel(x, y) == QColor(Qt::darkBlue).rgb() ? 1 : 0;
    if (side >= n)
        QCOMPARE(background, 0);
}

void TestPictureSurface::cellBorders() {
    // 73 pixels in 8 cells: borders at 73 k / 8 = 9.125, 18.25, 27.375, 36.5, 45.625, 54.75 and
    // 63.875, rounded, halves away from zero.
    PictureSurface surface(Qt::darkBlue, nullptr);
    surface.resize(73, 73);
    surface.FillCells(8, Checkerboard(8));
    const QList<int> borders{9, 18, 27, 37, 46, 55, 64};
    QCOMPARE(Changes(surface.Image(), true), borders);
    QCOMPARE(Changes(surface.Image(), false), borders);
}

void TestPictureSurface::oneRowOfCells() {
    PictureSurface surface(Qt::darkBlue, nullptr);
    surface.resize(73, 73);
    const std::vector<QRgb> row(8, qRgb(0, 255, 255));
    surface.FillCellRow(8, 3, row);
    // Row 3 spans the lines 27 to 36; nothing else is painted.
    for (int y = 0; y < 73; ++y) {
        const QRgb expected = y >= 27 && y < 37 ? qRgb(0, 255, 255) : QColor(Qt::darkBlue).rgb();
        QCOMPARE(surface.Image().pixel(0, y), expected);
        QCOMPARE(surface.Image().pixel(72, y), expected);
    }
}

QTEST_MAIN(TestPictureSurface)
#include "test_picture_surface.moc"
