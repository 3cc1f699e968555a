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

// The cells as rows of '#' on '.', over the box with corners a and b; a cell outside the box
// or painted twice shows as an extra row.
QStringList Picture(const std::vector<Cell>& cells, QPoint a, QPoint b) {
    const int left = std::min(a.x(), b.x());
    const int top = std::min(a.y(), b.y());
    QStringList rows(std::abs(a.y() - b.y()) + 1, QString(std::abs(a.x() - b.x()) + 1, '.'));
    for (const Cell cell : cells) {
        const int x = cell.x - left;
        const int y = cell.y - top;
        if (y < 0 || y >= rows.size() || x < 0 || x >= rows[y].size())
            rows << QString("outside %1,%2").arg(cell.x).arg(cell.y);
        else if (rows[y][x] == '#')
            rows << QString("twice %1,%2").arg(cell.x).arg(cell.y);
        else
            rows[y][x] = '#';
    }
    return rows;
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

} // namespace

class TestToolShapes : public QObject {
    Q_OBJECT
  private slots:
    void lines_data();
    void lines();
    void linesInEveryDirection();
    void rectangles_data();
    void rectangles();
    void ellipses_data();
    void ellipses();
    void ellipsesOfEveryBox();
    void squareCorner_data();
    void squareCorner();
    void clipToSprite();
};

void TestToolShapes::lines_data() {
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QStringList>("rows");
    // clang-format off
    QTest::newRow("one cell") << QPoint(3, 3) << QPoint(3, 3) << QStringList{"#"};
    QTest::newRow("horizontal") << QPoint(0, 0) << QPoint(4, 0) << QStringList{"#####"};
    QTest::newRow("vertical up") << QPoint(2, 3) << QPoint(2, 0) << QStringList{"#", "#", "#", "#"};
    QTest::newRow("diagonal") << QPoint(0, 0) << QPoint(3, 3)
                              << QStringList{"#...", ".#..", "..#.", "...#"};
    QTest::newRow("shallow down") << QPoint(0, 0) << QPoint(5, 2)
                                  << QStringList{"##....", "..##..", "....##"};
    QTest::newRow("shallow up") << QPoint(0, 2) << QPoint(5, 0)
                                << QStringList{"....##", "..##..", "##...."};
    QTest::newRow("steep") << QPoint(0, 0) << QPoint(2, 5)
                           << QStringList{"#..", "#..", ".#.", ".#.", "..#", "..#"};
    QTest::newRow("steep leftward") << QPoint(2, 0) << QPoint(0, 5)
                                    << QStringList{"..#", "..#", ".#.", ".#.", "#..", "#.."};
    // Exactly between two rows at x = 2: the lower one, seen from the left end.
    QTest::newRow("tie") << QPoint(0, 0) << QPoint(4, 1) << QStringList{"##...", "..###"};
    QTest::newRow("tie reversed") << QPoint(4, 1) << QPoint(0, 0) << QStringList{"##...", "..###"};
    QTest::newRow("off the sprite") << QPoint(-2, -1) << QPoint(1, 0)
                                    << QStringList{"##..", "..##"};
    // clang-format on
}

void TestToolShapes::lines() {
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QStringList, rows);
    const std::vector<Cell> cells = LineCells(ToCell(from), ToCell(to));
    QCOMPARE(Picture(cells, from, to), rows);
    QCOMPARE(cells.front(), ToCell(from));
    QCOMPARE(cells.back(), ToCell(to));
}

void TestToolShapes::linesInEveryDirection() {
    for (int x = -7; x <= 7; ++x) {
        for (int y = -7; y <= 7; ++y) {
            const Cell from{1, -2};
            const Cell to{from.x + x, from.y + y};
            const std::vector<Cell> cells = LineCells(from, to);
            QCOMPARE(cells.size(), std::size_t(std::max(std::abs(x), std::abs(y)) + 1));
            QCOMPARE(cells.front(), from);
            QCOMPARE(cells.back(), to);
            for (std::size_t i = 1; i < cells.size(); ++i)
                QVERIFY(Touching(cells[i - 1], cells[i]));
            std::vector<Cell> back = LineCells(to, from);
            std::reverse(back.begin(), back.end());
            QVERIFY(back == cells);
        }
    }
}

void TestToolShapes::rectangles_data() {
    QTest::addColumn<QPoint>("a");
    QTest::addColumn<QPoint>("b");
    QTest::addColumn<QStringList>("rows");
    // clang-format off
    QTest::newRow("1 x 1") << QPoint(5, 5) << QPoint(5, 5) << QStringList{"#"};
    QTest::newRow("1 x 3") << QPoint(0, 2) << QPoint(0, 0) << QStringList{"#", "#", "#"};
    QTest::newRow("3 x 1") << QPoint(2, 0) << QPoint(0, 0) << QStringList{"###"};
    QTest::newRow("2 x 2") << QPoint(0, 0) << QPoint(1, 1) << QStringList{"##", "##"};
    QTest::newRow("4 x 3 from bottom right") << QPoint(3, 2) << QPoint(0, 0)
                                             << QStringList{"####", "#..#", "####"};
    QTest::newRow("from top right") << QPoint(4, -1) << QPoint(0, 3)
                                    << QStringList{"#####", "#...#", "#...#", "#...#", "#####"};
    // clang-format on
}

void TestToolShapes::rectangles() {
    QFETCH(QPoint, a);
    QFETCH(QPoint, b);
    QFETCH(QStringList, rows);
    const std::vector<Cell> cells = RectangleCells(ToCell(a), ToCell(b));
    QCOMPARE(Picture(cells, a, b), rows);
    // One stroke round the box, clockwise from the top left.
    QCOMPARE(cells.front(), Cell(std::min(a.x(), b.x()), std::min(a.y(), b.y())));
    for (std::size_t i = 1; i < cells.size(); ++i)
        QVERIFY(Touching(cells[i - 1], cells[i]));
}

void TestToolShapes::ellipses_data() {
    QTest::addColumn<QPoint>("a");
    QTest::addColumn<QPoint>("b");
    QTest::addColumn<QStringList>("rows");
    // clang-format off
    QTest::newRow("1 x 1") << QPoint(4, 4) << QPoint(4, 4) << QStringList{"#"};
    QTest::newRow("2 x 2") << QPoint(1, 1) << QPoint(0, 0) << QStringList{"##", "##"};
    QTest::newRow("1 x 4") << QPoint(0, 0) << QPoint(0, 3) << QStringList{"#", "#", "#", "#"};
    QTest::newRow("2 x 3") << QPoint(0, 0) << QPoint(1, 2) << QStringList{"##", "##", "##"};
    QTest::newRow("3 x 3") << QPoint(0, 0) << QPoint(2, 2) << QStringList{".#.", "#.#", ".#."};
    QTest::newRow("4 x 4") << QPoint(0, 0) << QPoint(3, 3) << QStringList{".##.", "#..#", "#..#", ".##."};
    QTest::newRow("5 x 5") << QPoint(0, 0) << QPoint(4, 4)
                           << QStringList{".###.", "#...#", "#...#", "#...#", ".###."};
    QTest::newRow("3 x 6") << QPoint(0, 0) << QPoint(2, 5)
                           << QStringList{".#.", "#.#", "#.#", "#.#", "#.#", ".#."};
    QTest::newRow("8 x 5") << QPoint(0, 0) << QPoint(7, 4)
                           << QStringList{"..####..", ".#....#.", "#......#", ".#....#.", "..####.."};
    // Ends thinner than two pixels: the two middle rows each reach the side.
    QTest::newRow("9 x 4") << QPoint(0, 0) << QPoint(8, 3)
                           << QStringList{"..#####..", "##.....##", "##.....##", "..#####.."};
    QTest::newRow("7 x 7") << QPoint(6, 6) << QPoint(0, 0)
                           << QStringList{"..###..", ".#...#.", "#.....#", "#.....#", "#.....#",
                                          ".#...#.", "..###.."};
    QTest::newRow("12 x 12") << QPoint(-3, -3) << QPoint(8, 8)
                             << QStringList{"....####....", "..##....##..", ".#........#.",
                                            ".#........#.", "#..........#", "#..........#",
                                            "#..........#", "#..........#", ".#........#.",
                                            ".#........#.", "..##....##..", "....####...."};
    // clang-format on
}

void TestToolShapes::ellipses() {
    QFETCH(QPoint, a);
    QFETCH(QPoint, b);
    QFETCH(QStringList, rows);
    QCOMPARE(Picture(EllipseCells(ToCell(a), ToCell(b)), a, b), rows);
}

void TestToolShapes::ellipsesOfEveryBox() {
    for (int width = 1; width <= 32; ++width) {
        for (int height = 1; height <= 32; ++height) {
            const QByteArray box = QByteArray::number(width) + " x " + QByteArray::number(height);
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

void TestToolShapes::squareCorner_data() {
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<QPoint>("corner");
    // From the anchor (5, 5).
    QTest::newRow("wider than tall") << QPoint(8, 6) << QPoint(8, 8);
    QTest::newRow("taller than wide") << QPoint(6, 9) << QPoint(9, 9);
    QTest::newRow("up and left") << QPoint(1, 3) << QPoint(1, 1);
    QTest::newRow("left and down") << QPoint(2, 6) << QPoint(2, 8);
    QTest::newRow("straight up") << QPoint(5, 1) << QPoint(9, 1);
    QTest::newRow("on the anchor") << QPoint(5, 5) << QPoint(5, 5);
}

void TestToolShapes::squareCorner() {
    QFETCH(QPoint, pointer);
    QFETCH(QPoint, corner);
    QCOMPARE(SquareCorner({5, 5}, ToCell(pointer)), ToCell(corner));
}

void TestToolShapes::clipToSprite() {
    // A circle dragged past the top left corner of a sprite.
    const std::vector<Cell> circle = EllipseCells({-2, -2}, SquareCorner({-2, -2}, {4, 1}));
    QCOMPARE(Picture(ClipToSprite(circle, 5), {0, 0}, {4, 4}),
             (QStringList{"....#", "....#", "....#", "...#.", "###.."}));
    const std::vector<Cell> line = LineCells({-1, 7}, {9, 7});
    const std::vector<Cell> kept = ClipToSprite(line, 8);
    QVERIFY(std::equal(kept.begin(), kept.end(), line.begin() + 1, line.end() - 2));
}

QTEST_APPLESS_MAIN(TestToolShapes)
#include "test_tool_shapes.moc"
