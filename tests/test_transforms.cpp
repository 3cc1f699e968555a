// The Image menu through its keys and menu entries on real editor windows, against pixel tables
// worked out by hand: each command on a whole sprite and on a selection of 4 x 2 cells whose
// turn is cut off at the top edge, at sizes 8 and 32, then undone and redone.
#include "main_window/image_commands.h"
#include "support/app_fixture.h"
#include "support/sprite_letters.h"

#include <QMenuBar>
#include <QUndoStack>

using namespace vellicor;

namespace {

const QString kColours = QStringLiteral("BDLWT");

// The cells of the sprite's top-left `size` x `size` square other than `background`, row by
// row, as "B0,0 D1,0".
QString Cells(const SpriteRecord& sprite, int size, QChar background = 'W') {
    QStringList cells;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (const QChar letter = Letter(sprite.Bits(x, y)); letter != background)
                cells << QStringLiteral("%1%2,%3").arg(letter).arg(x).arg(y);
    return cells.join(' ');
}

const char* const kWhole = "B0,0 D1,0 L0,1 T2,2";
const char* const kSeeds[] = {"D0,0 B4,0 D5,0 T6,1 L7,1 D5,2",
                              "D0,0 B28,0 D29,0 T30,1 L31,1 D29,2"};

} // namespace

class TestTransforms : public QObject {
    Q_OBJECT
  private slots:
    void commands_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("selected"); // cells 4..7 x 0..1, or 28..31 at size 32
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("cells");
        const auto row = [](int size, bool selected, const char* action, const char* cells) {
            QTest::addRow("%d %s %s", size, selected ? "selection" : "whole", action)
                << size << selected << QString::fromLatin1(action) << QString::fromLatin1(cells);
        };
        row(8, false, "FlipHorizontal", "D6,0 B7,0 L7,1 T5,2");
        row(8, false, "FlipVertical", "T2,5 L0,6 B0,7 D1,7");
        row(8, false, "RotateClockwise", "L6,0 B7,0 D7,1 T5,2");
        row(8, false, "RotateCounterClockwise", "T2,5 D0,6 B0,7 L1,7");
        row(8, false, "Rotate180", "T5,5 L7,6 D6,7 B7,7");
        row(8, false, "ShiftLeft", "D0,0 B7,0 L7,1 T1,2");
        row(8, false, "ShiftRight", "B1,0 D2,0 L1,1 T3,2");
        row(8, false, "ShiftUp", "L0,0 T2,1 B0,7 D1,7");
        row(8, false, "ShiftDown", "B0,1 D1,1 L0,2 T2,3");
        row(8, false, "InvertGreys", "W0,0 L1,0 D0,1 T2,2"); // all but these black
        row(32, false, "FlipHorizontal", "D30,0 B31,0 L31,1 T29,2");
        row(32, false, "FlipVertical", "T2,29 L0,30 B0,31 D1,31");
        row(32, false, "RotateClockwise", "L30,0 B31,0 D31,1 T29,2");
        row(32, false, "RotateCounterClockwise", "T2,29 D0,30 B0,31 L1,31");
        row(32, false, "Rotate180", "T29,29 L31,30 D30,31 B31,31");
        row(32, false, "ShiftLeft", "D0,0 B31,0 L31,1 T1,2");
        row(32, false, "ShiftRight", "B1,0 D2,0 L1,1 T3,2");
        row(32, false, "ShiftUp", "L0,0 T2,1 B0,31 D1,31");
        row(32, false, "ShiftDown", "B0,1 D1,1 L0,2 T2,3");
        row(32, false, "InvertGreys", "W0,0 L1,0 D0,1 T2,2");
        // A quarter turn makes the 4 x 2 cells 2 x 4 about the same centre: one column in, one
        // row above the edge (lost) and one below over D5,2; the columns it leaves go clear.
        row(8, true, "FlipHorizontal", "D0,0 D6,0 B7,0 L4,1 T5,1 D5,2");
        row(8, true, "FlipVertical", "D0,0 T6,0 L7,0 B4,1 D5,1 D5,2");
        row(8, true, "RotateClockwise", "D0,0 T4,0 D6,0 T7,0 T4,1 T5,1 T7,1 L5,2");
        row(8, true, "RotateCounterClockwise", "D0,0 T4,0 T6,0 T7,0 T4,1 D5,1 T7,1 B5,2");
        row(8, true, "Rotate180", "D0,0 L4,0 T5,0 D6,1 B7,1 D5,2");
        row(8, true, "ShiftLeft", "D0,0 D4,0 B7,0 T5,1 L6,1 D5,2");
        row(8, true, "ShiftRight", "D0,0 B5,0 D6,0 L4,1 T7,1 D5,2");
        row(8, true, "ShiftUp", "D0,0 T6,0 L7,0 B4,1 D5,1 D5,2");
        row(8, true, "ShiftDown", "D0,0 T6,0 L7,0 B4,1 D5,1 D5,2");
        row(8, true, "InvertGreys", "D0,0 L5,0 B6,0 B7,0 B4,1 B5,1 T6,1 D7,1 D5,2");
        row(32, true, "FlipHorizontal", "D0,0 D30,0 B31,0 L28,1 T29,1 D29,2");
        row(32, true, "FlipVertical", "D0,0 T30,0 L31,0 B28,1 D29,1 D29,2");
        row(32, true, "RotateClockwise", "D0,0 T28,0 D30,0 T31,0 T28,1 T29,1 T31,1 L29,2");
        row(32, true, "RotateCounterClockwise", "D0,0 T28,0 T30,0 T31,0 T28,1 D29,1 T31,1 B29,2");
        row(32, true, "Rotate180", "D0,0 L28,0 T29,0 D30,1 B31,1 D29,2");
        row(32, true, "ShiftLeft", "D0,0 D28,0 B31,0 T29,1 L30,1 D29,2");
        row(32, true, "ShiftRight", "D0,0 B29,0 D30,0 L28,1 T31,1 D29,2");
        row(32, true, "ShiftUp", "D0,0 T30,0 L31,0 B28,1 D29,1 D29,2");
        row(32, true, "ShiftDown", "D0,0 T30,0 L31,0 B28,1 D29,1 D29,2");
        row(32, true, "InvertGreys", "D0,0 L29,0 B30,0 B31,0 B28,1 B29,1 T30,1 D31,1 D29,2");
    }

    // Through the key where the command has one, else its menu entry; one step, undone and
    // redone by Edit's own actions.
    void commands() {
        QFETCH(int, size);
        QFETCH(bool, selected);
        QFETCH(QString, action);
        QFETCH(QString, cells);
        AppFixture app;
        const Editor editor = app.NewBall(size);
        const QString seed = QString::fromLatin1(selected ? kSeeds[size / 32] : kWhole);
        app.main->Document().BeginStroke(0);
        for (const QString& cell : seed.split(' ')) {
            const QStringList xy = cell.mid(1).split(',');
            app.Paint(xy[0].toInt(), xy[1].toInt(), kPaletteColours[kColours.indexOf(cell[0])]);
        }
        app.main->Document().EndStroke();
        editor.Canvas()->setFocus();
        if (selected) {
            app.ClickToolbar("select");
            editor.Stroke({{size - 4, 0}, {size - 1, 1}});
        }
        QAction* command = app.Action(qPrintable("mnuImage" + action));
        QVERIFY(command->isEnabled());
        if (command->shortcut().isEmpty())
            command->trigger();
        else
            QTest::keySequence(editor.Canvas(), command->shortcut());
        const SpriteRecord& sprite = app.main->Table().Record(0);
        const QChar background = !selected && action == "InvertGreys" ? 'B' : 'W';
        QCOMPARE(Cells(sprite, size, background), cells);
        // A quarter turn of the 4 x 2 selection stands where its pixels went, cut at the top.
        const bool turned = action == "RotateClockwise" || action == "RotateCounterClockwise";
        if (selected)
            QCOMPARE(editor.window->SelectedCells().value_or(QRect()),
                     turned ? QRect(size - 3, 0, 2, 3) : QRect(size - 4, 0, 4, 2));
        QCOMPARE(app.main->Document().History(0)->undoText(), command->text().remove('&'));
        QVERIFY(app.main->isWindowModified());
        app.Action("mnuEditUndo")->trigger();
        QCOMPARE(Cells(sprite, size), seed);
        app.Action("mnuEditRedo")->trigger();
        QCOMPARE(Cells(sprite, size, background), cells);
    }

    // The menu sits before View and waits for an editor with a sized sprite; its keys act only
    // while the focus is in the editors' area, never in the tree or the header view.
    void keysOnlyInEditors() {
        AppFixture app;
        const QList<QAction*> menus = app.main->menuBar()->actions();
        QCOMPARE(menus.indexOf(app.Find<QMenu>("mnuImage")->menuAction()) + 1,
                 menus.indexOf(app.Find<QMenu>("mnuView")->menuAction()));
        QAction* flip = app.Action("mnuImageFlipHorizontal");
        QCOMPARE(flip->shortcut(), QKeySequence(QStringLiteral("Shift+H")));
        const Editor editor = app.NewBall();
        QVERIFY(!flip->isEnabled());
        editor.ChooseSize(8);
        QVERIFY(flip->isEnabled());
        app.Paint(0, 0, kBlack);
        app.Action("mnuViewHeader")->trigger();
        for (QWidget* outside : {static_cast<QWidget*>(app.Tree()), app.Find("txtHeader")}) {
            outside->setFocus();
            QTest::keyClick(outside, Qt::Key_H, Qt::ShiftModifier);
            QTest::keyClick(outside, Qt::Key_Right, Qt::ControlModifier);
        }
        QCOMPARE(Cells(app.main->Table().Record(0), 8), QString("B0,0"));
        editor.Canvas()->setFocus();
        QTest::keyClick(editor.Canvas(), Qt::Key_H, Qt::ShiftModifier);
        QTest::keyClick(editor.Canvas(), Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(Cells(app.main->Table().Record(0), 8), QString("B7,1"));
        editor.window->close();
        QVERIFY(!flip->isEnabled());
    }
};

QTEST_MAIN(TestTransforms)
#include "test_transforms.moc"
