// The header in the window: imported back as one undoable step, and shown live beside the
// workspace with the same text Compile writes.
#include "export/header_text.h"
#include "main_window/header_dock.h"
#include "support/app_fixture.h"
#include "support/awkward_names.h"
#include "support/read_all.h"

#include <QAction>
#include <QFile>
#include <QMdiArea>
#include <QSettings>
#include <QStandardPaths>

using namespace vellicor;

namespace {

struct HeaderFixture : AppFixture {
    QTemporaryDir files;

    HeaderDock* Dock() const { return Find<HeaderDock>("dockHeader"); }
    QAction* ViewHeader() const { return main->findChild<QAction*>("mnuViewHeader"); }
    // What Compile writes, as the view shows it.
    QString Compiled() {
        dialogs.saveAnswers << files.filePath("now.h");
        main->Compile();
        return QString::fromLatin1(ReadAll(files.filePath("now.h"))).remove('\r');
    }
    // What the toolbar's Compile button writes.
    QByteArray CompiledBytes() {
        dialogs.saveAnswers << files.filePath("bytes.h");
        ClickToolbar("compile");
        return ReadAll(files.filePath("bytes.h"));
    }
    QString WriteFile(const QString& name, const QByteArray& bytes) {
        QFile file(files.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return file.fileName();
    }
    void ImportHeader(const QString& path) {
        dialogs.openAnswers << path;
        main->findChild<QAction*>("mnuFileImportHeader")->trigger();
    }
    void Click(frmSprite* window, QPoint cell, int n) {
        QWidget* canvas = window->findChild<QWidget*>("picSprite");
        QTest::mouseClick(canvas, Qt::LeftButton, {},
                          Editor::CellCentre(canvas, cell.x(), cell.y(), n));
    }
};

} // namespace

class TestHeaderCommands : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { QSettings().clear(); }
    void importRoundTripIsOneStep();
    void refusedImportAddsNothing_data();
    void refusedImportAddsNothing();
    void followsEveryStep();
    void hiddenByDefaultAndRemembered();
};

void TestHeaderCommands::importRoundTripIsOneStep() {
    HeaderFixture app;
    QVERIFY(QTest::qWaitForWindowActive(app.main.get()));
    app.ViewHeader()->trigger();
    app.NewProject("Demo");
    // Every size, and names that C would read as something else.
    const QStringList names = QStringList{"Ball", "Empty", "Car", "Big"} + kAwkwardSpriteNames;
    const QList<int> sizes{8, 0, 16, 32};
    for (int i = 0; i < names.size(); ++i) {
        frmSprite* window = app.NewSprite(names[i]);
        const int size = sizes[i % sizes.size()];
        if (size == 0)
            continue;
        Editor{window}.ChooseSize(size);
        app.main->SwatchPress(i % 4, Qt::LeftButton);
        app.Click(window, {0, 0}, size);
        app.Click(window, {size - 1, size / 2}, size);
    }
    const QByteArray exported = app.CompiledBytes();
    const QString path = app.WriteFile("sprites.h", exported);

    app.dialogs.saveChangesAnswers << SaveChangesAnswer::Discard;
    app.NewProject("Other");
    app.ImportHeader(path);
    QCOMPARE(app.CompiledBytes(), exported);
    QCOMPARE(app.Dock()->Text(), app.Compiled());
    for (int i = 0; i < names.size(); ++i) {
        // As the header holds it: Latin-1, "?" for the rest.
        QCOMPARE(app.SpriteNode(i)->text(0), QString::fromLatin1(ToLatin1(names[i].toStdString())));
        QVERIFY(!app.main->Table().Record(i).IsOpen); // their editors start closed
    }
    QVERIFY(app.main->EditorWindows().empty());
    QVERIFY(app.main->isWindowModified());

    // The first new node is picked out, and undo from the tree takes the whole import back.
    QCOMPARE(app.Tree()->currentItem(), app.SpriteNode(0));
    QAction* undo = app.main->findChild<QAction*>("mnuEditUndo");
    QCOMPARE(undo->text(), QString("&Undo Import Header"));
    undo->trigger();
    QCOMPARE(app.main->Table().SpriteCount(), 0);
    QCOMPARE(app.Tree()->topLevelItem(0)->childCount(), 0);
    QCOMPARE(app.Dock()->Text(), QString());
    QVERIFY(!app.main->isWindowModified());
    app.main->findChild<QAction*>("mnuEditRedo")->trigger();
    QCOMPARE(app.Tree()->currentItem(), app.SpriteNode(0));
    QCOMPARE(app.CompiledBytes(), exported);
    QCOMPARE(app.Dock()->Text(), app.Compiled());
}

void TestHeaderCommands::refusedImportAddsNothing_data() {
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QString>("error");
    const QByteArray ball =
        "Ball_PlaneDark = };\r\nBall_PlaneLight = };\r\nBall_PlaneMask = };\r\n\r\n";
    // clang-format off
    QTest::newRow("mask line missing") << ball.left(42) << "could not be imported.\nLine 2: Ball_PlaneMask is missing after Ball_PlaneLight.";
    QTest::newRow("entries of an impossible value") << QByteArray("B_PlaneDark = {{0x100},{0},{0},{0},{0},{0},{0},{0}};")
        << "could not be imported.\nLine 1: \"0x100\" in B_PlaneDark is too large for a row of 8 pixels.";
    QTest::newRow("name the rules refuse") << "\n" + QByteArray(ball).replace("Ball", "9all")
        << "could not be imported.\nLine 2: \"9all\" is refused. Sprite name must start with a letter and have no spaces.";
    QTest::newRow("no sprites") << QByteArray("/* Ball_PlaneDark = }; */\n") << "holds no sprites.";
    QTest::newRow("no file") << QByteArray() << "could not be imported.\nNo such file or directory";
    // clang-format on
}

// A refusal names its line, and the project keeps exactly what it had.
void TestHeaderCommands::refusedImportAddsNothing() {
    QFETCH(QByteArray, header);
    QFETCH(QString, error);
    HeaderFixture app;
    app.NewProject("Demo");
    app.NewSprite("Keep");
    app.dialogs.saveAsAnswers << app.files.filePath("demo.vellicor");
    QVERIFY(app.main->Save());
    const QString path = QTest::currentDataTag() == QString("no file")
                             ? app.files.filePath("gone.h")
                             : app.WriteFile("refused.h", header);
    app.ImportHeader(path);
    QCOMPARE(app.dialogs.Texts("message"), QStringList("The header \"" + path + "\" " + error));
    QCOMPARE(app.dialogs.shown.last().title, QString("Error"));
    QCOMPARE(app.main->Table().SpriteCount(), 1);
    QCOMPARE(app.Tree()->topLevelItem(0)->childCount(), 1);
    QCOMPARE(app.main->Document().ProjectHistory()->count(), 1);
    QVERIFY(!app.main->isWindowModified());
}

void TestHeaderCommands::followsEveryStep() {
    HeaderFixture app;
    app.ViewHeader()->trigger();
    QVERIFY(app.Dock()->isVisible());
    app.NewProject("Demo");
    frmSprite* ball = app.NewSprite("Ball");
    QCOMPARE(app.Dock()->Text(), app.Compiled());
    Editor{ball}.ChooseSize(8);
    app.Click(ball, {1, 1}, 8);
    QCOMPARE(app.Dock()->Text(), app.Compiled());
    frmSprite* car = app.NewSprite("Car\u00e9");
    Editor{car}.ChooseSize(16);
    app.Click(car, {15, 15}, 16);
    QCOMPARE(app.Dock()->Text(), app.Compiled());
    QCOMPARE(app.Dock()->HighlightedLines(), QList<int>({4, 5, 6})); // the active sprite's lines

    app.main->findChild<QAction*>("mnuEditUndo")->trigger();
    QCOMPARE(app.Dock()->Text(), app.Compiled());
    app.Find<QMdiArea>("mdiArea")->setActiveSubWindow(ball);
    QCOMPARE(app.Dock()->HighlightedLines(), QList<int>({0, 1, 2}));
    ball->close();
    QCOMPARE(app.Dock()->HighlightedLines(), QList<int>()); // a closed sprite is not active

    // Hidden, it lets the steps go by and catches up when shown again.
    app.ViewHeader()->trigger();
    app.Click(car, {0, 0}, 16);
    app.ViewHeader()->trigger();
    QCOMPARE(app.Dock()->Text(), app.Compiled());

    app.dialogs.saveChangesAnswers << SaveChangesAnswer::Discard;
    app.NewProject("Other");
    QCOMPARE(app.Dock()->Text(), QString());
}

void TestHeaderCommands::hiddenByDefaultAndRemembered() {
    {
        HeaderFixture app;
        QVERIFY(!app.Dock()->isVisible() && !app.ViewHeader()->isChecked());
        QCOMPARE(app.ViewHeader()->text(), QString("&Header"));
        app.ViewHeader()->trigger();
    }
    HeaderFixture again;
    QVERIFY(again.Dock()->isVisible());
}

QTEST_MAIN(TestHeaderCommands)
#include "test_header_commands.moc"
