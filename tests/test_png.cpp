// Sprites in and out of PNG files: hand-made images imported, exported images read back pixel by
// pixel, the round trip, and both commands through the main window's menu.
#include "png/png_export.h"
#include "png/png_import.h"
#include "support/app_fixture.h"
#include "support/sprite_letters.h"

#include <QBuffer>
#include <QImageReader>
#include <QUndoStack>
#include <algorithm>

using namespace vellicor;

namespace {

QRgb Grey(int level, int alpha = 255) {
    return qRgba(level, level, level, alpha);
}

QImage Filled(int width, int height, QRgb pixel) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(pixel);
    return image;
}

// Each row of an image of width x height in one letter.
QString Rows(int width, int height, char letter) {
    return (QString(width, QLatin1Char(letter)) + '/').repeated(height).chopped(1);
}

// A sprite of the given size using all five colours.
SpriteRecord Pattern(int size) {
    SpriteRecord sprite;
    sprite.Name = "Ball";
    sprite.Size = static_cast<std::int16_t>(size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            sprite.SetBits(x, y, *BitsForColour(kPaletteColours[(x + 2 * y) % 5]));
    return sprite;
}

// What an exported pixel must be for each palette colour.
QRgb Exported(Rgb colour) {
    return colour == kTransparentCyan ? 0 : 0xFF000000U | colour;
}

} // namespace

class TestPng : public QObject {
    Q_OBJECT
  private slots:
    void import_data() {
        QTest::addColumn<QImage>("image");
        // "png" or "bmp"; "cut": half a PNG; "flipped": a PNG with one bit of its pixels wrong.
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<int>("size"); // 0: refused
        QTest::addColumn<QString>("pixels");
        QTest::addColumn<QString>("error");
        const QRgb black = Grey(0);
        const QByteArray png = "png";
        // clang-format off
        QTest::newRow("1 x 1") << Filled(1, 1, black) << png << 8 << "B" << "";
        QTest::newRow("8 x 8") << Filled(8, 8, Grey(128)) << png << 8 << Rows(8, 8, 'D') << "";
        QTest::newRow("9 x 9") << Filled(9, 9, black) << png << 16 << Rows(9, 9, 'B') << "";
        QTest::newRow("1 x 17") << Filled(1, 17, Grey(192)) << png << 32 << Rows(1, 17, 'L') << "";
        QTest::newRow("32 x 32") << Filled(32, 32, Grey(0, 0)) << png << 32 << Rows(32, 32, 'T') << "";
        QTest::newRow("33 x 1") << Filled(33, 1, black) << png << 0 << "" << "The image is 33 x 1 pixels; a sprite holds at most 32 x 32.";
        QTest::newRow("1 x 33") << Filled(1, 33, black) << png << 0 << "" << "The image is 1 x 33 pixels; a sprite holds at most 32 x 32.";
        QTest::newRow("another format") << Filled(1, 1, black) << QByteArray("bmp") << 0 << "" << "It is not a PNG image, or it is damaged.";
        QTest::newRow("cut short") << Filled(9, 9, black) << QByteArray("cut") << 0 << "" << "It is not a PNG image, or it is damaged.";
        QTest::newRow("one bit wrong") << Filled(9, 9, black) << QByteArray("flipped") << 0 << "" << "It is not a PNG image, or it is damaged.";
        // clang-format on
    }

    void import() {
        QFETCH(QImage, image);
        QFETCH(QByteArray, format);
        QFETCH(int, size);
        QFETCH(QString, pixels);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QString path = dir.filePath("Picture.png");
        QByteArray bytes;
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::WriteOnly) &&
                image.save(&buffer, format == "bmp" ? "bmp" : "png"));
        if (format == "cut")
            bytes.chop(bytes.size() / 2);
        if (format == "flipped")
            bytes[bytes.indexOf("IDAT") + 6] ^= 1;
        QVERIFY(WriteAll(path, bytes));

        const ImageImport import = LoadPngSprite(path);
        QCOMPARE(import.sprite.has_value(), size != 0);
        if (!import.sprite) {
            QVERIFY2(import.error.startsWith(error), qPrintable(import.error));
            return;
        }
        QCOMPARE(int{import.sprite->Size}, size);
        QCOMPARE(QString::fromStdString(import.sprite->Name), QString("Picture"));
        const QStringList rows = pixels.split('/');
        for (int y = 0; y < kPlaneSide; ++y) {
            const QString row = RowLetters(*import.sprite, y);
            // The image's pixels, and white beyond them.
            const QString wanted = rows.value(y).leftJustified(kPlaneSide, 'W');
            QVERIFY2(row == wanted, qPrintable(QString("row %1: %2").arg(y).arg(row)));
        }
    }

    void exportReadBackAndRoundTrip_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("scale");
        QTest::newRow("8, scale 1") << 8 << 1;
        QTest::newRow("8, scale 3") << 8 << 3;
        QTest::newRow("16, scale 1") << 16 << 1;
        QTest::newRow("32, scale 1") << 32 << 1;
    }

    // The image holds the sprite's picture, each pixel scale x scale; imported back, it gives the
    // same planes.
    void exportReadBackAndRoundTrip() {
        QFETCH(int, size);
        QFETCH(int, scale);
        QTemporaryDir dir;
        const QString path = dir.filePath("Ball.png");
        SpriteRecord sprite = Pattern(size);
        if (size < 32)
            sprite.SetBits(20, 20, *BitsForColour(kBlack)); // hidden by the size
        QVERIFY(WriteAll(path, "old"));
        QCOMPARE(SaveSpritePng(path, sprite, 33).value_or(""),
                 QString("The scale 33 is not a whole number from 1 to 32."));
        QCOMPARE(ReadAll(path), QByteArray("old"));
        QCOMPARE(SaveSpritePng(path, sprite, scale), std::nullopt);

        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("png"));
        const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), QSize(size * scale, size * scale));
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb wanted = Exported(kPaletteColours[(x / scale + 2 * (y / scale)) % 5]);
                const QRgb pixel = image.pixel(x, y);
                // A transparent pixel's colour is of no account.
                if (qAlpha(pixel) != qAlpha(wanted) || (qAlpha(wanted) != 0 && pixel != wanted))
                    QFAIL(qPrintable(QString("(%1, %2) is %3").arg(x).arg(y).arg(pixel, 8, 16)));
            }
        }
        if (scale != 1)
            return;
        const ImageImport import = LoadPngSprite(path);
        QVERIFY2(import.sprite, qPrintable(import.error));
        QCOMPARE(int{import.sprite->Size}, size);
        const SpriteRecord shown = Pattern(size);
        for (int y = 0; y < kPlaneSide; ++y) {
            QCOMPARE(import.sprite->PlaneDark.FullRow(y), shown.PlaneDark.FullRow(y));
            QCOMPARE(import.sprite->PlaneLight.FullRow(y), shown.PlaneLight.FullRow(y));
            QCOMPARE(import.sprite->PlaneMask.FullRow(y), shown.PlaneMask.FullRow(y));
        }
    }

    void importThroughTheMenu_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("asked"); // the sprite-name box: the file's name is no sprite name
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("name"); // of the new sprite; empty: none is made
        QTest::addColumn<QString>("message");
        const QString nameError = "Sprite name must start with a letter and have no spaces.";
        // clang-format off
        QTest::newRow("named after its file") << "ball.big.png" << false << "" << "ball.big" << "";
        QTest::newRow("space: typed name") << "red ball.png" << true << "Red" << "Red" << "";
        QTest::newRow("underscore: name box cancelled") << "_ball.png" << true << "" << "" << "";
        QTest::newRow("digit: typed name refused") << "2ball.png" << true << "2ball" << "" << nameError;
        // clang-format on
    }

    // Imported through the menu, the image is one undoable step in its window; from the tree, undo
    // takes the whole sprite out.
    void importThroughTheMenu() {
        QFETCH(QString, file);
        QFETCH(bool, asked);
        QFETCH(QString, typed);
        QFETCH(QString, name);
        QFETCH(QString, message);
        AppFixture app;
        QVERIFY(!app.Action("mnuFileImportPng")->isEnabled()); // nothing to import into yet
        app.NewProject("Demo");
        QImage image = Filled(9, 9, Grey(255));
        image.setPixel(0, 0, Grey(0));
        image.setPixel(8, 8, Grey(0, 0));
        QVERIFY(image.save(app.Path(file), "png"));
        app.dialogs.shown.clear();
        app.dialogs.openAnswers << app.Path(file);
        if (!typed.isEmpty())
            app.dialogs.inputAnswers << typed;

        app.Action("mnuFileImportPng")->trigger();

        QCOMPARE(app.dialogs.Texts("open"), QStringList{"PNG Images (*.png)"});
        QCOMPARE(app.dialogs.Texts("input"),
                 asked ? QStringList{"Enter sprite name:"} : QStringList());
        QCOMPARE(app.dialogs.Texts("message"),
                 message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(app.main->Table().SpriteCount(), name.isEmpty() ? 0 : 1);
        QCOMPARE(app.main->Document().IsModified(), !name.isEmpty());
        if (name.isEmpty())
            return;
        const SpriteRecord& sprite = app.main->Table().Record(0);
        QCOMPARE(QString::fromStdString(sprite.Name), name);
        QCOMPARE(int{sprite.Size}, 16);
        QCOMPARE(Letter(sprite.Bits(0, 0)), 'B');
        QCOMPARE(Letter(sprite.Bits(8, 8)), 'T');
        QCOMPARE(Letter(sprite.Bits(9, 8)), 'W');
        QCOMPARE(app.SpriteNode(0).data().toString(), name);
        Editor editor{app.main->EditorWindows().at(0)};
        QVERIFY(editor.window->isVisible());
        QCOMPARE(editor.window->windowTitle(), name);
        QCOMPARE(editor.CheckedSize(), 16);
        QAction* undo = app.Action("mnuEditUndo");
        QAction* redo = app.Action("mnuEditRedo");
        QCOMPARE(undo->text(), QString("&Undo Import PNG"));
        QCOMPARE(app.main->Document().History(0)->count(), 1);

        // The sprite stays, as New Sprite makes it: blank and without a size.
        undo->trigger();
        QCOMPARE(app.main->Table().SpriteCount(), 1);
        QCOMPARE(int{sprite.Size}, 0);
        QVERIFY(sprite.PlaneDark.IsClear() && sprite.PlaneLight.IsClear() &&
                sprite.PlaneMask.IsClear());
        QCOMPARE(editor.CheckedSize(), 0);
        QVERIFY(!undo->isEnabled());
        QVERIFY(app.main->Document().IsModified()); // the sprite itself is new

        redo->trigger();
        QCOMPARE(int{sprite.Size}, 16);
        QCOMPARE(Letter(sprite.Bits(0, 0)), 'B');
        QCOMPARE(Letter(sprite.Bits(8, 8)), 'T');
        QCOMPARE(editor.CheckedSize(), 16);
        QCOMPARE(Editor::CellColour(editor.Canvas(), 0, 0, 16), kBlack);

        // From the tree, undo takes the whole sprite out, and redo brings it back as it was.
        QVERIFY(QTest::qWaitForWindowActive(app.main.get()));
        app.Tree()->setFocus();
        app.Tree()->setCurrentIndex(app.ProjectNode());
        QCOMPARE(undo->text(), QString("&Undo Import PNG"));
        undo->trigger();
        QCOMPARE(app.main->Table().SpriteCount(), 0);
        QVERIFY(!app.main->Document().IsModified());
        redo->trigger();
        QCOMPARE(Letter(app.main->Table().Record(0).Bits(8, 8)), 'T');
    }

    void exportThroughTheMenu() {
        AppFixture app;
        QAction* exportPng = app.Action("mnuFileExportPng");
        const Editor editor = app.NewBall();
        app.dialogs.shown.clear();

        // No size yet: said before any file is asked for.
        exportPng->trigger();
        QCOMPARE(app.dialogs.Texts("message"),
                 QStringList{"The sprite \"Ball\" has no size yet: choose 8, 16 or 32 first."});
        QCOMPARE(app.dialogs.Count("save"), 0);

        editor.ChooseSize(8);
        app.Paint(1, 0, kDarkGrey);
        // Cancelling either question writes nothing.
        app.dialogs.saveAnswers << app.Path("cancelled.png") << app.Path("ball");
        exportPng->trigger();
        QVERIFY(!QFile::exists(app.Path("cancelled.png")));
        app.dialogs.scaleAnswers << 3;
        exportPng->trigger();
        QCOMPARE(app.dialogs.offeredNames, QStringList({"Ball.png", "Ball.png"}));
        QCOMPARE(app.dialogs.Texts("save").last(), QString("PNG Images (*.png)"));
        QCOMPARE(app.dialogs.Texts("scale"), QStringList({"1", "1"}));
        QCOMPARE(ReadAll(app.Path("ball.png")), SpritePngBytes(app.main->Table().Record(0), 3));
        QCOMPARE(QImage(app.Path("ball.png")).pixel(4, 1), Grey(128)); // the .png was added

        // The next export offers the last folder and scale.
        app.dialogs.saveAnswers << app.Path("again.png");
        exportPng->trigger();
        QCOMPARE(app.dialogs.offeredNames.last(), app.Path("Ball.png"));
        QCOMPARE(app.dialogs.Texts("scale").last(), QString("3"));
        QVERIFY(!QFile::exists(app.Path("again.png")));

        // With no editor open there is nothing to export.
        editor.window->close();
        QVERIFY(!exportPng->isEnabled());
    }
};

QTEST_MAIN(TestPng)
#include "test_png.moc"
