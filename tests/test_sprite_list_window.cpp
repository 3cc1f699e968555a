// Renaming, deleting, duplicating and moving sprites through the real tree: keys, the pop-up, a
// drag; the nodes, the editor windows and the header view following their sprites.
#include "export/header_text.h"
#include "main_window/header_dock.h"
#include "support/app_fixture.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QStandardPaths>
#include <QTimer>

using namespace vellicor;

namespace {

struct ListFixture : AppFixture {
    ListFixture() { Find<HeaderDock>("dockHeader")->show(); }
    bool Ready() { return QTest::qWaitForWindowActive(main.get()); }
    // The sprites the header view lists, in order, while it shows what Compile writes.
    QString HeaderNames() const {
        const QString shown = Find<HeaderDock>("dockHeader")->Text();
        if (shown != QString::fromStdString(HeaderText(main->Table())).replace("\r\n", "\n"))
            return "stale";
        QStringList names;
        for (const QString& line : shown.split('\n'))
            if (line.contains("_PlaneDark = "))
                names << line.section("_PlaneDark", 0, 0);
        return names.join(' ');
    }
    // Opens the tree's pop-up and clicks `item`; returns the list commands it showed.
    QStringList Popup(const char* item) {
        QMenu* popup = main->RightClickMenu();
        QTest::mousePress(Tree()->viewport(), Qt::RightButton, {}, QPoint(4, 4));
        QStringList shown;
        for (QAction* action : popup->actions())
            if (action->isVisible() && action->objectName().startsWith("mnuSprite"))
                shown << action->objectName().mid(9);
        QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(Action(item)).center());
        return shown;
    }
    void Undo() { Action("mnuEditUndo")->trigger(); }
    void Redo() { Action("mnuEditRedo")->trigger(); }
    // A project of sprites of size 8, each with its window open.
    void Sprites(const QStringList& names) {
        NewProject("Demo");
        for (const QString& name : names)
            Editor{NewSprite(name)}.ChooseSize(8);
    }
    Editor Window(int sprite) const { return {main->EditorWindows()[sprite]}; }
};

} // namespace

class TestSpriteListWindow : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void renameSpriteAndProject() {
        ListFixture app;
        QVERIFY(app.Ready());
        app.NewBall(8);
        app.ClickNode(0);
        app.dialogs.inputAnswers << "Bat";
        app.TreeKey(Qt::Key_F2);
        // The box New Sprite shows, holding the name.
        QCOMPARE(app.dialogs.shown.last().title + ": " + app.dialogs.shown.last().text + " " +
                     app.dialogs.initialTexts.last(),
                 QString("Vellicor: Enter sprite name: Ball"));
        QCOMPARE(app.Nodes() + " | " + app.OpenWindows() + " | " + app.HeaderNames(),
                 QString("s0 Bat | 0 Bat | Bat"));
        QCOMPARE(app.Action("mnuEditUndo")->text(), QString("&Undo Rename"));

        // A refused name is said to be so, and changes nothing.
        const int steps = app.main->Document().ProjectHistory()->count();
        app.dialogs.inputAnswers << "9 lives";
        app.TreeKey(Qt::Key_F2);
        QCOMPARE(app.dialogs.shown.last().title, QString("Error"));
        QCOMPARE(app.dialogs.shown.last().text, kNameErrorText);
        QCOMPARE(app.Nodes() + " | " + app.OpenWindows() + " | " + app.HeaderNames(),
                 QString("s0 Bat | 0 Bat | Bat"));
        QCOMPARE(app.main->Document().ProjectHistory()->count(), steps);

        app.Undo();
        QCOMPARE(app.Nodes() + " | " + app.OpenWindows() + " | " + app.HeaderNames(),
                 QString("s0 Ball | 0 Ball | Ball"));
        app.Redo();
        QCOMPARE(app.Nodes() + " | " + app.OpenWindows(), QString("s0 Bat | 0 Bat"));

        // The project node offers Rename alone, with the project-name rules; the title follows.
        app.ClickNode(-1);
        app.dialogs.inputAnswers << "Red Game";
        QCOMPARE(app.Popup("mnuSpriteRename"), QStringList{"Rename"});
        QCOMPARE(app.dialogs.shown.last().text, QString("Enter project name:"));
        QCOMPARE(app.dialogs.initialTexts.last(), QString("Demo"));
        QCOMPARE(app.ProjectNode().data().toString(), QString("Red Game"));
        QVERIFY(app.main->windowTitle().startsWith("Red Game[*] - Vellicor"));
        app.Undo();
        QCOMPARE(app.main->ProjectName(), QString("Demo"));
    }

    void renameBoxOffersTheNameSelected() {
        QtDialogs dialogs;
        frmMain main(dialogs);
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        main.Document().StartProject("Demo");
        main.Document().AppendSprite("Ball");
        QString offered;
        QTimer user; // answers the real box as a user would, once it is up
        connect(&user, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget())) {
                auto* edit = box->findChild<QLineEdit*>();
                offered = edit->text() + " selected " + edit->selectedText();
                QTest::keyClicks(edit, "Bat");
                QTest::keyClick(edit, Qt::Key_Return);
                user.stop();
            }
        });
        user.start(10);
        auto* tree = main.findChild<QTreeView*>("tvMain");
        tree->setFocus();
        QTest::keyClick(tree, Qt::Key_F2);
        QCOMPARE(offered, QString("Ball selected Ball"));
        QCOMPARE(main.Table().Record(0).Name, std::string("Bat"));
    }

    void deleteSeveralThenUndoAndRedo() {
        ListFixture app;
        QVERIFY(app.Ready());
        app.Sprites({"A", "B", "C", "D"});
        app.Paint(0, 0, kBlack, 0);
        app.Paint(2, 2, kBlack, 2);
        app.Window(1).window->close();
        app.ClickNode(0);
        app.ClickNode(2, Qt::ControlModifier);
        app.TreeKey(Qt::Key_Delete);
        QCOMPARE(app.Nodes() + " | " + app.OpenWindows(), QString("s0 B, s1 D | 1 D"));
        QCOMPARE(app.Window(0).window->Tag(), QString("0")); // B's closed window follows too
        QCOMPARE(app.Note(), QString("Deleted 2 sprites"));
        QCOMPARE(app.HeaderNames(), QString("B D"));
        QCOMPARE(app.Action("mnuEditUndo")->text(), QString("&Undo Delete"));

        // Back where they were, their windows open again on their own pixels.
        app.Undo();
        QCOMPARE(app.Nodes() + " | " + app.OpenWindows(),
                 QString("s0 A, s1 B, s2 C, s3 D | 0 A, 2 C, 3 D"));
        QCOMPARE(app.HeaderNames(), QString("A B C D"));
        QCOMPARE(app.SelectedRows(), QList<int>({0, 2}));
        for (int sprite : {0, 2}) {
            QWidget* canvas = app.Window(sprite).Canvas();
            QCOMPARE(Editor::CellColour(canvas, sprite, sprite, 8), QRgb(kBlack));
            QCOMPARE(Editor::CellColour(canvas, 2 - sprite, 2 - sprite, 8), QRgb(kWhite));
        }
        QCOMPARE(app.Note(), QString());
        app.Redo();
        QCOMPARE(app.Nodes() + " | " + app.OpenWindows(), QString("s0 B, s1 D | 1 D"));

        app.ClickNode(0);
        QCOMPARE(app.Popup("mnuSpriteDelete"),
                 QStringList({"Rename", "Delete", "Duplicate", "MoveUp", "MoveDown"}));
        QCOMPARE(app.Nodes() + " | " + app.OpenWindows(), QString("s0 D | 0 D"));
        QCOMPARE(app.Note(), QString("Deleted B"));
        QCOMPARE(app.HeaderNames(), QString("D"));
    }

    void duplicateThroughKeysAndPopup() {
        ListFixture app;
        QVERIFY(app.Ready());
        Editor ball = app.NewBall(8);
        ball.Stroke({{1, 1}, {2, 1}});
        // On the canvas, Ctrl+D and Del are not the list's.
        QTest::keyClick(ball.Canvas(), Qt::Key_D, Qt::ControlModifier);
        QTest::keyClick(ball.Canvas(), Qt::Key_Delete);
        QCOMPARE(app.Nodes(), QString("s0 Ball"));

        app.ClickNode(0);
        app.TreeKey(Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(app.Nodes() + " | " + app.OpenWindows(), QString("s0 Ball, s1 Ball2 | 0 Ball"));
        QCOMPARE(app.SelectedRows(), QList<int>{1});
        QCOMPARE(app.HeaderNames(), QString("Ball Ball2"));
        const QStringList lines = app.Find<HeaderDock>("dockHeader")->Text().split('\n');
        for (int line = 0; line < 3; ++line) // the same planes under the copy's name
            QCOMPARE(lines[line + 4].section(" = ", 1), lines[line].section(" = ", 1));

        // Several at once, each copy right after its sprite, the copies selected.
        app.ClickNode(0);
        app.ClickNode(1, Qt::ShiftModifier);
        app.Popup("mnuSpriteDuplicate");
        QCOMPARE(app.main->Table().SpriteCount(), 4);
        QCOMPARE(app.SelectedRows(), QList<int>({1, 3}));
        QCOMPARE(app.Nodes(), QString("s0 Ball, s1 Ball3, s2 Ball2, s3 Ball4"));
        QCOMPARE(app.OpenWindows(), QString("0 Ball"));
        app.Undo();
        QCOMPARE(app.Nodes(), QString("s0 Ball, s1 Ball2"));
        app.Undo();
        QCOMPARE(app.Nodes() + " | " + app.HeaderNames(), QString("s0 Ball | Ball"));
    }

    void movesKeepWindowsOnTheirSprites() {
        ListFixture app;
        QVERIFY(app.Ready());
        app.Sprites({"A", "B", "C"});
        Editor b = app.Window(1);
        app.Find<QMdiArea>("mdiArea")->setActiveSubWindow(b.window);
        b.Stroke({{3, 3}});
        QCOMPARE(Editor::CellColour(b.Canvas(), 3, 3, 8), QRgb(kBlack));

        app.ClickNode(1);
        app.TreeKey(Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(app.Nodes() + " | " + app.OpenWindows(),
                 QString("s0 B, s1 A, s2 C | 0 B, 1 A, 2 C"));
        QCOMPARE(app.HeaderNames(), QString("B A C"));
        QCOMPARE(Editor::CellColour(b.Canvas(), 3, 3, 8), QRgb(kBlack));
        QCOMPARE(Editor::CellColour(app.Window(1).Canvas(), 3, 3, 8), QRgb(kWhite));
        QVERIFY(!app.Action("mnuSpriteMoveUp")->isEnabled()); // B is first now
        app.TreeKey(Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(app.HeaderNames(), QString("B A C"));

        // B's window, at its new place, undoes B's paint.
        b.Canvas()->setFocus();
        QCOMPARE(app.Action("mnuEditUndo")->text(), QString("&Undo Paint"));
        app.Undo();
        QCOMPARE(Editor::CellColour(b.Canvas(), 3, 3, 8), QRgb(kWhite));

        // A run of nodes moves as a block.
        app.ClickNode(0);
        app.ClickNode(1, Qt::ShiftModifier);
        app.TreeKey(Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(app.Nodes() + " | " + app.OpenWindows(),
                 QString("s0 C, s1 B, s2 A | 0 C, 1 B, 2 A"));
        QCOMPARE(app.SelectedRows(), QList<int>({1, 2}));
        QVERIFY(!app.Action("mnuSpriteMoveDown")->isEnabled());
        app.Undo();
        QCOMPARE(app.HeaderNames(), QString("B A C"));
        app.ClickNode(2);
        app.Popup("mnuSpriteMoveUp");
        QCOMPARE(app.Nodes(), QString("s0 B, s1 C, s2 A"));
        app.Popup("mnuSpriteMoveDown");
        QCOMPARE(app.Nodes(), QString("s0 B, s1 A, s2 C"));
        for (int step = 0; step < 3; ++step)
            app.Undo();
        QCOMPARE(app.Nodes() + " | " + app.OpenWindows() + " | " + app.HeaderNames(),
                 QString("s0 A, s1 B, s2 C | 0 A, 1 B, 2 C | A B C"));
    }

    void dragMovesTheSelectedNodes() {
        ListFixture app;
        QVERIFY(app.Ready());
        app.Sprites({"A", "B", "C", "D"});
        app.ClickNode(0);
        app.ClickNode(1, Qt::ControlModifier);
        QWidget* viewport = app.Tree()->viewport();
        const QPoint from = app.Tree()->visualRect(app.SpriteNode(1)).center();
        const QRect last = app.Tree()->visualRect(app.SpriteNode(3));
        const QPoint to(last.center().x(), last.bottom() - 1); // the lower edge of D
        // Where the window system has drag and drop, the drag runs until the button is let go.
        const bool windowSystemDrags = QGuiApplication::platformName() != "offscreen";
        if (windowSystemDrags)
            QTimer::singleShot(100, [viewport, to] {
                QTest::mouseMove(viewport, to);
                QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
            });
        QTest::mousePress(viewport, Qt::LeftButton, {}, from);
        for (int step : {1, 2})
            QTest::mouseMove(viewport, from + QPoint(0, step * QApplication::startDragDistance()));
        if (!windowSystemDrags) {
            // Offscreen, the drag ends at once: the drop comes as the view's drag brings it.
            QTest::mouseRelease(viewport, Qt::LeftButton, {}, from);
            const QModelIndexList dragged = app.Tree()->selectionModel()->selectedRows();
            std::unique_ptr<QMimeData> data(app.Tree()->model()->mimeData(dragged));
            QDragEnterEvent enter(to, Qt::MoveAction, data.get(), Qt::LeftButton, {});
            QDragMoveEvent move(to, Qt::MoveAction, data.get(), Qt::LeftButton, {});
            QDropEvent drop(to, Qt::MoveAction, data.get(), Qt::LeftButton, {});
            for (QDropEvent* event : std::initializer_list<QDropEvent*>{&enter, &move, &drop}) {
                event->setDropAction(Qt::MoveAction);
                QApplication::sendEvent(viewport, event);
                QVERIFY(event->isAccepted());
            }
        }

        QCOMPARE(app.Nodes() + " | " + app.OpenWindows() + " | " + app.HeaderNames(),
                 QString("s0 C, s1 D, s2 A, s3 B | 0 C, 1 D, 2 A, 3 B | C D A B"));
        QCOMPARE(app.SelectedRows(), QList<int>({2, 3}));
        QCOMPARE(app.Action("mnuEditUndo")->text(), QString("&Undo Move"));
        app.Undo();
        QCOMPARE(app.Nodes() + " | " + app.HeaderNames(),
                 QString("s0 A, s1 B, s2 C, s3 D | A B C D"));
    }
};

QTEST_MAIN(TestSpriteListWindow)
#include "test_sprite_list_window.moc"
