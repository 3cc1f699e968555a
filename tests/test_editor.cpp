// The editor window: what it shows read back from its surfaces and from the screen, under real
// mouse events, and the surfaces' cell grid.
#include "editor/sprite_view.h"
#include "support/app_fixture.h"

#include <QMouseEvent>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QStyleOptionSlider>
#include <cmath>

using namespace vellicor;

namespace {

struct EditorFixture : AppFixture {
    Editor editor = NewBall();
    const SpriteRecord& Record() { return main->Table().Record(0); }
    // Two colours by turns, so every border between two cells shows; written past the window,
    // which is told to show it.
    void Checkerboard(Rgb odd = kBlack, Rgb even = kWhite) {
        main->Document().BeginStroke(0);
        for (int y = 0; y < kPlaneSide; ++y)
            for (int x = 0; x < kPlaneSide; ++x)
                Paint(x, y, (x + y) % 2 ? odd : even);
        main->Document().EndStroke();
        editor.window->DrawSprite();
    }
    // What the screen shows of a surface, once every repaint asked for is done.
    QImage OnScreen(QWidget* surface) {
        QApplication::processEvents();
        const QImage screen = main->screen()->grabWindow(main->winId()).toImage();
        return screen.copy(QRect(surface->mapTo(main.get(), QPoint()), surface->size()))
            .convertToFormat(QImage::Format_RGB32);
    }
};

// Where the colour changes along row (or column) `at` of a square image.
QList<int> Changes(const QImage& image, bool alongRow, int at = 0) {
    QList<int> changes;
    for (int i = 1; i < image.width(); ++i)
        if (alongRow ? image.pixel(i, at) != image.pixel(i - 1, at)
                     : image.pixel(at, i) != image.pixel(at, i - 1))
            changes << i;
    return changes;
}

} // namespace

class TestEditor : public QObject {
    Q_OBJECT
  private slots:
    // The grid setting stays out of the user's.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void blankUntilASizeIsChosen() {
        EditorFixture app;
        QWidget* canvas = app.editor.Canvas();
        QCOMPARE(app.editor.CheckedSize(), 0);
        QCOMPARE(app.editor.Zoom()->value(), 25);
        QImage blank(139, 139, QImage::Format_RGB32);
        blank.fill(qobject_cast<SpriteView*>(canvas)->Background());
        QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(60, 60));
        QTest::mouseMove(canvas, QPoint(100, 90));
        QCOMPARE(app.CellStatus(), QString("1 x 1"));
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(100, 90));
        QCOMPARE(canvas->grab().toImage(), blank);
        QVERIFY(app.Record().PlaneDark.IsClear() && app.Record().PlaneLight.IsClear());

        // Over the grey area around the canvas the status is empty; the area keeps its margins.
        QWidget* background = app.editor.Find("picBackground");
        QTest::mouseMove(background, QPoint(300, 300));
        QCOMPARE(app.CellStatus(), QString());
        app.editor.window->showNormal();
        app.editor.window->resize(400, 300);
        QCOMPARE(background->size(), app.editor.window->widget()->size() - QSize(138, 26));
    }

    void painting_data() {
        // On a 139-pixel canvas of 8 cells, the border k sits at 17.375 k.
        QTest::addColumn<int>("swatch");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("column"); // painted in row 0; -1: nothing painted
        QTest::addColumn<Rgb>("colour");
        // clang-format off
        QTest::newRow("left dark grey") << 1 << Qt::LeftButton << QPointF(60, 8) << "4 x 1" << 3 << kDarkGrey;
        QTest::newRow("right transparent") << 4 << Qt::RightButton << QPointF(60, 8) << "4 x 1" << 3 << kTransparentCyan;
        QTest::newRow("middle is black") << 3 << Qt::MiddleButton << QPointF(60, 8) << "4 x 1" << 3 << kBlack;
        QTest::newRow("first column x = 0") << 0 << Qt::LeftButton << QPointF(0, 10) << "1 x 1" << -1 << kBlack;
        QTest::newRow("first row y = 0") << 0 << Qt::LeftButton << QPointF(10, 0) << "1 x 1" << -1 << kBlack;
        QTest::newRow("odd border goes left") << 0 << Qt::LeftButton << QPointF(17.375, 1) << "1 x 1" << 0 << kBlack;
        QTest::newRow("even border goes right") << 0 << Qt::LeftButton << QPointF(34.75, 1) << "3 x 1" << 2 << kBlack;
        QTest::newRow("right edge") << 0 << Qt::LeftButton << QPointF(139, 1) << "9 x 1" << -1 << kBlack;
        QTest::newRow("last column") << 0 << Qt::LeftButton << QPointF(138.9, 1) << "8 x 1" << 7 << kBlack;
        QTest::newRow("left of the canvas") << 0 << Qt::LeftButton << QPointF(-30, 1) << "-1 x 1" << -1 << kBlack;
        // clang-format on
    }

    void painting() {
        QFETCH(int, swatch);
        QFETCH(Qt::MouseButton, button);
        QFETCH(QPointF, at);
        QFETCH(QString, status);
        QFETCH(int, column);
        QFETCH(Rgb, colour);
        EditorFixture app;
        app.editor.ChooseSize(8);
        app.Paint(3, 0, kBlack); // painting replaces all bits
        app.main->SwatchPress(swatch, button == Qt::MiddleButton ? Qt::LeftButton : button);
        // A real-valued position, as a pointing device with sub-pixel precision delivers it.
        QWidget* canvas = app.editor.Canvas();
        QMouseEvent press(QEvent::MouseButtonPress, at, canvas->mapToGlobal(at), button, button,
                          {});
        QApplication::sendEvent(canvas, &press);
        QCOMPARE(app.CellStatus(), status);
        for (int x = 0; x < kPlaneSide; ++x) // the pixel under the pointer and nothing else
            QCOMPARE(app.Record().Bits(x, 0),
                     *BitsForColour(x == column ? colour : (x == 3 ? kBlack : kWhite)));
        if (column < 0)
            return;
        QCOMPARE(Editor::CellColour(canvas, column, 0, 8), colour);
        QCOMPARE(Editor::CellColour(app.editor.Preview(), column, 0, 8), colour);
        // The release repaints every cell from the record.
        QTest::mouseRelease(canvas, button, {}, at.toPoint());
        QCOMPARE(Editor::CellColour(canvas, column, 0, 8), colour);
        QCOMPARE(Editor::CellColour(canvas, 5, 0, 8), kWhite);
    }

    // While the thumb is dragged with the left button, the canvas follows; with the right button
    // held as well, it stays. Keys and clicks on the track zoom at once.
    void sliderDragFollowsOnlyTheLeftButton() {
        EditorFixture app;
        QSlider* slider = app.editor.Zoom();
        QWidget* canvas = app.editor.Canvas();
        auto follows = [slider, canvas] {
            return canvas->width() == std::lround(slider->value() * 1335 / 16.0 / 15);
        };
        QStyleOptionSlider option;
        option.initFrom(slider);
        option.minimum = slider->minimum();
        option.maximum = slider->maximum();
        option.sliderPosition = slider->sliderPosition();
        option.tickPosition = slider->tickPosition();
        const QPoint thumb =
            slider->style()
                ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider)
                .center();

        QTest::mousePress(slider, Qt::LeftButton, {}, thumb);
        QTest::mouseMove(slider, thumb + QPoint(10, 0));
        const int heldWidth = canvas->width();
        QVERIFY(slider->value() > 25 && follows());
        QTest::mousePress(slider, Qt::RightButton, {}, thumb + QPoint(10, 0));
        QTest::mouseMove(slider, thumb + QPoint(30, 0)); // the thumb moves, the canvas stays
        QVERIFY(!follows() && canvas->width() == heldWidth);
        QTest::mouseRelease(slider, Qt::RightButton, {}, thumb + QPoint(30, 0));
        QTest::mouseMove(slider, thumb + QPoint(35, 0));
        QVERIFY(follows());
        QTest::mouseRelease(slider, Qt::LeftButton, {}, thumb + QPoint(35, 0));

        const int dragged = slider->value();
        QTest::keyClick(slider, Qt::Key_Left);
        QVERIFY(slider->value() == dragged - 1 && follows());
        QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(2, thumb.y())); // on the track
        QVERIFY(slider->value() < dragged - 1 && follows());
    }

    void zoomAndScreen_data() {
        QTest::addColumn<int>("zoom");
        QTest::addColumn<int>("side");   // zoom x 1335 / 16 screen units, 15 to a pixel, rounded
        QTest::addColumn<int>("middle"); // left of the edge-middle handles
        QTest::addColumn<int>("size");   // for the events on the screen
        QTest::addColumn<bool>("grid");
        QTest::newRow("smallest, 8 cells") << 1 << 6 << 9 << 8 << false;
        QTest::newRow("zoom 3, 32 cells") << 3 << 17 << 14 << 32 << false;
        QTest::newRow("one up from the design, 8 cells") << 26 << 145 << 78 << 8 << false;
        QTest::newRow("one up from the design, 16 cells, grid") << 26 << 145 << 78 << 16 << true;
        QTest::newRow("largest, 32 cells, grid") << 100 << 556 << 284 << 32 << true;
    }

    // The canvas, its handles and its cells at each zoom. Then only the cells that change are
    // repainted on the screen: after each event it still shows exactly what a repaint of the whole
    // canvas and preview would.
    void zoomAndScreen() {
        QFETCH(int, zoom);
        QFETCH(int, side);
        QFETCH(int, middle);
        QFETCH(int, size);
        QFETCH(bool, grid);
        QSettings().remove("view/pixelGrid"); // no grid lines among the borders counted
        EditorFixture app;
        app.editor.window->resize(900, 800);
        app.editor.Zoom()->setValue(zoom);
        QCOMPARE(app.editor.Canvas()->size(), QSize(side, side));
        const int far = 8 + side;
        const QPoint handles[8] = {{3, 3},   {middle, 3},   {far, 3},      {3, middle},
                                   {3, far}, {middle, far}, {far, middle}, {far, far}};
        for (int i = 0; i < 8; ++i)
            QCOMPARE(app.editor.Find(qPrintable(QString("Shape1_%1").arg(i)))->pos(), handles[i]);

        app.Checkerboard(kDarkGrey, kLightGrey);
        // At every size, a gap would show the surface's own colour and an overlap would swallow a
        // cell: either changes the count of borders across the middle.
        for (int cells : {8, 16, 32}) {
            app.editor.ChooseSize(cells);
            for (QWidget* surface : {app.editor.Canvas(), app.editor.Preview()}) {
                const QImage shown = surface->grab().toImage();
                for (const bool alongRow : {true, false})
                    if (shown.width() >= cells)
                        QCOMPARE(Changes(shown, alongRow, shown.width() / 2).size(), cells - 1);
            }
        }
        // 73 pixels in 8 cells: borders at 73 k / 8 = 9.125, 18.25, 27.375, 36.5, 45.625, 54.75 and
        // 63.875, rounded, halves away from zero.
        app.editor.ChooseSize(8);
        const QImage preview = app.editor.Preview()->grab().toImage();
        const QList<int> borders{9, 18, 27, 37, 46, 55, 64};
        QCOMPARE(Changes(preview, true), borders);
        QCOMPARE(Changes(preview, false), borders);

        app.Action("mnuViewPixelGrid")->setChecked(grid);
        app.editor.ChooseSize(size);
        app.Checkerboard();
        QWidget* canvas = app.editor.Canvas();
        auto screenMatches = [&app, canvas](const char* after) {
            for (QWidget* surface : {canvas, app.editor.Preview()})
                QVERIFY2(app.OnScreen(surface) ==
                             surface->grab().toImage().convertToFormat(QImage::Format_RGB32),
                         after);
        };
        app.ClickToolbar("rectangle");
        QTest::mousePress(canvas, Qt::LeftButton, {}, app.editor.At({1, 1}));
        screenMatches("the press of a rectangle");
        QTest::mouseMove(canvas, app.editor.At({6, 5}));
        screenMatches("a rectangle growing");
        QTest::mouseMove(canvas, app.editor.At({3, 2}));
        screenMatches("a rectangle shrinking");
        QTest::keyClick(canvas, Qt::Key_Escape);
        screenMatches("escape");
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, app.editor.At({3, 2}));
        app.ClickToolbar("pencil");
        QTest::mousePress(canvas, Qt::RightButton, {}, app.editor.At({0, 0}));
        for (const QPoint& cell : {QPoint(5, 2), QPoint(7, 7), QPoint(size + 2, 1)}) {
            QTest::mouseMove(canvas, app.editor.At(cell));
            screenMatches("a pencil move");
        }
        QTest::mouseRelease(canvas, Qt::RightButton, {}, app.editor.At({size + 2, 1}));
        app.Action("mnuEditUndo")->trigger();
        screenMatches("undo");
    }
};

QTEST_MAIN(TestEditor)
#include "test_editor.moc"
