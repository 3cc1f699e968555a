// Each drawing tool through real mouse events on the canvas, against pixel tables drawn by hand.
#include "editor/qt_colour.h"
#include "export/header_text.h"
#include "support/app_fixture.h"

#include <QAction>
#include <QSettings>
#include <QStandardPaths>
#include <QUndoStack>

using namespace vellicor;

namespace {

struct ToolFixture : AppFixture {
    Editor editor;

    explicit ToolFixture(int size) : editor(NewBall(size)) {}
    QPoint At(QPoint cell) const {
        const int n = editor.CheckedSize();
        return Editor::CellCentre(editor.Canvas(), cell.x(), cell.y(), n);
    }
    void Press(QPoint cell, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers keys = {}) {
        QTest::mousePress(editor.Canvas(), button, keys, At(cell));
    }
    void Move(QPoint cell, Qt::KeyboardModifiers keys = {}) {
        QTest::mouseEvent(QTest::MouseMove, editor.Canvas(), Qt::NoButton, keys, At(cell));
    }
    void Release(QPoint cell, Qt::MouseButton button = Qt::LeftButton,
                 Qt::KeyboardModifiers keys = {}) {
        QTest::mouseRelease(editor.Canvas(), button, keys, At(cell));
    }
    void Tool(const char* key) {
        QAction* action = main->ToolbarAction(key);
        if (!action->isChecked())
            action->trigger();
    }
    void Seed(const QStringList& rows, Rgb colour) {
        main->Document().BeginStroke(0);
        for (int y = 0; y < rows.size(); ++y)
            for (int x = 0; x < rows[y].size(); ++x)
                if (rows[y][x] == '#')
                    Paint(x, y, colour);
        main->Document().EndStroke();
    }
    // The top-left side x side pixels as rows of "#" (the colour asked about) and "." (any other).
    QStringList Rows(Rgb colour, int side = 8) const {
        QStringList rows;
        for (int y = 0; y < side; ++y) {
            QString row;
            for (int x = 0; x < side; ++x)
                row += ColourForBits(main->Table().Record(0).Bits(x, y)) == colour ? '#' : '.';
            rows << row;
        }
        return rows;
    }
    QRgb CanvasCell(QPoint cell) const { return Editor::PixelAt(editor.Canvas(), At(cell)); }
    // The pressed tool buttons; the toolbar lets at most one be down.
    QStringList PressedTools() const {
        QStringList pressed;
        for (const char* key : {"pencil", "eraser", "circle", "rectangle", "fill"})
            if (main->ToolbarAction(key)->isChecked())
                pressed << key;
        return pressed;
    }
    // The colours of the left and right mouse buttons.
    QString Colours() const {
        return QString("%1 %2")
            .arg(ToRgb(Find<ColourSwatch>("picFore")->Colour()), 0, 16)
            .arg(ToRgb(Find<ColourSwatch>("picBack")->Colour()), 0, 16);
    }
};

} // namespace

class TestDrawingTools : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void shapes_data();
    void shapes();
    void fastPencilDragAtSize32();
    void escapeCancelsTheShape();
    void ctrlPicksAColour();
    void toolsAndColoursByButtonAndKey();
    void pixelGrid();
};

void TestDrawingTools::shapes_data() {
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QList<QPoint>>("path"); // press, moves, release
    QTest::addColumn<bool>("shift");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("step");
    // clang-format off
    QTest::newRow("pencil, one far move") << "pencil" << QList<QPoint>{{0, 0}, {7, 3}} << false
        << QStringList{"##......", "..##....", "....##..", "......##", "........"} << "Paint";
    QTest::newRow("pencil, off the canvas and back") << "pencil"
        << QList<QPoint>{{5, 1}, {12, 1}, {12, 3}, {5, 3}} << false
        << QStringList{"........", ".....###", "........", ".....###", "........"} << "Paint";
    QTest::newRow("eraser") << "eraser" << QList<QPoint>{{0, 2}, {3, 2}} << false
        << QStringList{"........", "........", "####....", "........"} << "Erase";
    QTest::newRow("rectangle") << "rectangle" << QList<QPoint>{{5, 3}, {3, 5}, {1, 1}} << false
        << QStringList{"........", ".#####..", ".#...#..", ".#####..", "........"} << "Rectangle";
    QTest::newRow("rectangle, shift") << "rectangle" << QList<QPoint>{{1, 1}, {5, 3}} << true
        << QStringList{"........", ".#####..", ".#...#..", ".#...#..", ".#...#..", ".#####..",
                       "........"} << "Rectangle";
    QTest::newRow("rectangle, one pixel") << "rectangle" << QList<QPoint>{{2, 2}, {2, 2}} << false
        << QStringList{"........", "........", "..#....."} << "Rectangle";
    QTest::newRow("circle, 2 x 2") << "circle" << QList<QPoint>{{3, 3}, {4, 4}} << false
        << QStringList{"........", "........", "........", "...##...", "...##...", "........"}
        << "Circle";
    QTest::newRow("circle, shift") << "circle" << QList<QPoint>{{0, 0}, {4, 2}} << true
        << QStringList{".###....", "#...#...", "#...#...", "#...#...", ".###....", "........"}
        << "Circle";
    // Around a grey ring, up to the size; the region shapes are drawn by hand in test_tool_shapes.
    QTest::newRow("fill") << "fill" << QList<QPoint>{{0, 7}} << false
        << QStringList{"########", "#.....##", "#.....##", "#.....##", "#.....##", "#.....##",
                       "########", "########"} << "Fill";
    // clang-format on
}

void TestDrawingTools::shapes() {
    QFETCH(QString, tool);
    QFETCH(QList<QPoint>, path);
    QFETCH(bool, shift);
    QFETCH(QStringList, rows);
    QFETCH(QString, step);
    ToolFixture app(8);
    const Rgb colour = tool == "eraser" ? kTransparentCyan : kBlack;
    if (tool == "eraser")
        app.Seed({"", "", "########"}, kDarkGrey);
    if (tool == "fill")
        app.Seed({"", ".#####", ".#...#", ".#...#", ".#...#", ".#####"}, kDarkGrey);
    app.Tool(qPrintable(tool));
    const std::string before = HeaderText(app.main->Table());
    const int steps = app.main->Document().History(0)->count();

    const Qt::KeyboardModifiers keys = shift ? Qt::ShiftModifier : Qt::NoModifier;
    app.Press(path.first(), Qt::LeftButton, keys);
    for (const QPoint& cell : path.mid(1))
        app.Move(cell, keys);
    app.Release(path.last(), Qt::LeftButton, keys);

    QCOMPARE(app.Rows(colour).mid(0, rows.size()), rows);
    for (int y = 0; y < rows.size(); ++y) // the canvas shows what the record holds
        for (int x = 0; x < 8; ++x)
            QCOMPARE(app.CanvasCell({x, y}) == colour, rows[y][x] == '#');
    const QStringList whole = app.Rows(kWhite, kPlaneSide);
    for (int y = 0; y < kPlaneSide; ++y) // nothing beyond the size is touched
        QCOMPARE(whole[y].mid(y < 8 ? 8 : 0), QString(y < 8 ? 24 : 32, '#'));

    // The tool's whole result is one step, undone and redone as one.
    const std::string after = HeaderText(app.main->Table());
    QUndoStack* history = app.main->Document().History(0);
    QCOMPARE(history->count(), steps + 1);
    QCOMPARE(history->undoText(), step);
    history->undo();
    QCOMPARE(HeaderText(app.main->Table()), before);
    history->redo();
    QCOMPARE(HeaderText(app.main->Table()), after);
}

void TestDrawingTools::fastPencilDragAtSize32() {
    ToolFixture app(32);
    app.editor.Zoom()->setValue(60);
    app.Press({1, 1});
    app.Move({30, 1});
    app.Move({30, 20});
    app.Release({30, 20});
    const SpriteRecord& record = app.main->Table().Record(0);
    QCOMPARE(record.PlaneDark.Row(1, 32), 0x7FFFFFFEU);
    for (int y = 2; y <= 20; ++y)
        QCOMPARE(record.PlaneDark.Row(y, 32), 0x00000002U);
    QCOMPARE(record.PlaneDark.Row(21, 32), 0U);
    QCOMPARE(app.main->Document().History(0)->count(), 2); // size, stroke

    // Dragged out past either edge, the status counts on and the row is clipped at the edge.
    app.Press({0, 25});
    app.Move({40, 25});
    QCOMPARE(app.CellStatus(), QString("41 x 26"));
    app.Move({-3, 25});
    QCOMPARE(app.CellStatus(), QString("-2 x 26"));
    app.Release({-3, 25});
    QCOMPARE(record.PlaneDark.Row(25, 32), 0xFFFFFFFFU);
    QCOMPARE(record.PlaneDark.Row(24, 32) | record.PlaneDark.Row(26, 32), 0U);
}

void TestDrawingTools::escapeCancelsTheShape() {
    ToolFixture app(8);
    app.Tool("rectangle");
    app.Press({1, 1});
    app.Move({4, 4});
    QCOMPARE(app.CanvasCell({4, 1}), kBlack);                 // shown while dragged
    QVERIFY(app.main->Table().Record(0).PlaneDark.IsClear()); // but not yet written
    QTest::keyClick(app.editor.Canvas(), Qt::Key_Escape);
    QCOMPARE(app.CanvasCell({4, 1}), kWhite);
    app.Move({5, 5});
    app.Release({5, 5});
    QVERIFY(app.main->Table().Record(0).PlaneDark.IsClear());
    QCOMPARE(app.CanvasCell({5, 1}), kWhite);
    QCOMPARE(app.main->Document().History(0)->count(), 1); // the size only
}

void TestDrawingTools::ctrlPicksAColour() {
    ToolFixture app(8);
    app.Seed({"", "", "..#"}, kDarkGrey);
    app.Seed({"", "", "", "...#"}, kTransparentCyan);
    const std::string before = HeaderText(app.main->Table());
    app.Press({2, 2}, Qt::LeftButton, Qt::ControlModifier);
    app.Release({2, 2});
    app.Press({3, 3}, Qt::RightButton, Qt::ControlModifier);
    app.Release({3, 3}, Qt::RightButton);
    QCOMPARE(app.Colours(), QString("808080 ffff")); // dark grey, transparent
    QCOMPARE(HeaderText(app.main->Table()), before);
}

// One tool at most is down, chosen by its button or by its key while an editor has the focus.
// Swatches act on the press; the middle button and the current-colour squares do nothing.
void TestDrawingTools::toolsAndColoursByButtonAndKey() {
    ToolFixture app(8);
    const std::pair<Qt::Key, const char*> keys[] = {
        {Qt::Key_E, "eraser"}, {Qt::Key_C, "circle"}, {Qt::Key_R, "rectangle"}, {Qt::Key_F, "fill"},
        {Qt::Key_G, "fill"},   {Qt::Key_B, "pencil"}, {Qt::Key_P, "pencil"}};
    app.Press({0, 0});
    app.Release({0, 0}); // the canvas has the focus, as after any click
    for (const auto& [key, tool] : keys) {
        QTest::keyClick(app.editor.Canvas(), key);
        QCOMPARE(app.PressedTools(), QStringList{tool});
    }
    app.ClickToolbar("eraser");
    app.ClickToolbar("fill");
    QCOMPARE(app.PressedTools(), QStringList{"fill"});
    app.ClickToolbar("fill");
    QCOMPARE(app.PressedTools(), QStringList());
    app.ClickToolbar("circle");
    QTest::mousePress(app.Swatch(1), Qt::LeftButton);
    QCOMPARE(app.Colours(), QString("808080 ffffff"));
    QTest::mouseRelease(app.Swatch(1), Qt::LeftButton);
    QTest::mouseClick(app.Swatch(4), Qt::RightButton);
    QTest::mouseClick(app.Swatch(2), Qt::MiddleButton);
    QTest::mouseClick(app.Find("picBack"), Qt::LeftButton);
    app.NewProject("Other"); // tool and colours outlive the project
    QCOMPARE(app.PressedTools(), QStringList{"circle"});
    QCOMPARE(app.Colours(), QString("808080 ffff"));
}

void TestDrawingTools::pixelGrid() {
    QSettings().remove("view/pixelGrid");
    ToolFixture app(8);
    QAction* grid = app.main->findChild<QAction*>("mnuViewPixelGrid");
    QVERIFY(!grid->isChecked());
    QWidget* canvas = app.editor.Canvas();
    const int border = qRound(canvas->width() / 8.0);
    QCOMPARE(Editor::PixelAt(canvas, {border, 5}), kWhite); // off: exactly the cells
    grid->trigger();
    QVERIFY(Editor::PixelAt(canvas, {border, 5}) != kWhite);
    QCOMPARE(Editor::PixelAt(canvas, {border + 3, 5}), kWhite);
    QVERIFY(QSettings().value("view/pixelGrid").toBool()); // remembered
    app.editor.Zoom()->setValue(5);                        // cells under 4 pixels: no lines
    QCOMPARE(Editor::PixelAt(canvas, {qRound(canvas->width() / 8.0), 2}), kWhite);
    grid->trigger();
}

QTEST_MAIN(TestDrawingTools)
#include "test_drawing_tools.moc"
