// The live header beside the workspace: the same text Compile writes, after every step.
#include "main_window/header_dock.h"
#include "support/app_fixture.h"
#include "support/read_all.h"

#include <QAction>
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
    void Click(frmSprite* window, QPoint cell, int n) {
        QWidget* canvas = window->findChild<QWidget*>("picSprite");
        QTest::mouseClick(canvas, Qt::LeftButton, {},
                          Editor::CellCentre(canvas, cell.x(), cell.y(), n));
    }
};

} // namespace

class TestHeaderView : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { QSettings().clear(); }
    void followsEveryStep();
    void hiddenByDefaultAndRemembered();
};

void TestHeaderView::followsEveryStep() {
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

void TestHeaderView::hiddenByDefaultAndRemembered() {
    {
        HeaderFixture app;
        QVERIFY(!app.Dock()->isVisible() && !app.ViewHeader()->isChecked());
        QCOMPARE(app.ViewHeader()->text(), QString("&Header"));
        app.ViewHeader()->trigger();
    }
    HeaderFixture again;
    QVERIFY(again.Dock()->isVisible());
}

QTEST_MAIN(TestHeaderView)
#include "test_header_view.moc"
