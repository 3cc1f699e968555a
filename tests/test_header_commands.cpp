// The header in the window: imported back as one undoable step, and shown live beside the
// workspace with the same text Compile writes.
#include "export/header_text.h"
#include "main_window/header_dock.h"
#include "support/app_fixture.h"
#include "support/awkward_names.h"

#include <QClipboard>
#include <QListView>
#include <QMdiArea>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>

using namespace vellicor;

namespace {

struct HeaderFixture : AppFixture {
    HeaderDock* Dock() const { return Find<HeaderDock>("dockHeader"); }
    QAction* ViewHeader() const { return Action("mnuViewHeader"); }
    // What Compile writes, as the view shows it.
    QString Compiled() { return QString::fromLatin1(CompileTo("now.h")).remove('\r'); }
    void ImportHeader(const QString& path) {
        dialogs.openAnswers << path;
        Action("mnuFileImportHeader")->trigger();
    }
};

} // namespace

class TestHeaderCommands : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { QSettings().clear(); }

    void importRoundTripIsOneStep() {
        HeaderFixture app;
        QVERIFY(QTest::qWaitForWindowActive(app.main.get()));
        app.ViewHeader()->trigger();
        app.NewProject("Demo");
        // Every size and colour, a name twice, and names that C would read as something else.
        const QStringList names =
            QStringList{"Ball", "Empty", "Car", "Big", "Ball"} + kAwkwardSpriteNames;
        const QList<int> sizes{8, 0, 16, 32};
        for (int i = 0; i < names.size(); ++i) {
            const Editor editor{app.NewSprite(names[i])};
            const int size = sizes[i % sizes.size()];
            if (size == 0)
                continue;
            editor.ChooseSize(size);
            app.main->SwatchPress(i % 5, Qt::LeftButton);
            editor.Stroke({{0, 0}});
            editor.Stroke({{size - 1, size / 2}});
        }
        const QByteArray exported = app.CompileTo("sprites.h");

        app.dialogs.saveChangesAnswers << SaveChangesAnswer::Discard;
        app.NewProject("Other");
        app.ImportHeader(app.Path("sprites.h"));
        QCOMPARE(app.CompileTo("again.h"), exported);
        QCOMPARE(app.Dock()->Text(), app.Compiled());
        for (int i = 0; i < names.size(); ++i) {
            // As the header holds it: Latin-1, "?" for the rest.
            QCOMPARE(app.SpriteNode(i).data().toString(),
                     QString::fromLatin1(ToLatin1(names[i].toStdString())));
            QVERIFY(!app.main->Table().Record(i).IsOpen); // their editors start closed
        }
        QVERIFY(app.main->EditorWindows().empty());
        QVERIFY(app.main->isWindowModified());

        // The first new node is picked out, and undo from the tree takes the whole import back.
        QCOMPARE(app.Tree()->currentIndex(), app.SpriteNode(0));
        QAction* undo = app.Action("mnuEditUndo");
        QCOMPARE(undo->text(), QString("&Undo Import Header"));
        undo->trigger();
        QCOMPARE(app.main->Table().SpriteCount(), 0);
        QCOMPARE(app.SpriteNodes(), 0);
        QCOMPARE(app.Dock()->Text(), QString());
        QVERIFY(!app.main->isWindowModified());
        app.Action("mnuEditRedo")->trigger();
        QCOMPARE(app.Tree()->currentIndex(), app.SpriteNode(0));
        QCOMPARE(app.CompileTo("redone.h"), exported);
        QCOMPARE(app.Dock()->Text(), app.Compiled());
    }

    void refusedImportAddsNothing_data() {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QString>("error");
        // clang-format off
        QTest::newRow("mask line missing") << QByteArray("Ball_PlaneDark = };\r\nBall_PlaneLight = };\r") << "could not be imported.\nLine 2: Ball_PlaneMask is missing after Ball_PlaneLight.";
        QTest::newRow("no sprites") << QByteArray("/* Ball_PlaneDark = }; */\n") << "holds no sprites.";
        QTest::newRow("no file") << QByteArray() << "could not be imported.\nNo such file or directory";
        // clang-format on
    }

    // A refusal names its line, and the project keeps exactly what it had.
    void refusedImportAddsNothing() {
        QFETCH(QByteArray, header);
        QFETCH(QString, error);
        HeaderFixture app;
        app.NewProject("Demo");
        app.NewSprite("Keep");
        QVERIFY(app.SaveAs(app.Path("demo.vellicor")));
        const QString path = app.Path("refused.h");
        if (!header.isNull()) // else there is no file at all
            QVERIFY(WriteAll(path, header));
        app.ImportHeader(path);
        QCOMPARE(app.dialogs.Texts("message"), QStringList("The header \"" + path + "\" " + error));
        QCOMPARE(app.dialogs.shown.last().title, QString("Error"));
        QCOMPARE(app.main->Table().SpriteCount(), 1);
        QCOMPARE(app.SpriteNodes(), 1);
        QCOMPARE(app.main->Document().ProjectHistory()->count(), 1);
        QVERIFY(!app.main->isWindowModified());
    }

    void followsEveryStepAndIsRemembered() {
        {
            HeaderFixture app;
            QVERIFY(!app.Dock()->isVisible() && !app.ViewHeader()->isChecked()); // hidden at first
            QCOMPARE(app.ViewHeader()->text(), QString("&Header"));
            app.ViewHeader()->trigger();
            QVERIFY(app.Dock()->isVisible());
            app.NewProject("Demo");
            const Editor ball{app.NewSprite("Ball")};
            QCOMPARE(app.Dock()->Text(), app.Compiled());
            ball.ChooseSize(8);
            ball.Stroke({{1, 1}});
            QCOMPARE(app.Dock()->Text(), app.Compiled());
            const Editor car{app.NewSprite("Car\u00e9")};
            car.ChooseSize(16);
            car.Stroke({{15, 15}});
            QCOMPARE(app.Dock()->Text(), app.Compiled());
            QCOMPARE(app.Dock()->HighlightedLines(), QList<int>({4, 5, 6})); // the active sprite's

            app.Action("mnuEditUndo")->trigger();
            QCOMPARE(app.Dock()->Text(), app.Compiled());
            app.Find<QMdiArea>("mdiArea")->setActiveSubWindow(ball.window);
            QCOMPARE(app.Dock()->HighlightedLines(), QList<int>({0, 1, 2}));
            // Lines are picked with the mouse and copied whole, as text.
            QVERIFY(QTest::qWaitForWindowActive(app.main.get()));
            auto* lines = app.Find<QListView>("txtHeader");
            const auto lineAt = [lines](int row) {
                return QPoint(9, lines->visualRect(lines->model()->index(row, 0)).center().y());
            };
            QTest::mouseClick(lines->viewport(), Qt::LeftButton, {}, lineAt(4));
            QTest::mouseClick(lines->viewport(), Qt::LeftButton, Qt::ShiftModifier, lineAt(6));
            QTest::keyClick(lines, Qt::Key_C, Qt::ControlModifier);
            QCOMPARE(QGuiApplication::clipboard()->text(),
                     app.Compiled().section('\n', 4, 6) + '\n');
            ball.window->close();
            QCOMPARE(app.Dock()->HighlightedLines(), QList<int>()); // a closed sprite is not active

            // Hidden, it lets the steps go by and catches up when shown again.
            app.ViewHeader()->trigger();
            car.Stroke({{0, 0}});
            app.ViewHeader()->trigger();
            QCOMPARE(app.Dock()->Text(), app.Compiled());
            app.ClickToolbar("eraser");
            car.Stroke({{0, 0}, {0, 15}}); // every row of the mask as long as it gets
            const int widest =
                QFontMetrics(lines->font()).horizontalAdvance(app.Compiled().section('\n', 6, 6));
            QVERIFY(lines->horizontalScrollBar()->maximum() + lines->viewport()->width() >= widest);

            app.dialogs.saveChangesAnswers << SaveChangesAnswer::Discard;
            app.NewProject("Other");
            QCOMPARE(app.Dock()->Text(), QString());
        }
        QVERIFY(HeaderFixture().Dock()->isVisible()); // shown as it was last left
    }
};

QTEST_MAIN(TestHeaderCommands)
#include "test_header_commands.moc"
