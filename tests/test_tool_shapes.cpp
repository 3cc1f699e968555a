// The drawing tools' pixel geometry without a window: hand-drawn pictures of a few shapes and
// fills, and sweeps over every direction and box for what no table could list.
#include "tools/tool_geometry.h"

#include <QTest>
#include <algorithm>
#include <set>
#include <utility>

using namespace vellicor;

namespace {

Cell ToCell(QPoint point) {
    return {point.x(), point.y()};
}

// `rows` with each cell, seen from `origin`, marked as `ink`; a cell outside the rows or marked
// twice shows as an extra row.
QStringList Marked(QStringList rows, const std::vector<Cell>& cells, QPoint origin, QChar ink) {
    for (const Cell cell : cells) {
        const int x = cell.x - origin.x();
        const int y = cell.y - origin.y();
        if (y < 0 || y >= rows.size() || x < 0 || x >= rows[y].size())
            rows << QString("outside %1,%2").arg(cell.x).arg(cell.y);
        else if (rows[y][x] == ink)
            rows << QString("twice %1,%2").arg(cell.x).arg(cell.y);
        else
            rows[y][x] = ink;
    }
    return rows;
}

// The cells as rows of '#' on '.' over the box with corners a and b.
QStringList Picture(const std::vector<Cell>& cells, QPoint a, QPoint b) {
    const QStringList blank(std::abs(a.y() - b.y()) + 1, QString(std::abs(a.x() - b.x()) + 1, '.'));
    return Marked(blank, cells, {std::min(a.x(), b.x()), std::min(a.y(), b.y())}, '#');
}

bool Touching(Cell a, Cell b) {
    return std::max(std::abs(a.x - b.x), std::abs(a.y - b.y)) == 1;
}

using CellSet = std::set<std::pair<int, int>>;

CellSet SetOf(const std::vector<Cell>& cells) {
    CellSet set;
    for (const Cell cell : cells)
        set.insert({cell.x, cell.y});
    return set;
}

int NeighbourCount(const CellSet& set, int x, int y) {
    int count = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            count += (dx != 0 || dy != 0) && set.count({x + dx, y + dy}) ? 1 : 0;
    return count;
}

bool Connected(const CellSet& set) {
    CellSet reached{*set.begin()};
    for (std::vector open{*set.begin()}; !open.empty();) {
        const auto [x, y] = open.back();
        open.pop_back();
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (set.count({x + dx, y + dy}) && reached.insert({x + dx, y + dy}).second)
                    open.push_back({x + dx, y + dy});
    }
    return reached.size() == set.size();
}

// A sprite from rows of '.' white, '#' black, 'd' dark grey, 'c' transparent, 'l' light grey
// and 'm' a light grey pixel with its mask bit set too: it looks light grey but holds other bits.
SpriteRecord RecordOf(const QStringList& rows) {
    SpriteRecord record;
    for (int y = 0; y < rows.size(); ++y) {
        for (int x = 0; x < rows[y].size(); ++x) {
            const char pixel = rows[y][x].toLatin1();
            record.SetBits(x, y,
                           {.light = pixel == '#' || pixel == 'l' || pixel == 'm',
                            .dark = pixel == '#' || pixel == 'd',
                            .mask = pixel == 'c' || pixel == 'm'});
        }
    }
    return record;
}

} // namespace

class TestToolShapes : public QObject {
    Q_OBJECT
  private slots:
    void shapes_data() {
        QTest::addColumn<QString>("shape");
        QTest::addColumn<QPoint>("a"); // a line's start, or a box's corner
        QTest::addColumn<QPoint>("b");
        QTest::addColumn<QStringList>("rows");
        // clang-format off
        QTest::newRow("line, shallow down") << "line" << QPoint(0, 0) << QPoint(5, 2) << QStringList{"##....", "..##..", "....##"};
        QTest::newRow("line, shallow up") << "line" << QPoint(0, 2) << QPoint(5, 0) << QStringList{"....##", "..##..", "##...."};
        QTest::newRow("line, steep leftward") << "line" << QPoint(2, 0) << QPoint(0, 5) << QStringList{"..#", "..#", ".#.", ".#.", "#..", "#.."};
        // Exactly between two rows at x = 2: the lower one, seen from the left end.
        QTest::newRow("line, tie") << "line" << QPoint(0, 0) << QPoint(4, 1) << QStringList{"##...", "..###"};
        QTest::newRow("line, off the sprite") << "line" << QPoint(-2, -1) << QPoint(1, 0) << QStringList{"##..", "..##"};
        QTest::newRow("rectangle, 3 x 1") << "rectangle" << QPoint(2, 0) << QPoint(0, 0) << QStringList{"###"};
        QTest::newRow("rectangle, 2 x 2") << "rectangle" << QPoint(0, 0) << QPoint(1, 1) << QStringList{"##", "##"};
        QTest::newRow("rectangle, from top right") << "rectangle" << QPoint(4, -1) << QPoint(0, 2)
            << QStringList{"#####", "#...#", "#...#", "#####"};
        QTest::newRow("ellipse, 3 x 3") << "ellipse" << QPoint(0, 0) << QPoint(2, 2) << QStringList{".#.", "#.#", ".#."};
        QTest::newRow("ellipse, 3 x 6") << "ellipse" << QPoint(0, 0) << QPoint(2, 5) << QStringList{".#.", "#.#", "#.#", "#.#", "#.#", ".#."};
        QTest::newRow("ellipse, 8 x 5") << "ellipse" << QPoint(0, 0) << QPoint(7, 4)
            << QStringList{"..####..", ".#....#.", "#......#", ".#....#.", "..####.."};
        // Ends thinner than two pixels: the two middle rows each reach the side.
        QTest::newRow("ellipse, 9 x 4") << "ellipse" << QPoint(0, 0) << QPoint(8, 3)
            << QStringList{"..#####..", "##.....##", "##.....##", "..#####.."};
        QTest::newRow("ellipse, 12 x 12") << "ellipse" << QPoint(-3, -3) << QPoint(8, 8)
            << QStringList{"....####....", "..##....##..", ".#........#.", ".#........#.", "#..........#", "#..........#",
                           "#..........#", "#..........#", ".#........#.", ".#........#.", "..##....##..", "....####...."};
        // clang-format on
    }

    void shapes() {
        QFETCH(QString, shape);
        QFETCH(QPoint, a);
        QFETCH(QPoint, b);
        QFETCH(QStringList, rows);
        const auto draw = shape == "line"        ? LineCells
                          : shape == "rectangle" ? RectangleCells
                                                 : EllipseCells;
        const std::vector<Cell> cells = draw(ToCell(a), ToCell(b));
        QCOMPARE(Picture(cells, a, b), rows);
        if (shape == "rectangle") { // one stroke round the box, clockwise from the top left
            QCOMPARE(cells.front(), Cell(std::min(a.x(), b.x()), std::min(a.y(), b.y())));
            for (std::size_t i = 1; i < cells.size(); ++i)
                QVERIFY(Touching(cells[i - 1], cells[i]));
        }
    }

    void linesInEveryDirection() {
        for (int x = -7; x <= 7; ++x) {
            for (int y = -7; y <= 7; ++y) {
                const Cell from{1, -2};
                const Cell to{from.x + x, from.y + y};
                const std::vector<Cell> cells = LineCells(from, to);
                QCOMPARE(cells.size(), std::size_t(std::max(std::abs(x), std::abs(y)) + 1));
                QVERIFY(cells.front() == from && cells.back() == to);
                for (std::size_t i = 1; i < cells.size(); ++i)
                    QVERIFY(Touching(cells[i - 1], cells[i]));
                std::vector<Cell> back = LineCells(to, from);
                std::reverse(back.begin(), back.end());
                QVERIFY(back == cells);
            }
        }
    }

    void ellipsesOfEveryBox() {
        for (int width = 1; width <= 32; ++width) {
            for (int height = 1; height <= 32; ++height) {
                const QByteArray box =
                    QByteArray::number(width) + " x " + QByteArray::number(height);
                const Cell a{-4, 7};
                const Cell b{a.x + width - 1, a.y + height - 1};
                const std::vector<Cell> cells = EllipseCells(b, a);
                const CellSet set = SetOf(cells);
                QVERIFY2(set.size() == cells.size(), box);
                QVERIFY2(Connected(set), box);
                // The same outline from the other two corners, and turned on its side.
                QVERIFY2(SetOf(EllipseCells({a.x, b.y}, {b.x, a.y})) == set, box);
                CellSet turned;
                for (const Cell cell : EllipseCells({0, 0}, {height - 1, width - 1}))
                    turned.insert({a.x + cell.y, a.y + cell.x});
                QVERIFY2(turned == set, box);
                int left = a.x, right = a.x, top = a.y, bottom = a.y;
                for (const auto& [x, y] : set) {
                    // Mirror images in both axes, and about the diagonal for a circle.
                    QVERIFY2(set.count({a.x + b.x - x, y}) && set.count({x, a.y + b.y - y}), box);
                    QVERIFY2(width != height || set.count({a.x + y - a.y, a.y + x - a.x}), box);
                    left = std::min(left, x), right = std::max(right, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                    // A one-pixel line: only tips narrower than the pixels can touch themselves.
                    const int shorter = std::min(width, height);
                    if (shorter >= 5 && std::max(width, height) <= 3 * shorter)
                        QVERIFY2(NeighbourCount(set, x, y) == 2, box);
                }
                QVERIFY2(left == a.x && right == b.x && top == a.y && bottom == b.y, box);
            }
        }
    }

    void squareCornerAndClipping() {
        // From the anchor (5, 5): the longer extent, laid toward the pointer.
        const std::pair<Cell, Cell> corners[] = {{{8, 6}, {8, 8}},
                                                 {{6, 9}, {9, 9}},
                                                 {{1, 3}, {1, 1}},
                                                 {{5, 1}, {9, 1}},
                                                 {{5, 5}, {5, 5}}};
        for (const auto& [pointer, corner] : corners)
            QCOMPARE(SquareCorner({5, 5}, pointer), corner);

        // A circle dragged past the top left corner of a sprite.
        const std::vector<Cell> circle = EllipseCells({-2, -2}, SquareCorner({-2, -2}, {4, 1}));
        QCOMPARE(Picture(ClipToSprite(circle, 5), {0, 0}, {4, 4}),
                 (QStringList{"....#", "....#", "....#", "...#.", "###.."}));
        const std::vector<Cell> line = LineCells({-1, 7}, {9, 7});
        const std::vector<Cell> kept = ClipToSprite(line, 8);
        QVERIFY(std::equal(kept.begin(), kept.end(), line.begin() + 1, line.end() - 2));
    }

    void fills_data() {
        QTest::addColumn<QStringList>("picture");
        QTest::addColumn<int>("size");
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<QStringList>("filled"); // the filled pixels as '*'
        const QStringList ring{"........", ".######.", ".#....#.", ".#.dd.#.",
                               ".#....#.", ".######.", "........", "........"};
        // clang-format off
        QTest::newRow("inside a ring") << ring << 8 << QPoint(2, 4)
            << QStringList{"........", ".######.", ".#****#.", ".#*dd*#.", ".#****#.", ".######.", "........", "........"};
        QTest::newRow("diagonal contact is no way through")
            << QStringList{"...#....", "...#....", "...#....", "####....", "....####", "....#...", "....#...", "....#..."} << 8 << QPoint(5, 1)
            << QStringList{"...#****", "...#****", "...#****", "####****", "....####", "....#...", "....#...", "....#..."};
        QTest::newRow("masked grey is not plain grey") << QStringList{"llllmlll", "lccccccl"} << 8 << QPoint(0, 0)
            << QStringList{"****mlll", "*ccccccl"};
        // The region winds in and out again: it grows up and down more than once.
        QTest::newRow("spiral")
            << QStringList{"........", "#######.", "......#.", ".####.#.", ".#..#.#.", ".#.##.#.", ".#....#.", ".######."} << 8 << QPoint(3, 4)
            << QStringList{"........", "#######.", "******#.", "*####*#.", "*#**#*#.", "*#*##*#.", "*#****#.", "*######."};
        QTest::newRow("start right of the size") << QStringList{"......"} << 4 << QPoint(4, 0) << QStringList{"......"};
        QTest::newRow("no size chosen") << QStringList{"......"} << 0 << QPoint(0, 0) << QStringList{"......"};
        // clang-format on
    }

    void fills() {
        QFETCH(QStringList, picture);
        QFETCH(int, size);
        QFETCH(QPoint, start);
        QFETCH(QStringList, filled);
        const std::vector<Cell> cells = FillRegion(RecordOf(picture), size, ToCell(start));
        QCOMPARE(Marked(picture, cells, {0, 0}, '*'), filled);
    }

    void fillOfAWholeSprite() {
        // Every pixel of a blank 32 x 32 sprite, in rows from the top, none of them twice.
        const std::vector<Cell> cells = FillRegion(SpriteRecord{}, 32, {31, 31});
        QCOMPARE(cells.size(), std::size_t(32 * 32));
        for (std::size_t i = 0; i < cells.size(); ++i)
            QCOMPARE(cells[i], Cell(static_cast<int>(i % 32), static_cast<int>(i / 32)));
    }
};

QTEST_APPLESS_MAIN(TestToolShapes)
#include "test_tool_shapes.moc"
