#include "support/app_fixture.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

using namespace vellicor;

class TestMainWindow : public QObject {
    Q_OBJECT
  private slots:
    void startUp();
    void menusAndSwatches();
    void statusPanelsFollowTheWindow();
    void rightPressOnBarsOpensNoMenu();
    void aboutBoxAndExit();
    void treeImagesAreNotTintedWhenSelected();
};

void TestMainWindow::startUp() {
    AppFixture app;
    QCOMPARE(app.main->windowTitle(), QString("Vellicor"));
    QStringList menus;
    for (QAction* action : app.main->menuBar()->actions())
        menus << (action->isVisible() ? action->text() : "hidden " + action->text());
    QCOMPARE(menus, QStringList({"&File", "&Help", "hidden rightclick"}));

    auto* toolbar = app.Find<QToolBar>("tbrMain");
    QCOMPARE(toolbar->height(), 24);
    QStringList buttons;
    for (QAction* action : toolbar->actions()) {
        buttons << (action->isSeparator() ? "|"
                                          : action->data().toString() + " " + action->toolTip());
        buttons.last() += action->isCheckable() ? (action->isChecked() ? " down" : " up") : "";
        QVERIFY(action->isSeparator() || action->icon().pixmap(16, 16).size() == QSize(16, 16));
    }
    QCOMPARE(buttons, QStringList({"new New", "open Open", "save Save", "|", "pencil Pencil down",
                                   "eraser Eraser up", "circle Circle up", "rectangle Rectangle up",
                                   "fill Fill up", "|", "compile Compile"}));
    QAction* newButton = app.main->ToolbarAction("new");
    QCOMPARE(qobject_cast<QToolButton*>(toolbar->widgetForAction(newButton))->popupMode(),
             QToolButton::MenuButtonPopup);
    const QList<QAction*> items = newButton->menu()->actions();
    QCOMPARE(items.size(), 2);
    QCOMPARE(items[0]->text() + "/" + items[0]->data().toString(),
             QString("Sprite Array/sprite array"));
    QCOMPARE(items[1]->text() + "/" + items[1]->data().toString(), QString("Sprite/sprite"));
    QVERIFY(!items[1]->isEnabled());

    QCOMPARE(app.Find("Picture1")->width(), 124);
    QCOMPARE(app.Tree()->geometry(), QRect(8, 8, 105, 169));
    QCOMPARE(app.Tree()->topLevelItemCount(), 0);
    QCOMPARE(app.Find("Picture6")->geometry(), QRect(32, 184, 49, 49));
    QCOMPARE(Editor::PixelAt(app.Find("Picture6"), QPoint(2, 2)), QRgb(0xE0E0E0));
    QCOMPARE(app.main->Table().RecordCount(), 1);

    // Ctrl+N does nothing until a project exists.
    QVERIFY(QTest::qWaitForWindowActive(app.main.get()));
    QTest::keyClick(app.main.get(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(app.dialogs.shown.size(), 0);
    app.NewProject("Game");
    app.dialogs.inputAnswers << "Ball";
    QTest::keyClick(app.main.get(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(app.main->Table().SpriteCount(), 1);
}

void TestMainWindow::menusAndSwatches() {
    AppFixture app;
    static constexpr const char* kMenus[][2] = {
        {"mnuFileNewProject", "&Project  on"},
        {"mnuFileNewSpriteArray", "Sprite &Array Ctrl+R off"},
        {"mnuFileNewSprite", "&Sprite Ctrl+N off"},
        {"mnuFileOpen", "&Open Ctrl+O on"},
        {"mnuFileSave", "&Save Ctrl+S on"},
        {"mnuFileExit", "E&xit  on"},
        {"mnuHelpAbout", "&About  on"},
        {"mnuRightClickProject", "New &Project  on"},
        {"mnuRightClickSpriteArray", "New Sprite &Array  off"},
        {"mnuRightClickSprite", "New &Sprite  on"}};
    for (const auto& [name, expected] : kMenus) {
        const auto* action = app.main->findChild<QAction*>(name);
        QCOMPARE(action->text() + " " + action->shortcut().toString() +
                     (action->isEnabled() ? " on" : " off"),
                 QString(expected));
    }
    // Position, stored colour and shown colour of every swatch.
    const QStringList expected{"8,8 000000",    "16,16 ffffff",  "24,240 000000", "40,240 808080",
                               "56,240 c0c0c0", "72,240 ffffff", "24,256 00ffff"};
    QStringList swatches;
    QList<ColourSwatch*> all{app.Find<ColourSwatch>("picFore"), app.Find<ColourSwatch>("picBack")};
    for (int i = 0; i < 5; ++i)
        all << app.Swatch(i);
    for (ColourSwatch* swatch : all) {
        QCOMPARE(swatch->size(), QSize(17, 17));
        QCOMPARE(Editor::PixelAt(swatch, QPoint(8, 8)), swatch->Colour().rgb() & 0xFFFFFFU);
        swatches << QString("%1,%2 %3")
                        .arg(swatch->x())
                        .arg(swatch->y())
                        .arg(swatch->Colour().name().mid(1));
    }
    QCOMPARE(swatches, expected);
}

void TestMainWindow::statusPanelsFollowTheWindow() {
    ScriptedDialogs dialogs;
    frmMain main(dialogs); // as the program starts it, before any resize of its own
    main.showNormal();
    QCOMPARE(QSize(main.width(), main.height() - main.menuBar()->height()), QSize(717, 568));
    auto* panels = main.findChild<StatusPanels*>("sbrMain");
    QCOMPARE(panels->height(), 25);
    // Panel 1 takes what the outer width leaves of panels 2 and 3, down to the narrowest window.
    for (int width : {800, 0}) {
        main.resize(width, 600);
        QCOMPARE(panels->PanelWidth(0), main.frameGeometry().width() - 192);
    }
}

void TestMainWindow::rightPressOnBarsOpensNoMenu() {
    AppFixture app;
    QWidget* toolbar = app.Find("tbrMain");
    QWidget* button =
        app.Find<QToolBar>("tbrMain")->widgetForAction(app.main->ToolbarAction("pencil"));
    QMenuBar* menuBar = app.main->menuBar();
    const QList<QPair<QWidget*, QPoint>> presses{{menuBar, QPoint(menuBar->width() - 60, 5)},
                                                 {toolbar, QPoint(toolbar->width() - 60, 5)},
                                                 {button, QPoint(5, 5)}};
    for (const auto& [widget, at] : presses) {
        QTest::mousePress(widget, Qt::RightButton, {}, at);
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
        QTest::mouseRelease(widget, Qt::RightButton, {}, at);
    }
}

void TestMainWindow::aboutBoxAndExit() {
    AppFixture app;
    bool shown = false;
    app.dialogs.onModal = [&shown](QDialog& about) {
        QCOMPARE(about.windowTitle(), QString("About Vellicor"));
        QCOMPARE(about.size(), QSize(344, 144));
        QVERIFY(about.isModal() && !(about.windowFlags() & Qt::WindowMinMaxButtonsHint));
        QStringList texts;
        for (const char* label : {"lblTitle", "lblVersion", "lblDescription"})
            texts << about.findChild<QLabel*>(label)->text();
        QCOMPARE(texts, QStringList({"Vellicor - Sprite development environment", "1.0 b",
                                     "Developed by Tessbyrne"}));
        auto* ok = about.findChild<QPushButton*>("Command1");
        QCOMPARE(ok->text(), QString("&Ok"));
        QTest::mouseClick(ok, Qt::LeftButton);
        shown = !about.isVisible();
    };
    app.main->findChild<QAction*>("mnuHelpAbout")->trigger();
    QVERIFY(shown);

    app.NewProject("Game");
    app.NewSprite("Ball");
    app.main->findChild<QAction*>("mnuFileExit")->trigger();
    QVERIFY(!app.main->isVisible());
    QVERIFY(!app.main->Table().Record(0).IsOpen);
    QCOMPARE(app.dialogs.Count("message"), 0);
}

void TestMainWindow::treeImagesAreNotTintedWhenSelected() {
    AppFixture app;
    app.NewProject("Game");
    app.NewSprite("Ball");
    const QImage shown = app.Tree()->viewport()->grab().toImage();
    // Whether the node's image appears, pixel for pixel, somewhere in its row.
    auto showsItsImage = [&shown, &app](QTreeWidgetItem* node) {
        const QImage image = node->icon(0).pixmap(16, 16).toImage();
        const QRect row = app.Tree()->visualItemRect(node);
        for (int top = row.top(); top + 16 <= row.bottom() + 1; ++top) {
            for (int left = 0; left + 16 <= shown.width(); ++left) {
                bool same = true;
                for (int y = 0; y < 16 && same; ++y)
                    for (int x = 0; x < 16 && same; ++x)
                        same = qAlpha(image.pixel(x, y)) < 255 ||
                               shown.pixel(left + x, top + y) == image.pixel(x, y);
                if (same)
                    return true;
            }
        }
        return false;
    };
    QVERIFY(!app.Tree()->topLevelItem(0)->isSelected() && app.SpriteNode(0)->isSelected());
    QVERIFY(showsItsImage(app.Tree()->topLevelItem(0)));
    QVERIFY(showsItsImage(app.SpriteNode(0)));
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
