// Each drawing tool through real mouse events on the canvas, against pixel tables drawn by hand,
// and how tools and colours are chosen.
#include "editor/qt_colour.h"
#include "export/header_text.h"
#include "support/app_fixture.h"

#include <QSettings>
#include <QStandardPaths>
#include <QUndoStack>

using namespace vellicor;

namespace {

// Pixel letters of the pictures below: '.' white, '#' black, 'd' dark grey, 'l' light grey and
// 'c' transparent.
const QString kLetters = QStringLiteral("#dl.c");

struct ToolFixture : AppFixture {
    Editor editor;
    Qt::MouseButtons held; // by the events run
    QPoint last;           // where they left the pointer, on the canvas

    explicit ToolFixture(int size) : editor(NewBall(size)) {}
    void Tool(const char* key) {
        QAction* action = main->ToolbarAction(key);
        if (!action->isChecked())
            action->trigger();
    }
    void Seed(const QStringList& rows) {
        main->Document().BeginStroke(0);
        for (int y = 0; y < rows.size(); ++y)
            for (int x = 0; x < rows[y].size(); ++x)
                Paint(x, y, kPaletteColours[kLetters.indexOf(rows[y][x])]);
        main->Document().EndStroke();
        editor.window->DrawSprite(); // written past the window, which is told to show it
    }
    // The top-left 8 x 8 pixels as rows of letters, as the record holds them or as the canvas
    // shows them.
    QStringList Rows(bool shown = false) const {
        const QImage canvas = editor.Canvas()->grab().toImage();
        QStringList rows(8);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                const Rgb colour = shown ? canvas.pixel(editor.At({x, y})) & 0xFFFFFFU
                                         : ColourForBits(main->Table().Record(0).Bits(x, y));
                rows[y] += kLetters[std::find(kPaletteColours, kPaletteColours + 5, colour) -
                                    kPaletteColours];
            }
        return rows;
    }
    // Events on the canvas, apart by "; ": "press x,y" (held buttons stay down), "move x,y",
    // "release" (every button) or "escape"; "right" presses the right button, "shift" and "ctrl"
    // hold their keys.
    void Run(const QString& events) {
        QWidget* canvas = editor.Canvas();
        for (const QString& event : events.split("; ")) {
            const QStringList words = event.split(' ');
            const QStringList xy = words.value(1).split(',');
            const QPoint at = editor.At({xy.value(0).toInt(), xy.value(1).toInt()});
            const Qt::KeyboardModifiers keys =
                (words.contains("shift") ? Qt::ShiftModifier : Qt::NoModifier) |
                (words.contains("ctrl") ? Qt::ControlModifier : Qt::NoModifier);
            const Qt::MouseButton button =
                words.contains("right") ? Qt::RightButton : Qt::LeftButton;
            if (words[0] == "press") {
                QTest::mousePress(canvas, button, keys, last = at);
                held |= button;
            } else if (words[0] == "move") {
                QTest::mouseEvent(QTest::MouseMove, canvas, Qt::NoButton, keys, last = at);
            } else if (words[0] == "release") {
                for (const Qt::MouseButton each : {Qt::RightButton, Qt::LeftButton})
                    if (held.testFlag(each))
                        QTest::mouseRelease(canvas, each, keys, last);
                held = {};
            } else {
                QTest::keyClick(canvas, Qt::Key_Escape);
            }
        }
    }
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

    void drags_data() {
        // Pictures as rows apart by '/', events apart by "; ".
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("events");
        QTest::addColumn<QString>("after"); // rows not given stay white
        QTest::addColumn<QString>("steps"); // the steps the drags add to the history
        // clang-format off
        QTest::newRow("pencil, one far move") << "pencil" << "" << "press 0,0; move 7,3; release" << "ll....../..ll..../....ll../......ll" << "Paint";
        QTest::newRow("pencil, off the canvas and back") << "pencil" << "" << "press 5,1; move 12,1; move 12,3; move 5,3; release"
            << "......../.....lll/......../.....lll" << "Paint";
        QTest::newRow("pencil, shift: a line from the last pixel") << "pencil" << "" << "press 1,1; release; press 5,3 shift; release"
            << "......../.l....../..ll..../....ll.." << "Paint Paint";
        // Where a second button goes down, the stroke goes on in the colour of both: black.
        QTest::newRow("pencil, right then left too") << "pencil" << "" << "press 0,0 right; move 1,0; press 1,0; release" << "d#......" << "Paint";
        QTest::newRow("eraser, any button") << "eraser" << "//dddddddd" << "press 0,2 right; move 3,2; release" << "//ccccdddd" << "Erase";
        QTest::newRow("rectangle, to where the drag ends") << "rectangle" << "" << "press 5,3; move 3,5; move 1,1; release"
            << "......../.lllll../.l...l../.lllll.." << "Rectangle";
        QTest::newRow("rectangle, shift: a square") << "rectangle" << "" << "press 1,1 shift; move 5,3 shift; release shift"
            << "......../.lllll../.l...l../.l...l../.l...l../.lllll.." << "Rectangle";
        QTest::newRow("circle, shift let go before the release") << "circle" << "" << "press 0,0 shift; move 4,2 shift; release" << ".lll..../l...l.../.lll...." << "Circle";
        QTest::newRow("rectangle, pressed outside the sprite") << "rectangle" << "" << "press 9,1; move 3,3; release" << "" << "";
        // Ctrl + press paints nothing: the buttons take the pixels' colours and paint with them.
        QTest::newRow("ctrl picks colours") << "pencil" << "//..d/...c"
            << "press 2,2 ctrl; release; press 3,3 right ctrl; release; press 0,0; release; press 1,0 right; release"
            << "dc....../......../..d...../...c...." << "Paint Paint";
        // Around a grey ring, up to the size; the region shapes are drawn in test_tool_shapes.
        QTest::newRow("fill") << "fill" << "/.ddddd/.d...d/.d...d/.d...d/.ddddd" << "press 0,7; release"
            << "llllllll/ldddddll/ld...dll/ld...dll/ld...dll/ldddddll/llllllll/llllllll" << "Fill";
        // clang-format on
    }

    void drags() {
        QFETCH(QString, tool);
        QFETCH(QString, before);
        QFETCH(QString, events);
        QFETCH(QString, after);
        QFETCH(QString, steps);
        ToolFixture app(8);
        app.main->SwatchPress(2, Qt::LeftButton);  // light grey
        app.main->SwatchPress(1, Qt::RightButton); // dark grey
        app.Seed(before.split('/'));
        app.Tool(qPrintable(tool));
        const std::string unpainted = HeaderText(app.main->Table());
        QUndoStack* history = app.main->Document().History(0);
        const int count = history->count();

        app.Run(events);

        QStringList rows = after.split('/');
        rows.resize(8);
        for (QString& row : rows)
            row = row.leftJustified(8, '.');
        QCOMPARE(app.Rows(), rows);
        QCOMPARE(app.Rows(true), rows);      // the canvas shows what the record holds
        for (int y = 0; y < kPlaneSide; ++y) // nothing beyond the size is touched
            for (int x = y < 8 ? 8 : 0; x < kPlaneSide; ++x)
                QCOMPARE(app.main->Table().Record(0).Bits(x, y), PlaneBits{});

        // Each drag is one step, undone and redone as one.
        const QStringList names = steps.split(' ', Qt::SkipEmptyParts);
        QCOMPARE(history->count(), count + names.size());
        const std::string painted = HeaderText(app.main->Table());
        for (qsizetype i = names.size() - 1; i >= 0; --i) {
            QCOMPARE(history->undoText(), names[i]);
            history->undo();
        }
        QCOMPARE(HeaderText(app.main->Table()), unpainted);
        while (history->canRedo())
            history->redo();
        QCOMPARE(HeaderText(app.main->Table()), painted);
    }

    void fastPencilDragAtSize32() {
        ToolFixture app(32);
        app.editor.Zoom()->setValue(60);
        app.Run("press 1,1; move 30,1; move 30,20; release");
        const SpriteRecord& record = app.main->Table().Record(0);
        QCOMPARE(record.PlaneDark.Row(1, 32), 0x7FFFFFFEU);
        for (int y = 2; y <= 20; ++y)
            QCOMPARE(record.PlaneDark.Row(y, 32), 0x00000002U);
        QCOMPARE(record.PlaneDark.Row(21, 32), 0U);
        QCOMPARE(app.main->Document().History(0)->count(), 2); // size, stroke

        // Dragged out past either edge, the status counts on and the row is clipped at the edge.
        app.Run("press 0,25; move 40,25");
        QCOMPARE(app.CellStatus(), QString("41 x 26"));
        app.Run("move -3,25");
        QCOMPARE(app.CellStatus(), QString("-2 x 26"));
        app.Run("release");
        QCOMPARE(record.PlaneDark.Row(25, 32), 0xFFFFFFFFU);
        QCOMPARE(record.PlaneDark.Row(24, 32) | record.PlaneDark.Row(26, 32), 0U);
    }

    void escapeCancelsTheShape() {
        ToolFixture app(8);
        app.Tool("rectangle");
        app.Run("press 1,1; move 4,4");
        QCOMPARE(app.Rows(true)[1], QString(".####..."));         // shown while dragged
        QVERIFY(app.main->Table().Record(0).PlaneDark.IsClear()); // but not yet written
        app.Run("escape");
        QCOMPARE(app.Rows(true)[1], QString("........"));
        app.Run("move 5,5; release"); // the buttons still held release into nothing
        QVERIFY(app.main->Table().Record(0).PlaneDark.IsClear());
        QCOMPARE(app.main->Document().History(0)->count(), 1); // the size only
    }

    // One tool at most is down, chosen by its button or by its key while an editor has the focus.
    // Swatches act on the press; the middle button and the current-colour squares do nothing.
    void toolsAndColoursByButtonAndKey() {
        ToolFixture app(8);
        const std::pair<Qt::Key, const char*> keys[] = {
            {Qt::Key_E, "eraser"}, {Qt::Key_C, "circle"}, {Qt::Key_R, "rectangle"},
            {Qt::Key_F, "fill"},   {Qt::Key_G, "fill"},   {Qt::Key_B, "pencil"},
            {Qt::Key_P, "pencil"}};
        app.Run("press 0,0; release"); // the canvas has the focus, as after any click
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

    void pixelGrid() {
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
};

QTEST_MAIN(TestDrawingTools)
#include "test_drawing_tools.moc"
