#include "tools/tool_geometry.h"

#include <QTest>

using namespace vellicor;

namespace {

// '.' white, '#' black, 'd' dark grey, 'l' light grey, 'c' transparent, and 'm' a light grey
// pixel with its mask bit set too: it shows light grey but holds other bits.
PlaneBits BitsOf(QChar pixel) {
    switch (pixel.toLatin1()) {
    case '#':
        return {.light = true, .dark = true};
    case 'd':
        return {.dark = true};
    case 'l':
        return {.light = true};
    case 'c':
        return {.mask = true};
    case 'm':
        return {.light = true, .mask = true};
    default:
        return {};
    }
}

SpriteRecord RecordOf(const QStringList& rows) {
    SpriteRecord record;
    for (int y = 0; y < rows.size(); ++y)
        for (int x = 0; x < rows[y].size(); ++x)
            record.SetBits(x, y, BitsOf(rows[y][x]));
    return record;
}

// The picture with the filled cells shown as '*'.
QStringList Filled(QStringList rows, const std::vector<Cell>& cells) {
    for (const Cell cell : cells) {
        if (cell.y < 0 || cell.y >= rows.size() || cell.x < 0 || cell.x >= rows[cell.y].size())
            rows << QString("outside %1,%2").arg(cell.x).arg(cell.y);
        else if (rows[cell.y][cell.x] == '*')
            rows << QString("twice %1,%2").arg(cell.x).arg(cell.y);
        else
            rows[cell.y][cell.x] = '*';
    }
    return rows;
}

} // namespace

class TestFillRegion : public QObject {
    Q_OBJECT
  private slots:
    void fills_data();
    void fills();
    void wholeSprite();
};

void TestFillRegion::fills_data() {
    QTest::addColumn<QStringList>("picture");
    QTest::addColumn<int>("size");
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<QStringList>("filled");
    const QStringList ring{"........", ".######.", ".#....#.", ".#.dd.#.",
                           ".#....#.", ".######.", "........", "........"};
    // clang-format off
    QTest::newRow("inside a ring") << ring << 8 << QPoint(2, 4)
        << QStringList{"........", ".######.", ".#****#.", ".#*dd*#.",
                       ".#****#.", ".######.", "........", "........"};
    QTest::newRow("around a ring") << ring << 8 << QPoint(7, 7)
        << QStringList{"********", "*######*", "*#....#*", "*#.dd.#*",
                       "*#....#*", "*######*", "********", "********"};
    QTest::newRow("one grey level") << ring << 8 << QPoint(4, 3)
        << QStringList{"........", ".######.", ".#....#.", ".#.**.#.",
                       ".#....#.", ".######.", "........", "........"};
    QTest::newRow("diagonal contact is no way through")
        << QStringList{"...#....", "...#....", "...#....", "####....",
                       "....####", "....#...", "....#...", "....#..."} << 8 << QPoint(5, 1)
        << QStringList{"...#****", "...#****", "...#****", "####****",
                       "....####", "....#...", "....#...", "....#..."};
    QTest::newRow("masked grey is not plain grey")
        << QStringList{"llllmlll", "lccccccl"} << 8 << QPoint(0, 0)
        << QStringList{"****mlll", "*ccccccl"};
    QTest::newRow("masked grey alone")
        << QStringList{"llllmlll", "ccccmccc"} << 8 << QPoint(4, 0)
        << QStringList{"llll*lll", "cccc*ccc"};
    QTest::newRow("transparent is not white")
        << QStringList{"..cc....", ".c..c...", "..cc...."} << 8 << QPoint(2, 1)
        << QStringList{"..cc....", ".c**c...", "..cc...."};
    // The region winds in and out again: it grows up and down more than once.
    QTest::newRow("spiral")
        << QStringList{"........", "#######.", "......#.", ".####.#.",
                       ".#..#.#.", ".#.##.#.", ".#....#.", ".######."} << 8 << QPoint(3, 4)
        << QStringList{"........", "#######.", "******#.", "*####*#.",
                       "*#**#*#.", "*#*##*#.", "*#****#.", "*######."};
    QTest::newRow("stops at the size")
        << QStringList{"........", "........", "........", "........",
                       "........", "........", "........", "........"} << 4 << QPoint(3, 0)
        << QStringList{"****....", "****....", "****....", "****....",
                       "........", "........", "........", "........"};
    QTest::newRow("start right of the size") << QStringList{"......"} << 4 << QPoint(4, 0)
                                             << QStringList{"......"};
    QTest::newRow("start left of the sprite") << QStringList{"......"} << 4 << QPoint(-1, 0)
                                              << QStringList{"......"};
    QTest::newRow("no size chosen") << QStringList{"......"} << 0 << QPoint(0, 0)
                                    << QStringList{"......"};
    // clang-format on
}

void TestFillRegion::fills() {
    QFETCH(QStringList, picture);
    QFETCH(int, size);
    QFETCH(QPoint, start);
    QFETCH(QStringList, filled);
    QCOMPARE(Filled(picture, FillRegion(RecordOf(picture), size, {start.x(), start.y()})), filled);
}

void TestFillRegion::wholeSprite() {
    // Every pixel of a blank 32 x 32 sprite, in rows from the top, none of them twice.
    const std::vector<Cell> cells = FillRegion(SpriteRecord{}, 32, {31, 31});
    QCOMPARE(cells.size(), std::size_t(32 * 32));
    for (std::size_t i = 0; i < cells.size(); ++i)
        QCOMPARE(cells[i], Cell(static_cast<int>(i % 32), static_cast<int>(i / 32)));
}

QTEST_APPLESS_MAIN(TestFillRegion)
#include "test_fill_region.moc"
