// The zoom by the wheel over an editor and by the View menu's keys, and the main window's
// layout kept in the settings, brought back into a new window and reset.
#include "main_window/view_workspace.h"
#include "support/app_fixture.h"

#include <QDockWidget>
#include <QSettings>
#include <QStandardPaths>
#include <QWheelEvent>

using namespace vellicor;

namespace {

// A real wheel turn of `delta` angle units (120 a notch, up zooms in) at `at` in `widget`.
void Turn(QWidget* widget, QPoint at, int delta, Qt::KeyboardModifiers modifiers) {
    QWheelEvent event(at, widget->mapToGlobal(QPointF(at)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

// The zoom and the canvas's side, with the bottom-right handle just outside the canvas.
QString Shown(const Editor& editor) {
    const QRect canvas = editor.Canvas()->geometry();
    const QPoint handle = editor.Find("Shape1_7")->pos();
    return QStringLiteral("%1 %2 %3")
        .arg(editor.Zoom()->value())
        .arg(canvas.width())
        .arg(handle == canvas.bottomRight() + QPoint(1, 1) ? "handles" : "adrift");
}

} // namespace

class TestWorkspaceZoom : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { QSettings().clear(); }

    void wheel_data() {
        QTest::addColumn<bool>("onCanvas");
        QTest::addColumn<bool>("ctrl");
        for (bool onCanvas : {true, false})
            for (bool ctrl : {false, true})
                QTest::addRow("%s%s", onCanvas ? "canvas" : "background", ctrl ? " ctrl" : "")
                    << onCanvas << ctrl;
    }
    void wheel() {
        QFETCH(bool, onCanvas);
        QFETCH(bool, ctrl);
        AppFixture app;
        const Editor editor = app.NewBall(16);
        QWidget* area = onCanvas ? editor.Canvas() : editor.Find("picBackground");
        const QPoint at =
            onCanvas ? area->rect().center() : area->rect().bottomRight() - QPoint(2, 2);
        QVERIFY(onCanvas || !editor.Canvas()->geometry().contains(at));
        const Qt::KeyboardModifiers modifiers = ctrl ? Qt::ControlModifier : Qt::NoModifier;
        QCOMPARE(Shown(editor), "25 139 handles");
        Turn(area, at, 120, modifiers);
        QCOMPARE(Shown(editor), "26 145 handles");
        Turn(area, at, -240, modifiers);
        QCOMPARE(Shown(editor), "24 134 handles");
        // A touchpad's small turns count once they make a notch.
        for (int i = 0; i < 3; ++i)
            Turn(area, at, 40, modifiers);
        QCOMPARE(Shown(editor), "25 139 handles");
        Turn(area, at, 80, modifiers);
        QCOMPARE(editor.Zoom()->value(), 25);
    }

    void keys() {
        AppFixture app;
        const QStringList names{"mnuViewZoomIn", "mnuViewZoomOut", "mnuViewZoomFit"};
        for (const QString& name : names)
            QVERIFY(!app.Action(qPrintable(name))->isEnabled());
        const Editor editor = app.NewBall(8);
        for (const QString& name : names)
            QVERIFY(app.Action(qPrintable(name))->isEnabled());
        editor.Canvas()->setFocus();
        QTest::keyClick(editor.Canvas(), Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(Shown(editor), "27 150 handles");
        QTest::keySequence(editor.Canvas(), QKeySequence(QStringLiteral("Ctrl+=")));
        QCOMPARE(editor.Zoom()->value(), 29);
        QTest::keySequence(editor.Canvas(), QKeySequence(QStringLiteral("Ctrl+-")));
        QCOMPARE(editor.Zoom()->value(), 27);
        // Outside the editors' area the keys are someone else's.
        app.Tree()->setFocus();
        QTest::keyClick(app.Tree(), Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(editor.Zoom()->value(), 27);
        editor.window->close();
        QVERIFY(!app.Action("mnuViewZoomIn")->isEnabled());
    }

    void fit_data() {
        QTest::addColumn<QSize>("window");
        QTest::newRow("largest zoom fits") << QSize();
        QTest::newRow("as designed") << QSize(384, 326);
        QTest::newRow("large") << QSize(700, 560);
        QTest::newRow("wide") << QSize(800, 300);
    }
    void fit() {
        QFETCH(QSize, window);
        AppFixture app;
        const Editor editor = app.NewBall(32);
        if (window.isValid())
            editor.window->resize(window);
        editor.Canvas()->setFocus();
        QTest::keySequence(editor.Canvas(), QKeySequence(QStringLiteral("Ctrl+0")));
        const QWidget* background = editor.Find("picBackground");
        const int zoom = editor.Zoom()->value();
        const QRect canvas = editor.Canvas()->geometry();
        QCOMPARE(canvas.width(), frmSprite::CanvasSide(zoom));
        QVERIFY(background->rect().adjusted(0, 0, -8, -8).contains(canvas));
        const int next = frmSprite::CanvasSide(zoom + 1) + 16;
        QVERIFY(zoom == editor.Zoom()->maximum() || next > background->width() ||
                next > background->height());
    }

    void restored() {
        {
            AppFixture first;
            first.main->setGeometry(60, 50, 820, 610);
            first.main->addDockWidget(Qt::LeftDockWidgetArea,
                                      first.Find<QDockWidget>("dockHeader"));
            first.Action("mnuViewHeader")->trigger();
            QVERIFY(first.main->close());
        }
        // A window shown as the tests show theirs keeps the layout it was built with.
        {
            AppFixture plain;
            QCOMPARE(plain.main->dockWidgetArea(plain.Find<QDockWidget>("dockHeader")),
                     Qt::RightDockWidgetArea);
            QVERIFY(!plain.main->isMaximized());
        }
        ScriptedDialogs dialogs;
        QTemporaryDir recovery;
        frmMain again(dialogs, recovery.path());
        ShowWorkspace(again);
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        auto* dock = again.findChild<QDockWidget*>("dockHeader");
        QCOMPARE(again.dockWidgetArea(dock), Qt::LeftDockWidgetArea);
        QVERIFY(dock->isVisible());
        QVERIFY(!again.isMaximized());
        QCOMPARE(again.size(), QSize(820, 610));

        again.findChild<QAction*>("mnuViewResetLayout")->trigger();
        QCOMPARE(again.dockWidgetArea(dock), Qt::RightDockWidgetArea);
        QVERIFY(dock->isVisible()); // shown, as the user last chose
        QTRY_VERIFY(again.isMaximized());
    }

    void firstStart() {
        ScriptedDialogs dialogs;
        QTemporaryDir recovery;
        frmMain window(dialogs, recovery.path());
        ShowWorkspace(window);
        QTRY_VERIFY(window.isMaximized());
        auto* dock = window.findChild<QDockWidget*>("dockHeader");
        QCOMPARE(window.dockWidgetArea(dock), Qt::RightDockWidgetArea);
        QVERIFY(dock->isHidden());
    }
};

QTEST_MAIN(TestWorkspaceZoom)
#include "test_workspace_zoom.moc"
