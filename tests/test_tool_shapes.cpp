// The drawing tools' pixel geometry without a window: hand-drawn pictures of a few shapes and
// fills, and sweeps over every direction and box for what no table could list.
#include "tools/tool_geometry.h"

#include <QTest>
#include <algorithm>
#include <ranges>
#include <set>
#include <utility>

using namespace vellicor;

namespace {

// `rows` with each cell, seen from `origin`, marked as `ink`; a cell outside the rows or marked
// twice shows as an extra row.
QStringList Marked(QStringList rows, const std::vector<Cell>& cells, Cell origin, QChar ink) {
    for (const Cell cell : cells) {
        const int x = cell.x - origin.x;
        const int y = cell.y - origin.y;
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
QStringList Picture(const std::vector<Cell>& cells, Cell a, Cell b) {
    const QStringList blank(std::abs(a.y - b.y) + 1, QString(std::abs(a.x - b.x) + 1, '.'));
    return Marked(blank, cells, {std::min(a.x, b.x), std::min(a.y, b.y)}, '#');
}

// Each cell touches the one before it.
bool Unbroken(const std::vector<Cell>& cells) {
    return std::ranges::adjacent_find(cells, [](Cell a, Cell b) {
               return std::max(std::abs(a.x - b.x), std::abs(a.y - b.y)) != 1;
           }) == cells.end();
}

struct RowOrder {
    bool operator()(Cell a, Cell b) const { return std::pair(a.y, a.x) < std::pair(b.y, b.x); }
};
using CellSet = std::set<Cell, RowOrder>;

CellSet SetOf(const std::vector<Cell>& cells) {
    return {cells.begin(), cells.end()};
}

// The cells of `set` among the eight around `cell`.
std::vector<Cell> Around(const CellSet& set, Cell cell) {
    std::vector<Cell> around;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if ((dx != 0 || dy != 0) && set.count({cell.x + dx, cell.y + dy}))
                around.push_back({cell.x + dx, cell.y + dy});
    return around;
}

bool Connected(const CellSet& set) {
    CellSet reached{*set.begin()};
    for (std::vector open{*set.begin()}; !open.empty();) {
        const Cell cell = open.back();
        open.pop_back();
        for (const Cell next : Around(set, cell))
            if (reached.insert(next).second)
                open.push_back(next);
    }
    return reached.size() == set.size();
}

// A sprite from rows of '.' white, '#' black, 'd' dark grey, 'c' transparent, 'l' light grey
// and 'm' a light grey pixel with its mask bit set too: it looks light grey but holds other bits.
SpriteRecord RecordOf(const QStringList& rows) {
    SpriteRecord record;
    for (int y = 0; y < rows.size(); ++y) {
        for (int x = 0; x < rows[y].size(); ++x) {
            // A letter's place in the string is its bits: light 1, dark 2, mask 4.
            const auto bits = QString(".ld#cm").indexOf(rows[y][x]);
            record.SetBits(
                x, y, {.light = (bits & 1) != 0, .dark = (bits & 2) != 0, .mask = (bits & 4) != 0});
        }
    }
    return record;
}

} // namespace

Q_DECLARE_METATYPE(vellicor::Cell)

class TestToolShapes : public QObject {
    Q_OBJECT
  private slots:
    void shapes_data() {
        QTest::addColumn<QString>("shape");
        QTest::addColumn<Cell>("a"); // a line's start, or a box's corner
        QTest::addColumn<Cell>("b");
        QTest::addColumn<QStringList>("rows");
        // clang-format off
        QTest::newRow("line, shallow down") << "line" << Cell{0, 0} << Cell{5, 2} << QStringList{"##....", "..##..", "....##"};
        QTest::newRow("line, shallow up") << "line" << Cell{0, 2} << Cell{5, 0} << QStringList{"....##", "..##..", "##...."};
        QTest::newRow("line, steep leftward") << "line" << Cell{2, 0} << Cell{0, 5} << QStringList{"..#", "..#", ".#.", ".#.", "#..", "#.."};
        // Exactly between two rows at x = 2: the lower one, seen from the left end.
        QTest::newRow("line, tie") << "line" << Cell{0, 0} << Cell{4, 1} << QStringList{"##...", "..###"};
        QTest::newRow("line, off the sprite") << "line" << Cell{-2, -1} << Cell{1, 0} << QStringList{"##..", "..##"};
        QTest::newRow("rectangle, 3 x 1") << "rectangle" << Cell{2, 0} << Cell{0, 0} << QStringList{"###"};
        QTest::newRow("rectangle, 2 x 2") << "rectangle" << Cell{0, 0} << Cell{1, 1} << QStringList{"##", "##"};
        QTest::newRow("rectangle, from top right") << "rectangle" << Cell{4, -1} << Cell{0, 2} << QStringList{"#####", "#...#", "#...#", "#####"};
        QTest::newRow("ellipse, 3 x 3") << "ellipse" << Cell{0, 0} << Cell{2, 2} << QStringList{".#.", "#.#", ".#."};
        QTest::newRow("ellipse, 3 x 6") << "ellipse" << Cell{0, 0} << Cell{2, 5} << QStringList{".#.", "#.#", "#.#", "#.#", "#.#", ".#."};
        QTest::newRow("ellipse, 8 x 5") << "ellipse" << Cell{0, 0} << Cell{7, 4} << QStringList{"..####..", ".#....#.", "#......#", ".#....#.", "..####.."};
        // Ends thinner than two pixels: the two middle rows each reach the side.
        QTest::newRow("ellipse, 9 x 4") << "ellipse" << Cell{0, 0} << Cell{8, 3} << QStringList{"..#####..", "##.....##", "##.....##", "..#####.."};
        QTest::newRow("ellipse, 12 x 12") << "ellipse" << Cell{-3, -3} << Cell{8, 8} << QStringList{"....####....", "..##....##..",
            ".#........#.", ".#........#.", "#..........#", "#..........#", "#..........#", "#..........#", ".#........#.", ".#........#.", "..##....##..", "....####...."};
        // clang-format on
    }

    void shapes() {
        QFETCH(QString, shape);
        QFETCH(Cell, a);
        QFETCH(Cell, b);
        QFETCH(QStringList, rows);
        const auto draw = shape == "line"        ? LineCells
                          : shape == "rectangle" ? RectangleCells
                                                 : EllipseCells;
        const std::vector<Cell> cells = draw(a, b);
        QCOMPARE(Picture(cells, a, b), rows);
        if (shape == "rectangle") { // one stroke round the box, clockwise from the top left
            QCOMPARE(cells.front(), Cell(std::min(a.x, b.x), std::min(a.y, b.y)));
            QVERIFY(Unbroken(cells));
        }
    }

    void linesInEveryDirection() {
        const Cell from{1, -2};
        for (int x = -7; x <= 7; ++x) {
            for (int y = -7; y <= 7; ++y) {
                const Cell to{from.x + x, from.y + y};
                const std::vector<Cell> cells = LineCells(from, to);
                QCOMPARE(cells.size(), std::size_t(std::max(std::abs(x), std::abs(y)) + 1));
                QVERIFY(cells.front() == from && cells.back() == to && Unbroken(cells));
                QVERIFY(std::ranges::equal(LineCells(to, from) | std::views::reverse, cells));
            }
        }
    }

    void ellipsesOfEveryBox() {
        for (int width = 1; width <= 32; ++width) {
            for (int height = 1; height <= 32; ++height) {
                const QByteArray box = QString("%1 x %2").arg(width).arg(height).toLatin1();
                const Cell a{-4, 7};
                const Cell b{a.x + width - 1, a.y + height - 1};
                const std::vector<Cell> cells = EllipseCells(b, a);
                const CellSet set = SetOf(cells);
                QVERIFY2(set.size() == cells.size() && Connected(set), box);
                // The same outline from the other two corners, and turned on its side.
                QVERIFY2(SetOf(EllipseCells({a.x, b.y}, {b.x, a.y})) == set, box);
                CellSet turned;
                for (const Cell cell : EllipseCells({0, 0}, {height - 1, width - 1}))
                    turned.insert({a.x + cell.y, a.y + cell.x});
                QVERIFY2(turned == set, box);
                // It reaches the box's left and top, so with its mirror images all four sides.
                const auto xs = set | std::views::transform(&Cell::x);
                QVERIFY2(std::ranges::min(xs) == a.x && set.begin()->y == a.y, box);
                const int shorter = std::min(width, height);
                for (const auto& [x, y] : set) {
                    // Mirror images in both axes, and about the diagonal for a circle.
                    QVERIFY2(set.count({a.x + b.x - x, y}) && set.count({x, a.y + b.y - y}), box);
                    QVERIFY2(width != height || set.count({a.x + y - a.y, a.y + x - a.x}), box);
                    // A one-pixel line: only tips narrower than the pixels can touch themselves.
                    if (shorter >= 5 && std::max(width, height) <= 3 * shorter)
                        QVERIFY2(Around(set, {x, y}).size() == 2, box);
                }
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
        // The picture with the filled pixels as '*', and what those pixels were before.
        QTest::addColumn<QStringList>("filled");
        QTest::addColumn<QChar>("was");
        QTest::addColumn<int>("size");
        QTest::addColumn<Cell>("start");
        // clang-format off
        QTest::newRow("inside a ring") << QStringList{"........", ".######.", ".#****#.", ".#*dd*#.", ".#****#.", ".######.", "........", "........"} << QChar('.') << 8 << Cell{2, 4};
        QTest::newRow("diagonal contact is no way through") << QStringList{"...#****", "...#****", "...#****", "####****", "....####", "....#...", "....#...", "....#..."} << QChar('.') << 8 << Cell{5, 1};
        QTest::newRow("masked grey is not plain grey") << QStringList{"****mlll", "*ccccccl"} << QChar('l') << 8 << Cell{0, 0};
        // The region winds in and out again: it grows up and down more than once.
        QTest::newRow("spiral") << QStringList{"........", "#######.", "******#.", "*####*#.", "*#**#*#.", "*#*##*#.", "*#****#.", "*######."} << QChar('.') << 8 << Cell{3, 4};
        QTest::newRow("start right of the size") << QStringList{"......"} << QChar('.') << 4 << Cell{4, 0};
        QTest::newRow("no size chosen") << QStringList{"......"} << QChar('.') << 0 << Cell{0, 0};
        // clang-format on
    }

    void fills() {
        QFETCH(QStringList, filled);
        QFETCH(QChar, was);
        QFETCH(int, size);
        QFETCH(Cell, start);
        const QStringList picture = QStringList(filled).replaceInStrings("*", was);
        QCOMPARE(Marked(picture, FillRegion(RecordOf(picture), size, start), {0, 0}, '*'), filled);
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
