// The previews beside the workspace: the tile preview, the onion skin and the animation, each
// read back from its own pixels after strokes on a canvas.
#include "main_window/animation_dock.h"
#include "main_window/tile_dock.h"
#include "support/app_fixture.h"

#include <QLabel>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>

using namespace vellicor;

namespace {

constexpr QRgb kCyan = 0x00FFFF;

QRgb Pixel(QWidget* surface, int x, int y) {
    return surface->grab().toImage().pixel(x, y) & 0xFFFFFFU;
}

// Counts the paints a widget receives from the event loop.
struct PaintCount : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

} // namespace

class TestPreviews : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { QSettings().clear(); }

    void tileRepeatsTheSpriteAsItIsDrawn() {
        AppFixture app;
        const Editor ball = app.NewBall(8);
        app.Paint(7, 7, kTransparentCyan);
        app.Action("mnuViewTile")->trigger();
        QVERIFY(QSettings().value("view/tile").toBool());
        auto* dock = app.Find<TileDock>("dockTile");
        dock->SetScale(2);
        QWidget* tiles = dock->Picture();
        QCOMPARE(tiles->size(), QSize(48, 48));

        // Mid-stroke, before any step is complete, all nine tiles already show the pixel.
        app.main->SwatchPress(0, Qt::LeftButton);
        PaintCount count;
        QApplication::processEvents();
        tiles->installEventFilter(&count);
        QTest::mousePress(ball.Canvas(), Qt::LeftButton, {}, ball.At({1, 2}));
        QTest::mouseMove(ball.Canvas(), ball.At({1, 2}));
        QTRY_VERIFY(count.paints > 0);
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < 3; ++column) {
                QCOMPARE(Pixel(tiles, column * 16 + 3, row * 16 + 5), 0x000000U);
                QCOMPARE(Pixel(tiles, column * 16 + 1, row * 16 + 1), 0xFFFFFFU);
                QCOMPARE(Pixel(tiles, column * 16 + 15, row * 16 + 15), kCyan);
            }
        QTest::mouseRelease(ball.Canvas(), Qt::LeftButton, {}, ball.At({1, 2}));
        app.Action("mnuEditUndo")->trigger();
        QCOMPARE(Pixel(tiles, 3, 5), 0xFFFFFFU);

        // Hidden, it does no work; shown again, it fits the sprite as it is then.
        app.Action("mnuViewTile")->trigger();
        QVERIFY(!QSettings().value("view/tile").toBool());
        ball.ChooseSize(16);
        QCOMPARE(tiles->size(), QSize(48, 48));
        app.Action("mnuViewTile")->trigger();
        QCOMPARE(tiles->size(), QSize(96, 96));
        dock->SetScale(3);
        QCOMPARE(tiles->size(), QSize(144, 144));
        QCOMPARE(QSettings().value("view/tileScale").toInt(), 3);
    }

    void onionSkinShowsThePreviousSpriteFaintlyOnTheCanvasOnly() {
        AppFixture app;
        app.NewBall(8);
        app.Paint(2, 2, kBlack);
        app.Paint(4, 4, kTransparentCyan);
        const Editor next{app.NewSprite("Next")};
        next.ChooseSize(8);
        const auto cell = [&](int x, int y) { return next.CellColour(next.Canvas(), x, y, 8); };
        QCOMPARE(cell(2, 2), 0xFFFFFFU);

        // Black at 30 % over white, and nothing of the sprite's transparent pixels.
        app.Action("mnuViewOnionSkin")->trigger();
        QVERIFY(QSettings().value("view/onionSkin").toBool());
        QVERIFY2(qAbs(qRed(cell(2, 2)) - 178) <= 2 && qGray(cell(2, 2)) == qRed(cell(2, 2)),
                 qPrintable(QString::number(cell(2, 2), 16)));
        QCOMPARE(cell(3, 3), 0xFFFFFFU);
        QCOMPARE(cell(4, 4), 0xFFFFFFU);
        QCOMPARE(next.CellColour(next.Preview(), 2, 2, 8), 0xFFFFFFU);
        QCOMPARE(app.main->Table().Record(1).Bits(2, 2), PlaneBits{});

        // A change to the sprite before shows at once; the one drawn on stays in front.
        app.Paint(5, 5, kDarkGrey);
        QVERIFY(qRed(cell(5, 5)) > 0xD0 && qRed(cell(5, 5)) < 0xE0);
        app.main->SwatchPress(1, Qt::LeftButton);
        next.Stroke({{2, 2}});
        QVERIFY(qRed(cell(2, 2)) > 0x50 && qRed(cell(2, 2)) < 0x60);

        app.Action("mnuViewOnionSkin")->trigger();
        QCOMPARE(cell(2, 2), 0x808080U);
        QCOMPARE(cell(5, 5), 0xFFFFFFU);
        QVERIFY(!QSettings().value("view/onionSkin").toBool());
    }

    void animationPlaysTheSelectedSpritesAtTheirOwnSizes() {
        QSettings().setValue("view/animationRate", 30);
        AppFixture app;
        const Editor first = app.NewBall(8);
        app.Paint(0, 0, kBlack);
        const Editor second{app.NewSprite("Big")};
        second.ChooseSize(16);
        app.Paint(0, 0, kDarkGrey, 1);
        const Editor third{app.NewSprite("Last")};
        third.ChooseSize(8);
        app.Action("mnuViewAnimation")->trigger();
        auto* dock = app.Find<AnimationDock>("dockAnimation");
        auto* timer = dock->findChild<QTimer*>();
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 1000 / 30);
        dock->SetPlaying(false);
        QVERIFY(!timer->isActive());

        // One node selected: every sprite, in tree order.
        QCOMPARE(dock->Frames(), (std::vector<int>{0, 1, 2}));
        while (dock->Frame() != 0)
            dock->Advance();
        auto* counter = dock->findChild<QLabel*>("lblAnimationFrame");
        QCOMPARE(counter->text(), QString("1 / 3"));
        QWidget* picture = dock->Picture();
        const int scale = std::clamp(std::min(picture->width(), picture->height()) / 32, 1, 8);
        const auto corner = [&](int size) {
            return QPoint((picture->width() - size * scale) / 2,
                          (picture->height() - size * scale) / 2);
        };
        QCOMPARE(Pixel(picture, corner(8).x(), corner(8).y()), 0x000000U);
        QCOMPARE(Pixel(picture, corner(8).x() + scale, corner(8).y()), 0xFFFFFFU);
        QVERIFY(Pixel(picture, corner(8).x() - 1, corner(8).y()) != 0xFFFFFFU);
        dock->Advance();
        QCOMPARE(counter->text(), QString("2 / 3"));
        QCOMPARE(Pixel(picture, corner(16).x(), corner(16).y()), 0x808080U);

        // A stroke shows in the frame it is on while it is drawn.
        dock->Advance();
        app.main->SwatchPress(2, Qt::LeftButton);
        QTest::mousePress(third.Canvas(), Qt::LeftButton, {}, third.At({7, 7}));
        QTest::mouseMove(third.Canvas(), third.At({7, 7}));
        const QPoint last = corner(8) + QPoint(7 * scale, 7 * scale);
        QCOMPARE(Pixel(picture, last.x(), last.y()), 0xC0C0C0U);
        QTest::mouseRelease(third.Canvas(), Qt::LeftButton, {}, third.At({7, 7}));

        // Two nodes picked: those two alone.
        app.ClickNode(0);
        app.ClickNode(2, Qt::ControlModifier);
        QCOMPARE(dock->Frames(), (std::vector<int>{0, 2}));
        QVERIFY(dock->Frame() < 2);

        dock->SetPlaying(true);
        const int from = dock->Frame();
        QTRY_VERIFY(dock->Frame() != from);
        app.Action("mnuViewAnimation")->trigger();
        QVERIFY(!timer->isActive());
        QCOMPARE(QSettings().value("view/animationRate").toInt(), 30);
        QVERIFY(!QSettings().value("view/animation").toBool());
        Q_UNUSED(first);
    }
};

QTEST_MAIN(TestPreviews)
#include "test_previews.moc"
