// Whole journeys through the main window as a user makes them: toolbar, palette, canvas and tree.
#include "main_window/project_tree.h"
#include "support/app_fixture.h"

#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOptionTitleBar>
#include <QTimer>

using namespace vellicor;

namespace {

struct Journey : AppFixture {
    QStringList NodeKeys() const {
        QStringList keys;
        for (int i = 0; ProjectNode().isValid() && i < SpriteNodes(); ++i)
            keys << SpriteNode(i).data(ProjectTree::kKeyRole).toString();
        return keys;
    }
    // Clicks an editor window's close button where the user sees it: in the menu bar's corner
    // while the window is maximised, on its own title bar otherwise.
    void ClickCloseButton(QMdiSubWindow* window) {
        QWidget* target = window;
        QRect button;
        if (window->isMaximized()) {
            target = main->menuBar()->cornerWidget(Qt::TopRightCorner);
            QStyleOptionComplex option;
            option.initFrom(target);
            option.subControls = QStyle::SC_All;
            button = target->style()->subControlRect(QStyle::CC_MdiControls, &option,
                                                     QStyle::SC_MdiCloseButton, target);
        } else {
            QStyleOptionTitleBar option;
            option.initFrom(window);
            option.titleBarFlags = window->windowFlags();
            option.rect.setHeight(
                window->style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, window));
            button = window->style()->subControlRect(QStyle::CC_TitleBar, &option,
                                                     QStyle::SC_TitleBarCloseButton, window);
        }
        QTest::mouseMove(target, button.center());
        QTest::mouseClick(target, Qt::LeftButton, {}, button.center());
    }
};

} // namespace

class TestJourneys : public QObject {
    Q_OBJECT
  private slots:
    // The worked example as a user makes it: toolbar, swatches and canvas, then the header it
    // writes.
    void workedExampleThroughTheToolbar() {
        Journey app;
        const QString empty = app.Path("empty"), ball = app.Path("ball.h");
        app.dialogs.saveAnswers << empty << ball;
        app.ClickToolbar("compile"); // no project: an empty file, no extension added
        QCOMPARE(ReadAll(empty), QByteArray());
        app.dialogs.inputAnswers << "Demo"
                                 << "Ball";
        app.ClickToolbar("new");
        app.main->ToolbarAction("new")->menu()->actions().at(1)->trigger();
        QCOMPARE(app.dialogs.Texts("input"),
                 QStringList({"Enter project name:", "Enter sprite name:"}));
        Editor editor{app.main->EditorWindows().at(0)};
        editor.ChooseSize(8);
        QWidget* canvas = editor.Canvas();
        for (int column = 0; column < 3; ++column) { // black, dark grey, light grey
            QTest::mouseClick(app.Swatch(column), Qt::LeftButton);
            QTest::mouseClick(canvas, Qt::LeftButton, {}, Editor::CellCentre(canvas, column, 0, 8));
        }
        QTest::mouseClick(app.Swatch(4), Qt::RightButton);
        QTest::mouseClick(canvas, Qt::RightButton, {}, Editor::CellCentre(canvas, 7, 7, 8));
        const QByteArray expected =
            "Ball_PlaneDark = {{0xC0},{0x00},{0x00},{0x00},{0x00},{0x00},{0x00},{0x00}};\r\n"
            "Ball_PlaneLight = {{0xA0},{0x00},{0x00},{0x00},{0x00},{0x00},{0x00},{0x00}};\r\n"
            "Ball_PlaneMask = "
            "{{~0x00},{~0x00},{~0x00},{~0x00},{~0x00},{~0x00},{~0x00},{~0x01}};\r\n"
            "\r\n";
        app.ClickToolbar("compile");
        QCOMPARE(ReadAll(ball), expected);

        app.ClickToolbar("compile"); // cancelled: nothing written, nothing said
        app.dialogs.saveChangesAnswers << SaveChangesAnswer::Cancel;
        app.ClickToolbar("open"); // asks about the unsaved sprite first, and is cancelled
        app.ClickToolbar("save"); // no file yet: Save As, cancelled
        QCOMPARE(ReadAll(ball), expected);
        QCOMPARE(app.dialogs.Texts("save"), QStringList(3, "Header Files (*.h)"));
        QCOMPARE(app.dialogs.offeredNames.mid(0, 3), QStringList({"", empty, ball}));
        QCOMPARE(app.dialogs.Texts("question"), QStringList{"Save changes to project \"Demo\"?"});
        QCOMPARE(app.dialogs.Texts("saveas"), QStringList{"Vellicor Projects (*.vellicor)"});
        QCOMPARE(app.dialogs.Count("message") + app.dialogs.Count("open"), 0);
    }

    void newProjectClosesOpenEditors() {
        Journey app;
        app.NewProject("Game");
        frmSprite* first = app.NewSprite("Ball");
        frmSprite* second = app.NewSprite("Ball"); // names need not be unique
        QCOMPARE(second->windowTitle() + second->Tag(), QString("Ball1"));
        first->findChild<QRadioButton*>("opt8")->click();
        app.Paint(0, 0, kBlack);

        app.NewProject("Game");
        QVERIFY(!first->isVisible() && !second->isVisible());
        QCOMPARE(app.Tree()->currentIndex(), app.ProjectNode());
        QVERIFY(app.Tree()->isExpanded(app.ProjectNode()));
        QCOMPARE(app.NodeKeys(), QStringList());
        frmSprite* next = app.NewSprite("Fresh");
        QCOMPARE(app.NodeKeys(), QStringList{"s0"});
        QVERIFY(next != first && next->Tag() == "0");
        QCOMPARE(app.main->Table().Record(0).Size, 0);
        QVERIFY(app.main->Table().Record(0).PlaneDark.IsClear());
    }

    void reopenSprite() {
        Journey app;
        app.DoubleClick({});  // nothing selected yet
        app.NewProject("s0"); // named like the first sprite's key
        Editor editor{app.NewSprite("Ball")};
        frmSprite* window = editor.window;
        QWidget* canvas = editor.Canvas();
        editor.ChooseSize(16);
        QTest::mouseClick(canvas, Qt::LeftButton, {}, Editor::CellCentre(canvas, 3, 5, 16));
        editor.Zoom()->setValue(40);
        app.DoubleClick(app.SpriteNode(0)); // open: nothing happens
        QCOMPARE(editor.Zoom()->value(), 40);
        window->showMinimized(); // minimised still counts as open
        app.DoubleClick(app.SpriteNode(0));
        QVERIFY(window->isMinimized());

        for (const bool maximised : {true, false}) {
            maximised ? window->showMaximized() : window->showNormal();
            app.ClickCloseButton(window);
            QVERIFY(!window->isVisible() && !app.main->Table().Record(0).IsOpen);
            app.DoubleClick(app.SpriteNode(0), Qt::MiddleButton); // only the left button reopens
            app.DoubleClick(app.ProjectNode());                   // the project node opens nothing
            QVERIFY(!window->isVisible());
            app.Tree()->expandAll(); // that double-click folded the project away
            app.DoubleClick(app.SpriteNode(0));
            QVERIFY(app.main->Table().Record(0).IsOpen);
            QCOMPARE(window->windowTitle(), QString("Ball"));
            QCOMPARE(editor.Zoom()->value(), 25);
            QCOMPARE(editor.CheckedSize(), 16);
            QCOMPARE(canvas->width(), 139);
            // The window shows its sprite on the screen, not just in its widgets.
            auto shownCells = [&app, &editor] {
                const QImage screen = app.main->screen()->grabWindow(app.main->winId()).toImage();
                QStringList cells;
                for (QWidget* surface : {editor.Canvas(), editor.Preview()})
                    for (int column : {3, 4}) {
                        const QPoint cell = Editor::CellCentre(surface, column, 5, 16);
                        const QRgb pixel = screen.pixel(surface->mapTo(app.main.get(), cell));
                        cells << QString::number(pixel & 0xFFFFFFU, 16);
                    }
                return cells.join(' ');
            };
            QTRY_COMPARE(shownCells(), QString("0 ffffff 0 ffffff"));
        }
    }

    void treePopup() {
        Journey app;
        QMenu* popup = app.main->RightClickMenu();
        auto visibleItems = [popup] {
            QStringList items;
            for (QAction* action : popup->actions())
                if (action->isVisible())
                    items << action->text() + (action->isEnabled() ? "" : " (greyed)");
            return items;
        };
        QTest::mousePress(app.Tree()->viewport(), Qt::RightButton, {}, QPoint(20, 20));
        QVERIFY(popup->isVisible());
        QCOMPARE(visibleItems(), QStringList{"New &Project"});
        popup->hide();

        app.NewProject("Game");
        app.NewSprite("Ball");
        app.Tree()->setCurrentIndex(app.SpriteNode(0));
        QTest::mousePress(app.Tree()->viewport(), Qt::RightButton, {},
                          app.Tree()->visualRect(app.ProjectNode()).center());
        QCOMPARE(visibleItems(),
                 QStringList({"New &Project", "New Sprite &Array (greyed)", "New &Sprite", "",
                              "&Rename...", "&Delete", "Dupli&cate", "Move &Up (greyed)",
                              "Move Do&wn (greyed)"}));
        QCOMPARE(app.Tree()->currentIndex(), app.SpriteNode(0)); // the press selects nothing
        popup->hide();
        app.dialogs.inputAnswers << "Bat";
        app.main->findChild<QAction*>("mnuRightClickSprite")->trigger();
        QCOMPARE(app.NodeKeys(), QStringList({"s0", "s1"}));
        QCOMPARE(app.SpriteNode(1).data().toString(), QString("Bat"));

        // The scroll bars are part of the tree too. A menu of their own would block in its own loop
        // until the timer closes it.
        QScrollBar* scrollBar = app.Tree()->verticalScrollBar();
        while (!scrollBar->isVisible())
            app.NewSprite("More");
        QWidget* opened = nullptr;
        QTimer::singleShot(0, [&opened] {
            opened = QApplication::activePopupWidget();
            if (opened != nullptr)
                opened->close();
        });
        QTest::mousePress(scrollBar, Qt::RightButton, {}, scrollBar->rect().center());
        QTRY_VERIFY(opened != nullptr);
        QVERIFY(opened == popup); // compared, not printed: a menu of its own is gone by now
    }

    void refusesSpritesBeyondTheCount() {
        Journey app;
        app.NewProject("Huge");
        SpriteTable full;
        while (!full.IsFull())
            full.Append("S");
        app.main->Document().ReplaceProject("Huge", std::move(full), QString());
        app.dialogs.shown.clear();
        app.dialogs.inputAnswers << "OneMore";
        app.main->NewSprite();
        QCOMPARE(app.main->Table().SpriteCount(), 32767);
        QCOMPARE(app.dialogs.Texts("input"), QStringList());
        QCOMPARE(app.dialogs.Texts("message"),
                 QStringList{"This project already holds 32767 sprites, the most it can hold."});
    }
};

QTEST_MAIN(TestJourneys)
#include "test_journeys.moc"
