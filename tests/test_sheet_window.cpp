// Sprite sheets and the header's style in the window: the menus, their dialogs, one undoable
// import, the sheet read back from its file, and the style the project remembers.
#include "export/c_header_text.h"
#include "export/header_text.h"
#include "support/app_fixture.h"
#include "support/sprite_letters.h"

#include <QBuffer>
#include <QImage>
#include <QSettings>
#include <QStandardPaths>

using namespace vellicor;

namespace {

struct SheetFixture : AppFixture {
    void ImportSheet(const QString& path, std::optional<SheetCut> cut) {
        dialogs.openAnswers << path;
        dialogs.sheetCutAnswers << cut;
        Action("mnuFileImportSheet")->trigger();
    }
    void ExportSheet(const QString& path, SheetLayout layout) {
        dialogs.saveAsAnswers << path;
        dialogs.sheetLayoutAnswers << layout;
        Action("mnuFileExportSheet")->trigger();
    }
    // The pixel as a letter of "BDLWT" (black, dark and light grey, white, transparent).
    char Colour(int sprite, int x, int y) const {
        return Letter(main->Table().Record(sprite).Bits(x, y));
    }
};

// A 20 x 12 sheet, white but for a few pixels: three tiles of 8 across (the last one 4 wide)
// and two down (the lower ones 4 high).
QImage OddSheet() {
    QImage sheet(20, 12, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    sheet.setPixel(0, 0, qRgb(0, 0, 0));        // tile 0
    sheet.setPixel(9, 0, qRgb(128, 128, 128));  // tile 1, (1, 0)
    sheet.setPixel(19, 11, qRgba(0, 0, 0, 0));  // tile 5, (3, 3)
    sheet.setPixel(16, 8, qRgb(192, 192, 192)); // tile 5, (0, 0)
    return sheet;
}

} // namespace

class TestSheetWindow : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { QSettings().clear(); }

    void importIsOneStep() {
        SheetFixture app;
        QVERIFY(QTest::qWaitForWindowActive(app.main.get()));
        app.NewProject("Demo");
        app.NewSprite("Ball");
        QVERIFY(app.SaveAs(app.Path("demo.vellicor")));
        QVERIFY(OddSheet().save(app.Path("hero.png")));
        app.ImportSheet(app.Path("hero.png"), SheetCut{8, false});
        QCOMPARE(app.dialogs.Texts("sheetcut"), QStringList("16 0")); // the first offer
        QCOMPARE(app.Nodes(), QString("s0 Ball, s1 hero0, s2 hero1, s3 hero2, s4 hero3, s5 hero4, "
                                      "s6 hero5"));
        for (int i = 1; i < 7; ++i)
            QCOMPARE(app.main->Table().Record(i).Size, 8);
        // Each pixel where its tile puts it; white where the sheet does not reach.
        QCOMPARE(app.Colour(1, 0, 0), 'B');
        QCOMPARE(app.Colour(2, 1, 0), 'D');
        QCOMPARE(app.Colour(6, 0, 0), 'L');
        QCOMPARE(app.Colour(6, 3, 3), 'T');
        QCOMPARE(app.Colour(3, 4, 0), 'W');
        QCOMPARE(app.Colour(6, 7, 7), 'W');
        QVERIFY(app.main->isWindowModified());

        QAction* undo = app.Action("mnuEditUndo");
        QCOMPARE(undo->text(), QString("&Undo Import Sprite Sheet"));
        undo->trigger();
        QCOMPARE(app.Nodes(), QString("s0 Ball"));
        QVERIFY(!app.main->isWindowModified());
        app.Action("mnuEditRedo")->trigger();
        QCOMPARE(app.SpriteNodes(), 7);

        // The cut is offered again; a sheet whose name is no sprite name is named once, and
        // empty tiles can be left out.
        QImage empty(16, 8, QImage::Format_ARGB32);
        empty.fill(Qt::transparent);
        empty.setPixel(12, 1, qRgb(0, 0, 0));
        QVERIFY(empty.save(app.Path("2 sheets.png")));
        app.dialogs.inputAnswers << "tile";
        app.ImportSheet(app.Path("2 sheets.png"), SheetCut{8, true});
        QCOMPARE(app.dialogs.Texts("sheetcut").last(), QString("8 0"));
        QCOMPARE(app.SpriteNode(7).data().toString(), QString("tile0"));
        QCOMPARE(app.SpriteNodes(), 8);
        QCOMPARE(app.Colour(7, 4, 1), 'B');
    }

    // A file that is no sheet is refused before the cut is asked for.
    void refusedImportChangesNothing_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("cancelled");
        QByteArray sheet, wide;
        QBuffer sheetBuffer(&sheet), wideBuffer(&wide);
        QImage(4097, 1, QImage::Format_ARGB32).save(&wideBuffer, "PNG");
        OddSheet().save(&sheetBuffer, "PNG");
        QTest::newRow("damaged") << QByteArray("\x89PNG\r\n\x1a\n broken") << false;
        QTest::newRow("no file") << QByteArray() << false;
        QTest::newRow("too wide") << wide << false;
        QTest::newRow("cancelled") << sheet << true;
    }

    void refusedImportChangesNothing() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, cancelled);
        SheetFixture app;
        app.NewProject("Demo");
        app.NewSprite("Keep");
        QVERIFY(app.SaveAs(app.Path("demo.vellicor")));
        const QString path = app.Path("sheet.png");
        if (!bytes.isEmpty())
            QVERIFY(WriteAll(path, bytes));
        app.ImportSheet(path, cancelled ? std::nullopt : std::optional(SheetCut{8, false}));
        const QStringList messages = app.dialogs.Texts("message");
        QCOMPARE(messages.size(), cancelled ? 0 : 1);
        QCOMPARE(app.dialogs.Count("sheetcut"), cancelled ? 1 : 0);
        if (!cancelled)
            QVERIFY2(messages[0].startsWith("The sprite sheet \"" + path +
                                            "\" could not be imported.\n"),
                     qPrintable(messages[0]));
        QCOMPARE(app.Nodes(), QString("s0 Keep"));
        QCOMPARE(app.main->Document().ProjectHistory()->count(), 1);
        QVERIFY(!app.main->isWindowModified());
    }

    void exportReadBack() {
        SheetFixture app;
        app.NewProject("Demo");
        app.NewSprite("Small");
        app.NewSprite("NoSize");
        app.NewSprite("Big");
        app.main->Document().SetSize(0, 8);
        app.main->Document().SetSize(2, 16);
        app.Paint(7, 7, kBlack, 0);
        app.Paint(0, 0, kTransparentCyan, 2);
        app.Paint(15, 15, kDarkGrey, 2);
        app.ClickNode(-1); // the project: every sprite with a size
        app.ExportSheet(app.Path("sheet"), SheetLayout{1, 2});
        QCOMPARE(app.dialogs.Texts("sheetlayout"), QStringList("16 1"));
        QCOMPARE(app.dialogs.shown.last().title, QString("2")); // the sprites it holds
        QImage sheet(app.Path("sheet.png"));
        QCOMPARE(sheet.size(), QSize(32, 64)); // one column of 16 x 16 cells at scale 2
        const auto at = [&sheet](int x, int y) { return sheet.pixel(x, y); };
        QCOMPARE(at(15, 15), qRgb(0, 0, 0));
        QCOMPARE(at(13, 13), qRgb(255, 255, 255));
        QCOMPARE(qAlpha(at(16, 0)), 0); // beyond the small sprite in its cell
        QCOMPARE(qAlpha(at(1, 33)), 0); // the big one's transparent pixel
        QCOMPARE(at(31, 63), qRgb(128, 128, 128));

        // Two sprites picked in the tree go alone; the folder and the layout are offered again.
        app.ClickNode(1);
        app.ClickNode(2, Qt::ControlModifier);
        app.ExportSheet(app.Path("picked.png"), SheetLayout{4, 1});
        QCOMPARE(app.dialogs.Texts("sheetlayout").last(), QString("1 2"));
        QCOMPARE(app.dialogs.offeredNames.last(), app.Path("Demo.png"));
        QCOMPARE(QImage(app.Path("picked.png")).size(), QSize(16, 16));

        // Nothing with a size: said before any dialog.
        app.ClickNode(1);
        app.ClickNode(1, Qt::ControlModifier);
        app.dialogs.saveAsAnswers.clear();
        app.NewProject("Other");
        app.NewSprite("Blank");
        app.Action("mnuFileExportSheet")->trigger();
        QCOMPARE(app.dialogs.Count("message"), 1);
        QCOMPARE(app.dialogs.Count("sheetlayout"), 2);
    }

    // The style is the save dialog's file type; the project keeps it through save and open.
    void compileStyleIsRemembered() {
        SheetFixture app;
        app.NewProject("Demo");
        app.NewSprite("Ball");
        app.main->Document().SetSize(0, 8);
        app.Paint(0, 0, kBlack);
        const QByteArray plain = app.CompileTo("plain.h");
        QCOMPARE(plain, QByteArray::fromStdString(HeaderText(app.main->Table())));
        QVERIFY(app.SaveAs(app.Path("demo.vellicor")));
        app.dialogs.fileTypeAnswers << 1;
        const QByteArray c = app.CompileTo("sprites.h");
        QCOMPARE(c, QByteArray::fromStdString(
                        CHeaderText(app.main->Table(), "Demo", app.Path("sprites.h"))));
        QVERIFY(app.main->isWindowModified());
        // No step holds the style: a crash now brings it back from a fresh base record.
        QCOMPARE(app.Journal().project->headerStyle, HeaderStyle::CDeclarations);
        QVERIFY(app.main->Save());
        app.dialogs.saveChangesAnswers << SaveChangesAnswer::Discard;
        app.NewProject("Other");
        QVERIFY(app.Open(app.Path("demo.vellicor")));
        QCOMPARE(app.main->Document().CompileStyle(), HeaderStyle::CDeclarations);
        QCOMPARE(app.CompileTo("sprites.h"), c);
        QCOMPARE(app.dialogs.shown.last().title, QString("C Declarations Header (*.h)"));

        // Names C cannot take: said, nothing written, the choice kept.
        app.NewSprite("B\u00e4ll");
        app.dialogs.saveAnswers << app.Path("refused.h");
        app.main->Compile();
        QCOMPARE(app.dialogs.Count("message"), 1);
        QVERIFY(app.dialogs.Texts("message")[0].contains("B\u00e4ll"));
        QVERIFY(!QFile::exists(app.Path("refused.h")));
        app.dialogs.fileTypeAnswers << 0;
        QCOMPARE(app.CompileTo("plain.h"),
                 QByteArray::fromStdString(HeaderText(app.main->Table())));
        QCOMPARE(app.main->Document().CompileStyle(), HeaderStyle::Plain);
    }
};

QTEST_MAIN(TestSheetWindow)
#include "test_sheet_window.moc"
