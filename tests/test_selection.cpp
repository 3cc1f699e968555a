// The Select tool and the clipboard through real mouse and key events on the canvas, against
// pixel tables drawn by hand, read from the record and from the canvas.
#include "png/pixel_clip.h"
#include "png/png_decode.h"
#include "support/app_fixture.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QStandardPaths>
#include <QUndoStack>

using namespace vellicor;

namespace {

// '#' black, 'd' dark grey, 'l' light grey, '.' white, 'c' transparent; rows apart by '/',
// white left off at the end of each row and of the picture.
const QString kLetters = QStringLiteral("#dl.c");
const QString kSeed = QStringLiteral("/.#d/.lc");
const QString kMoved = QStringLiteral("/.cc/.cc#d/...lc");

struct SelectFixture : AppFixture {
    Editor ball;
    SelectFixture() : ball(NewBall(8)) {
        Seed(kSeed);
        main->ToolbarAction("select")->trigger();
    }
    void Seed(const QString& picture, int sprite = 0) {
        const QStringList rows = picture.split('/');
        main->Document().BeginStroke(sprite);
        for (int y = 0; y < rows.size(); ++y)
            for (int x = 0; x < rows[y].size(); ++x)
                Paint(x, y, kPaletteColours[kLetters.indexOf(rows[y][x])], sprite);
        main->Document().EndStroke();
        main->EditorWindows()[sprite]->DrawSprite();
    }
    // The 8 x 8 pixels as the record holds them, or as the editor's canvas shows them.
    QString Rows(const Editor& editor, bool shown = false) const {
        const QImage canvas = editor.Canvas()->grab().toImage();
        const SpriteRecord& record = main->Table().Record(editor.window->Tag().toInt());
        QStringList rows(8);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                const Rgb colour = shown ? canvas.pixel(editor.At({x, y})) & 0xFFFFFFU
                                         : ColourForBits(record.Bits(x, y));
                rows[y] += kLetters[std::find(kPaletteColours, kPaletteColours + 5, colour) -
                                    kPaletteColours];
            }
        for (QString& row : rows)
            while (row.endsWith('.'))
                row.chop(1);
        while (!rows.isEmpty() && rows.last().isEmpty())
            rows.removeLast();
        return rows.join('/');
    }
    // Both, when they agree.
    QString Both(const Editor& editor) const {
        return Rows(editor) == Rows(editor, true) ? Rows(editor) : "differ: " + Rows(editor, true);
    }
    void Drag(QPoint from, QPoint to, const Editor& editor) {
        QTest::mousePress(editor.Canvas(), Qt::LeftButton, {}, editor.At(from));
        QTest::mouseMove(editor.Canvas(), editor.At(to));
        QTest::mouseRelease(editor.Canvas(), Qt::LeftButton, {}, editor.At(to));
    }
    void Drag(QPoint from, QPoint to) { Drag(from, to, ball); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}, const Editor* editor = nullptr) {
        QTest::keyClick((editor ? *editor : ball).Canvas(), key, modifiers);
    }
    QUndoStack* History(int sprite = 0) { return main->Document().History(sprite); }
    std::optional<QRect> Selected() const { return ball.window->SelectedCells(); }
    QString Block(const PixelBlock& block) const {
        QStringList rows(block.height);
        for (int y = 0; y < block.height; ++y)
            for (int x = 0; x < block.width; ++x)
                rows[y] += kLetters[std::find(kPaletteColours, kPaletteColours + 5,
                                              ColourForBits(block.At(x, y))) -
                                    kPaletteColours];
        return rows.join('/');
    }
    // Pixels of Vellicor's own type on the clipboard, as rows.
    QString Clipboard() const {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        const auto block = PixelsFromClip(data->data(kPixelClipType));
        return block ? Block(*block) : QString("none");
    }
};

} // namespace

class TestSelection : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // A button after the five tools, pressed by S; a drag selects the cells it spans, shown as
    // a dashed outline on the canvas only.
    void selectByDrag() {
        SelectFixture app;
        QCOMPARE(
            app.Find<QToolBar>("tbrMain")->actions().indexOf(app.main->ToolbarAction("select")),
            app.Find<QToolBar>("tbrMain")->actions().indexOf(app.main->ToolbarAction("fill")) + 1);
        app.Drag({2, 2}, {1, 1});
        QCOMPARE(app.Selected(), QRect(1, 1, 2, 2));
        QCOMPARE(app.Both(app.ball), kSeed);
        app.Drag({4, 4}, {5, 5}); // the outline's corner, where white cells meet
        const int corner = static_cast<int>(std::lround(4 * app.ball.Canvas()->width() / 8.0));
        QCOMPARE(Editor::PixelAt(app.ball.Canvas(), {corner + 2, corner}), kBlack);
        QCOMPARE(Editor::PixelAt(app.ball.Preview(), app.ball.Preview()->rect().center()), kWhite);
        app.Drag({7, 7}, {9, 9}); // clipped to the sprite
        QCOMPARE(app.Selected(), QRect(7, 7, 1, 1));
        app.Key(Qt::Key_P);
        app.Key(Qt::Key_S);
        QVERIFY(app.main->ToolbarAction("select")->isChecked());
        app.Key(Qt::Key_Escape); // nothing floats: deselects
        QCOMPARE(app.Selected(), std::nullopt);
        app.Key(Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(app.Selected(), QRect(0, 0, 8, 8));
        QCOMPARE(app.History()->count(), 2); // the size and the seed: selecting is no step
    }

    // A drag inside moves the pixels, floating over the sprite until a click outside puts them
    // down as one step.
    void moveByDragCommitByClick() {
        SelectFixture app;
        app.Drag({1, 1}, {2, 2});
        app.Drag({1, 1}, {3, 2});
        QCOMPARE(app.Rows(app.ball, true), kMoved);
        QCOMPARE(app.Rows(app.ball), kSeed); // the record waits for the commit
        app.Drag({6, 6}, {6, 6});
        QCOMPARE(app.Both(app.ball), kMoved);
        QCOMPARE(app.Selected(), QRect(6, 6, 1, 1));
        QCOMPARE(app.History()->undoText(), QString("Move Selection"));
        app.History()->undo();
        QCOMPARE(app.Both(app.ball), kSeed);
        app.History()->redo();
        QCOMPARE(app.Both(app.ball), kMoved);
    }

    // Arrow keys move by one, Shift by four; Escape puts everything back, then deselects.
    void moveByKeysAndCancel() {
        SelectFixture app;
        app.Drag({1, 1}, {2, 2});
        app.Key(Qt::Key_Right);
        app.Key(Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(app.Rows(app.ball, true), "/.cc/.cc///..#d/..lc");
        app.Key(Qt::Key_Escape);
        QCOMPARE(app.Both(app.ball), kSeed);
        QCOMPARE(app.Selected(), QRect(1, 1, 2, 2));
        QCOMPARE(app.History()->count(), 2);
        // Pixels moved past the edge are cut off when Enter puts them down.
        app.Key(Qt::Key_Right, Qt::ShiftModifier);
        app.Key(Qt::Key_Right);
        app.Key(Qt::Key_Right);
        app.Key(Qt::Key_Enter);
        QCOMPARE(app.Both(app.ball), "/.cc....#/.cc....l");
        QCOMPARE(app.Selected(), QRect(7, 1, 1, 2));
        QCOMPARE(app.History()->undoText(), QString("Move Selection"));
        // Another tool puts down what floats.
        app.Key(Qt::Key_Left);
        app.ClickToolbar("pencil");
        QCOMPARE(app.Both(app.ball), "/.cc...#c/.cc...lc");
        QCOMPARE(app.History()->count(), 4);
        // So does Compile, before it writes.
        app.ClickToolbar("select");
        app.Key(Qt::Key_Left);
        const QString floating = app.Rows(app.ball, true);
        QVERIFY(floating != app.Rows(app.ball));
        app.CompileTo("Ball.h");
        QCOMPARE(app.Both(app.ball), floating);
    }

    // Copy and paste within the sprite and into another; Cut and Del leave transparent cells.
    // Each is one named step, undone and redone whole.
    void cutCopyPaste() {
        SelectFixture app;
        app.Drag({1, 1}, {2, 2});
        app.Key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(app.Clipboard(), QString("#d/lc"));
        app.Key(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(app.Selected(), std::nullopt);
        app.Key(Qt::Key_V, Qt::ControlModifier); // at the top left
        app.Key(Qt::Key_Escape);
        QCOMPARE(app.Selected(), std::nullopt);
        app.Key(Qt::Key_V, Qt::ControlModifier);
        app.Key(Qt::Key_Down, Qt::ShiftModifier);
        app.Key(Qt::Key_Return);
        const QString pasted = kSeed + "//#d/lc";
        QCOMPARE(app.Both(app.ball), pasted);
        QCOMPARE(app.History()->undoText(), QString("Paste"));
        app.History()->undo();
        QCOMPARE(app.Both(app.ball), kSeed);
        app.History()->redo();
        app.Drag({1, 1}, {1, 2});
        app.Key(Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(app.Clipboard(), QString("#/l"));
        QCOMPARE(app.Both(app.ball), "/.cd/.cc//#d/lc");
        QCOMPARE(app.History()->undoText(), QString("Cut"));
        app.History()->undo();
        QCOMPARE(app.Both(app.ball), QString(kSeed + "//#d/lc"));
        app.History()->redo();
        app.Drag({2, 1}, {2, 1});
        app.Key(Qt::Key_Delete);
        QCOMPARE(app.Rows(app.ball), QString("/.cc/.cc//#d/lc"));
        QCOMPARE(app.History()->undoText(), QString("Delete"));
        app.History()->undo();
        QCOMPARE(app.Both(app.ball), "/.cd/.cc//#d/lc");

        // Into another sprite: the whole of this one, without a selection.
        app.Key(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        app.Key(Qt::Key_C, Qt::ControlModifier);
        const Editor wall{app.NewSprite("Wall")};
        wall.ChooseSize(16);
        wall.Canvas()->setFocus();
        app.Key(Qt::Key_V, Qt::ControlModifier, &wall);
        app.Key(Qt::Key_Enter, {}, &wall);
        QCOMPARE(app.Both(wall), app.Rows(app.ball));
        QCOMPARE(app.History(1)->undoText(), QString("Paste"));
        app.History(1)->undo();
        QCOMPARE(app.Both(wall), QString());
    }

    // An image another program put on the clipboard, converted as Import PNG converts it; one
    // larger than the sprite is refused and nothing changes.
    void pasteImageFromAnotherProgram() {
        SelectFixture app;
        const auto offer = [](QImage image) {
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "PNG");
            auto data = std::make_unique<QMimeData>();
            data->setData("image/png", png);
            QGuiApplication::clipboard()->setMimeData(data.release());
        };
        QImage image(3, 2, QImage::Format_ARGB32);
        const QRgb pixels[] = {qRgb(0, 0, 0),       qRgb(100, 100, 100), qRgb(200, 200, 200),
                               qRgb(255, 255, 255), qRgba(0, 0, 0, 50),  qRgb(250, 250, 250)};
        for (int i = 0; i < 6; ++i)
            image.setPixel(i % 3, i / 3, pixels[i]);
        offer(image);
        app.Drag({5, 5}, {5, 5});
        app.Key(Qt::Key_V, Qt::ControlModifier); // where the last selection was
        app.Key(Qt::Key_Enter);
        QCOMPARE(app.Both(app.ball), kSeed + "///.....#dl/......c");
        QImage large(9, 9, QImage::Format_ARGB32);
        large.fill(Qt::black);
        offer(large);
        const int steps = app.History()->count();
        app.Key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(app.dialogs.shown.last().text,
                 QString("The picture on the clipboard is 9 x 9 pixels; the sprite is 8 x 8."));
        QCOMPARE(app.Both(app.ball), kSeed + "///.....#dl/......c");
        QCOMPARE(app.History()->count(), steps);
    }

    // The PNG that Copy offers other programs, read back exactly; the header text as Compile
    // writes it; a new sprite from the clipboard.
    void clipboardForOtherPrograms() {
        SelectFixture app;
        app.Drag({1, 1}, {2, 2});
        app.Key(Qt::Key_C, Qt::ControlModifier);
        const PngPixels png =
            DecodePng(QGuiApplication::clipboard()->mimeData()->data("image/png"), 32);
        QCOMPARE(png.size, QSize(2, 2));
        const std::vector<std::uint8_t> rgba = {0,   0,   0,   255, 128, 128, 128, 255,
                                                192, 192, 192, 255, 0,   0,   0,   0};
        QVERIFY(png.rgba == rgba);
        app.Key(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        const QString text = QGuiApplication::clipboard()->text();
        QCOMPARE(text.count("\r\n"), 3);
        QVERIFY(app.CompileTo("Ball.h").startsWith(text.toLatin1()));
        app.Key(Qt::Key_C, Qt::ControlModifier);
        app.dialogs.inputAnswers << "Tile";
        app.Key(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(app.main->Table().Record(1).Name, std::string("Tile"));
        const Editor tile{app.main->EditorWindows()[1]};
        QCOMPARE(tile.CheckedSize(), 8);
        QCOMPARE(app.Both(tile), "#d/lc");
        QCOMPARE(app.main->Document().ProjectHistory()->undoText(), QString("Paste as New Sprite"));
        app.main->Document().ProjectHistory()->undo();
        QCOMPARE(app.main->Table().SpriteCount(), 1);
        app.main->Document().ProjectHistory()->redo();
        QCOMPARE(app.main->Table().Record(1).Bits(1, 1), *BitsForColour(kTransparentCyan));
    }
};

QTEST_MAIN(TestSelection)
#include "test_selection.moc"
