#include "editor/picture_surface.h"
#include "model/colour_table.h"
#include "support/app_fixture.h"

#include <QMouseEvent>
#include <QStyleOptionSlider>
#include <cmath>

using namespace vellicor;

namespace {

// A canvas event at a real-valued position, as a pointing device with sub-pixel precision
// would deliver it.
void SendCanvasEvent(QWidget* canvas, QEvent::Type type, QPointF position, Qt::MouseButton button,
                     Qt::MouseButtons buttons) {
    QMouseEvent event(type, position, canvas->mapToGlobal(position), button, buttons, {});
    QApplication::sendEvent(canvas, &event);
}

struct EditorFixture : AppFixture {
    Editor editor;
    EditorFixture() : editor{nullptr} {
        NewProject("Game");
        editor.window = NewSprite("Ball");
    }
    SpriteRecord& Record() { return main->Table().Record(0); }
    QRgb CanvasCell(int column, int row, int n) { return Cell(editor.Canvas(), column, row, n); }
    QRgb PreviewCell(int column, int row, int n) { return Cell(editor.Preview(), column, row, n); }
    static QRgb Cell(QWidget* surface, int column, int row, int n) {
        return Editor::PixelAt(surface, Editor::CellCentre(surface, column, row, n));
    }
};

} // namespace

class TestEditor : public QObject {
    Q_OBJECT
  private slots:
    void newSpriteOpensBlank();
    void cellsTileTheSurfaces_data();
    void cellsTileTheSurfaces();
    void paintsWithTheButtonsColour_data();
    void paintsWithTheButtonsColour();
    void cellBorders_data();
    void cellBorders();
    void dragOutOfTheCanvas();
    void smallerSizeHidesPixelsWithoutLosingThem();
    void zoomMovesTheHandles_data();
    void zoomMovesTheHandles();
    void sliderDragFollowsOnlyTheLeftButton();
    void backgroundArea();
};

void TestEditor::newSpriteOpensBlank() {
    EditorFixture app;
    QCOMPARE(app.editor.CheckedSize(), 0);
    QCOMPARE(app.editor.Zoom()->value(), 25);
    QCOMPARE(app.editor.Canvas()->size(), QSize(139, 139));
    const auto* canvas = qobject_cast<PictureSurface*>(app.editor.Canvas());
    const QImage shown = app.editor.Canvas()->grab().toImage();
    const QRgb background = canvas->Background().rgb();
    for (int y = 0; y < shown.height(); y += 7)
        for (int x = 0; x < shown.width(); x += 7)
            QCOMPARE(shown.pixel(x, y), background);

    // Pressing and dragging before a size is chosen paints nothing.
    QTest::mousePress(app.editor.Canvas(), Qt::LeftButton, {}, QPoint(60, 60));
    QTest::mouseMove(app.editor.Canvas(), QPoint(100, 90));
    QTest::mouseRelease(app.editor.Canvas(), Qt::LeftButton, {}, QPoint(100, 90));
    QVERIFY(app.Record().PlaneDark.IsClear() && app.Record().PlaneLight.IsClear());
    QCOMPARE(app.CellStatus(), QString("1 x 1"));
    QCOMPARE(app.editor.Canvas()->grab().toImage(), shown);
}

void TestEditor::cellsTileTheSurfaces_data() {
    QTest::addColumn<int>("zoom");
    QTest::addColumn<int>("size");
    for (int zoom : {1, 26, 63, 100})
        for (int size : {8, 16, 32})
            QTest::addRow("zoom %d size %d", zoom, size) << zoom << size;
}

void TestEditor::cellsTileTheSurfaces() {
    QFETCH(int, zoom);
    QFETCH(int, size);
    EditorFixture app;
    app.editor.window->resize(900, 800);
    app.editor.Zoom()->setValue(zoom);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            app.Record().SetBits(x, y, *BitsForColour((x + y) % 2 ? kDarkGrey : kLightGrey));
    app.editor.ChooseSize(size);
    QCOMPARE(app.Record().Size, size);
    // A gap would show the surface's own colour; an overlap would swallow a cell.
    for (QWidget* surface : {app.editor.Canvas(), app.editor.Preview()}) {
        const QImage shown = surface->grab().toImage();
        for (const bool alongRow : {true, false}) {
            int changes = 0;
            for (int i = 0; i < shown.width(); ++i) {
                const QPoint at =
                    alongRow ? QPoint(i, shown.height() / 2) : QPoint(shown.width() / 2, i);
                const QRgb pixel = shown.pixel(at) & 0xFFFFFFU;
                QVERIFY2(pixel == kDarkGrey || pixel == kLightGrey, qPrintable(QString::number(i)));
                const QPoint before = alongRow ? at - QPoint(1, 0) : at - QPoint(0, 1);
                changes += i > 0 && shown.pixel(before) != shown.pixel(at) ? 1 : 0;
            }
            if (surface->width() >= size)
                QCOMPARE(changes, size - 1);
        }
    }
}

void TestEditor::paintsWithTheButtonsColour_data() {
    QTest::addColumn<int>("swatch");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<Rgb>("colour");
    QTest::newRow("left black") << 0 << Qt::LeftButton << kBlack;
    QTest::newRow("left dark grey") << 1 << Qt::LeftButton << kDarkGrey;
    QTest::newRow("left light grey") << 2 << Qt::LeftButton << kLightGrey;
    QTest::newRow("right white") << 3 << Qt::RightButton << kWhite;
    QTest::newRow("right transparent") << 4 << Qt::RightButton << kTransparentCyan;
    QTest::newRow("middle is black") << 3 << Qt::MiddleButton << kBlack;
}

void TestEditor::paintsWithTheButtonsColour() {
    QFETCH(int, swatch);
    QFETCH(Qt::MouseButton, button);
    QFETCH(Rgb, colour);
    EditorFixture app;
    app.editor.ChooseSize(8);
    app.Record().SetBits(2, 3, *BitsForColour(kBlack)); // painting replaces all three bits
    app.main->SwatchPress(swatch, button == Qt::MiddleButton ? Qt::LeftButton : button);
    const QPoint at = Editor::CellCentre(app.editor.Canvas(), 2, 3, 8);
    QTest::mousePress(app.editor.Canvas(), button, {}, at);
    QCOMPARE(app.Record().Bits(2, 3), *BitsForColour(colour));
    QCOMPARE(app.CanvasCell(2, 3, 8), colour);
    QCOMPARE(app.PreviewCell(2, 3, 8), colour);
    QCOMPARE(app.CellStatus(), QString("3 x 4"));
    QTest::mouseRelease(app.editor.Canvas(), button, {}, at);
    QCOMPARE(app.CanvasCell(2, 3, 8), colour);
    QCOMPARE(app.CanvasCell(3, 3, 8), kWhite);
    QCOMPARE(app.Record().PlaneDark.Row(3, 8) & ~0x20U, 0U); // no other pixel of the row
}

void TestEditor::cellBorders_data() {
    // On a 139-pixel canvas of 8 cells, the border k sits at 17.375 k.
    QTest::addColumn<QPointF>("position");
    QTest::addColumn<QString>("status");
    QTest::addColumn<int>("paintedColumn"); // -1: nothing painted
    QTest::newRow("first column x = 0") << QPointF(0, 10) << "1 x 1" << -1;
    QTest::newRow("first row y = 0") << QPointF(10, 0) << "1 x 1" << -1;
    QTest::newRow("odd border goes left") << QPointF(17.375, 1) << "1 x 1" << 0;
    QTest::newRow("even border goes right") << QPointF(34.75, 1) << "3 x 1" << 2;
    QTest::newRow("just past a border") << QPointF(17.5, 1) << "2 x 1" << 1;
    QTest::newRow("right edge") << QPointF(139, 1) << "9 x 1" << -1;
    QTest::newRow("last column") << QPointF(138.9, 1) << "8 x 1" << 7;
}

void TestEditor::cellBorders() {
    QFETCH(QPointF, position);
    QFETCH(QString, status);
    QFETCH(int, paintedColumn);
    EditorFixture app;
    app.editor.ChooseSize(8);
    SendCanvasEvent(app.editor.Canvas(), QEvent::MouseButtonPress, position, Qt::LeftButton,
                    Qt::LeftButton);
    QCOMPARE(app.CellStatus(), status);
    const std::uint32_t expected = paintedColumn < 0 ? 0U : 0x80U >> paintedColumn;
    QCOMPARE(app.Record().PlaneDark.Row(0, 8), expected);
}

void TestEditor::dragOutOfTheCanvas() {
    EditorFixture app;
    app.editor.ChooseSize(8);
    QWidget* canvas = app.editor.Canvas();
    const int y = Editor::CellCentre(canvas, 0, 1, 8).y();
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(100, y));
    QTest::mouseMove(canvas, QPoint(135, y));
    QTest::mouseMove(canvas, QPoint(170, y)); // past the right edge, over the background
    QCOMPARE(app.CellStatus(), QString("10 x 2"));
    QTest::mouseMove(canvas, QPoint(-30, y)); // past the left edge
    QCOMPARE(app.CellStatus(), QString("-1 x 2"));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(-30, y));
    QCOMPARE(app.Record().PlaneDark.Row(1, 8), 0x05U); // columns 5 and 7, nothing beyond
    QCOMPARE(app.CanvasCell(7, 1, 8), kBlack);
}

void TestEditor::smallerSizeHidesPixelsWithoutLosingThem() {
    EditorFixture app;
    app.editor.ChooseSize(32);
    app.main->SwatchPress(4, Qt::RightButton);
    QTest::mouseClick(app.editor.Canvas(), Qt::LeftButton, {},
                      Editor::CellCentre(app.editor.Canvas(), 0, 0, 32));
    QTest::mouseClick(app.editor.Canvas(), Qt::RightButton, {},
                      Editor::CellCentre(app.editor.Canvas(), 31, 31, 32));
    app.editor.ChooseSize(8);
    QCOMPARE(app.CanvasCell(0, 0, 8), kBlack); // the same pixel, four times as wide
    QCOMPARE(app.CanvasCell(7, 7, 8), kWhite);
    QTest::mouseClick(app.editor.Canvas(), Qt::LeftButton, {},
                      Editor::CellCentre(app.editor.Canvas(), 7, 7, 8));
    app.editor.ChooseSize(32);
    QCOMPARE(app.CanvasCell(31, 31, 32), kTransparentCyan);
    QCOMPARE(app.PreviewCell(31, 31, 32), kTransparentCyan);
    QCOMPARE(app.CanvasCell(0, 0, 32), kBlack);
    QCOMPARE(app.CanvasCell(7, 7, 32), kBlack);
}

void TestEditor::zoomMovesTheHandles_data() {
    QTest::addColumn<int>("zoom");
    QTest::addColumn<int>("side");
    QTest::addColumn<int>("middle"); // left of the edge-middle handles
    QTest::newRow("design") << 25 << 139 << 75;
    QTest::newRow("one up") << 26 << 145 << 78;
    QTest::newRow("largest") << 100 << 556 << 284;
}

void TestEditor::zoomMovesTheHandles() {
    QFETCH(int, zoom);
    QFETCH(int, side);
    QFETCH(int, middle);
    EditorFixture app;
    app.editor.Zoom()->setValue(zoom);
    QCOMPARE(app.editor.Canvas()->size(), QSize(side, side));
    const int far = 8 + side;
    const QPoint expected[8] = {{3, 3},   {middle, 3},   {far, 3},      {3, middle},
                                {3, far}, {middle, far}, {far, middle}, {far, far}};
    for (int i = 0; i < 8; ++i)
        QCOMPARE(app.editor.Find(qPrintable(QString("Shape1_%1").arg(i)))->pos(), expected[i]);
}

void TestEditor::sliderDragFollowsOnlyTheLeftButton() {
    EditorFixture app;
    QSlider* slider = app.editor.Zoom();
    QWidget* canvas = app.editor.Canvas();
    auto follows = [slider, canvas] {
        return canvas->width() == std::lround(slider->value() * 1335 / 16.0 / 15);
    };
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = slider->sliderPosition();
    option.tickPosition = slider->tickPosition();
    option.subControls = QStyle::SC_All;
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
    QVERIFY(!follows());
    QCOMPARE(canvas->width(), heldWidth);
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

void TestEditor::backgroundArea() {
    EditorFixture app;
    QTest::mouseMove(app.editor.Canvas(), QPoint(10, 10));
    QCOMPARE(app.CellStatus(), QString("1 x 1"));
    QTest::mouseMove(app.editor.Find("picBackground"), QPoint(300, 300));
    QCOMPARE(app.CellStatus(), QString());

    // The area keeps a 10-pixel margin, and keeps its width when the window gets too narrow.
    app.editor.window->showNormal();
    app.editor.window->setMinimumSize(0, 0);
    app.editor.window->resize(400, 300);
    QWidget* background = app.editor.Find("picBackground");
    QWidget* client = app.editor.window->widget();
    QCOMPARE(background->size(), client->size() - QSize(138, 26));
    const int lastWidth = background->width();
    app.editor.window->resize(60, 300);
    QCOMPARE(background->width(), client->width() < 138 ? lastWidth : client->width() - 138);
}

QTEST_MAIN(TestEditor)
#include "test_editor.moc"
