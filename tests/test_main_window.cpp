#include "main_window/colour_swatch.h"
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
    void captionAndMenuBar();
    void menuItems_data();
    void menuItems();
    void toolbar();
    void leftPanel_data();
    void leftPanel();
    void statusPanelsFollowTheWindow();
    void ctrlNBeforeAProjectDoesNothing();
    void aboutBox();
    void exitClosesEditorsAndWindow();
};

void TestMainWindow::captionAndMenuBar() {
    AppFixture app;
    QCOMPARE(app.main->windowTitle(), QString("Vellicor"));
    QStringList shown;
    for (QAction* action : app.main->menuBar()->actions())
        if (action->isVisible())
            shown << action->text();
    QCOMPARE(shown, QStringList({"&File", "&Help"}));
    QCOMPARE(app.main->RightClickMenu()->title(), QString("rightclick"));
}

void TestMainWindow::menuItems_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shortcut");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("project") << "mnuFileNewProject"
                             << "&Project"
                             << "" << true;
    QTest::newRow("sprite array") << "mnuFileNewSpriteArray"
                                  << "Sprite &Array"
                                  << "Ctrl+R" << false;
    QTest::newRow("sprite") << "mnuFileNewSprite"
                            << "&Sprite"
                            << "Ctrl+N" << false;
    QTest::newRow("open") << "mnuFileOpen"
                          << "&Open"
                          << "Ctrl+O" << true;
    QTest::newRow("save") << "mnuFileSave"
                          << "&Save"
                          << "Ctrl+S" << true;
    QTest::newRow("exit") << "mnuFileExit"
                          << "E&xit"
                          << "" << true;
    QTest::newRow("about") << "mnuHelpAbout"
                           << "&About"
                           << "" << true;
    QTest::newRow("popup project") << "mnuRightClickProject"
                                   << "New &Project"
                                   << "" << true;
    QTest::newRow("popup array") << "mnuRightClickSpriteArray"
                                 << "New Sprite &Array"
                                 << "" << false;
    QTest::newRow("popup sprite") << "mnuRightClickSprite"
                                  << "New &Sprite"
                                  << "" << true;
}

void TestMainWindow::menuItems() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, shortcut);
    QFETCH(bool, enabled);
    AppFixture app;
    auto* action = app.main->findChild<QAction*>(name);
    QVERIFY(action);
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->shortcut().toString(), shortcut);
    QCOMPARE(action->isEnabled(), enabled);
}

void TestMainWindow::toolbar() {
    AppFixture app;
    auto* toolbar = app.Find<QToolBar>("tbrMain");
    QCOMPARE(toolbar->height(), 24);
    QStringList keys;
    for (QAction* action : toolbar->actions())
        keys << (action->isSeparator() ? "|" : action->data().toString());
    QCOMPARE(keys, QStringList({"new", "open", "save", "|", "pencil", "eraser", "circle",
                                "rectangle", "fill", "|", "compile"}));
    const QStringList tools{"pencil", "eraser", "circle", "rectangle", "fill"};
    for (QAction* action : toolbar->actions()) {
        const QString key = action->data().toString();
        if (action->isSeparator())
            continue;
        QCOMPARE(action->toolTip(), key.left(1).toUpper() + key.mid(1));
        QCOMPARE(action->isCheckable(), tools.contains(key));
        QCOMPARE(action->isChecked(), key == "pencil");
        QCOMPARE(action->icon().pixmap(16, 16).size(), QSize(16, 16));
    }
    QAction* newAction = app.main->ToolbarAction("new");
    auto* button = qobject_cast<QToolButton*>(toolbar->widgetForAction(newAction));
    QCOMPARE(button->popupMode(), QToolButton::MenuButtonPopup);
    const QList<QAction*> items = newAction->menu()->actions();
    QCOMPARE(items.size(), 2);
    QCOMPARE(items[0]->text(), QString("Sprite Array"));
    QCOMPARE(items[0]->data().toString(), QString("sprite array"));
    QCOMPARE(items[1]->text(), QString("Sprite"));
    QCOMPARE(items[1]->data().toString(), QString("sprite"));
    QVERIFY(!items[1]->isEnabled());
}

void TestMainWindow::leftPanel_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QRgb>("colour");
    QTest::newRow("picFore") << "picFore" << -1 << QRect(8, 8, 17, 17) << QRgb(0x000000);
    QTest::newRow("picBack") << "picBack" << -1 << QRect(16, 16, 17, 17) << QRgb(0xFFFFFF);
    QTest::newRow("black") << "Picture2" << 0 << QRect(24, 240, 17, 17) << QRgb(0x000000);
    QTest::newRow("dark grey") << "Picture2" << 1 << QRect(40, 240, 17, 17) << QRgb(0x808080);
    QTest::newRow("light grey") << "Picture2" << 2 << QRect(56, 240, 17, 17) << QRgb(0xC0C0C0);
    QTest::newRow("white") << "Picture2" << 3 << QRect(72, 240, 17, 17) << QRgb(0xFFFFFF);
    QTest::newRow("cyan") << "Picture2" << 4 << QRect(24, 256, 17, 17) << QRgb(0x00FFFF);
}

void TestMainWindow::leftPanel() {
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(QRect, geometry);
    QFETCH(QRgb, colour);
    AppFixture app;
    QCOMPARE(app.Find("Picture1")->width(), 124);
    QCOMPARE(app.Tree()->geometry(), QRect(8, 8, 105, 169));
    QCOMPARE(app.Find("Picture6")->geometry(), QRect(32, 184, 49, 49));
    QCOMPARE(app.Find("Picture6")->palette().color(QPalette::Window), QColor(224, 224, 224));
    ColourSwatch* swatch = nullptr;
    for (auto* candidate : app.main->findChildren<ColourSwatch*>(name))
        if (index < 0 || candidate->property("index").toInt() == index)
            swatch = candidate;
    QVERIFY(swatch);
    QCOMPARE(swatch->geometry(), geometry);
    QCOMPARE(swatch->Colour().rgb() & 0xFFFFFFU, colour);
    QCOMPARE(Editor::PixelAt(swatch, QPoint(8, 8)), colour);
}

void TestMainWindow::statusPanelsFollowTheWindow() {
    AppFixture app;
    auto* panels = app.Find<StatusPanels>("sbrMain");
    QCOMPARE(panels->height(), 25);
    QCOMPARE(panels->PanelWidth(1), 96);
    QCOMPARE(panels->PanelWidth(2), 96);
    app.main->resize(800, 600);
    QCOMPARE(panels->PanelWidth(0), app.main->frameGeometry().width() - 192);
    app.main->setMinimumWidth(0);
    app.main->resize(150, 600); // narrower than panels 2 and 3
    if (app.main->frameGeometry().width() < 192)
        QCOMPARE(panels->PanelWidth(0), 96);
    QCOMPARE(panels->PanelWidth(1), 96);
    QVERIFY(!panels->SetPanelWidth(0, -1));
    app.main->resize(700, 600);
    QCOMPARE(panels->PanelWidth(0), app.main->frameGeometry().width() - 192);
}

void TestMainWindow::ctrlNBeforeAProjectDoesNothing() {
    AppFixture app;
    app.main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(app.main.get()));
    QTest::keyClick(app.main.get(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(app.dialogs.shown.size(), 0);
    app.NewProject("Game");
    app.dialogs.inputAnswers << "Ball";
    QTest::keyClick(app.main.get(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(app.main->Table().SpriteCount(), 1);
}

void TestMainWindow::aboutBox() {
    AppFixture app;
    bool checked = false;
    app.dialogs.onModal = [&checked](QDialog& about) {
        QCOMPARE(about.size(), QSize(344, 144));
        QVERIFY(about.isModal());
        QVERIFY(!(about.windowFlags() & Qt::WindowMinMaxButtonsHint));
        QCOMPARE(about.findChild<QLabel*>("lblTitle")->text(),
                 QString("Vellicor - Sprite development environment"));
        QCOMPARE(about.findChild<QLabel*>("lblVersion")->text(), QString("1.0 b"));
        QCOMPARE(about.findChild<QLabel*>("lblDescription")->text(),
                 QString("Developed by Tessbyrne"));
        QVERIFY(!about.findChild<QLabel*>("Image1")->pixmap().isNull());
        auto* ok = about.findChild<QPushButton*>("Command1");
        QCOMPARE(ok->text(), QString("&Ok"));
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!about.isVisible());
        checked = true;
    };
    app.main->findChild<QAction*>("mnuHelpAbout")->trigger();
    QVERIFY(checked);
    QCOMPARE(app.dialogs.shown.value(0).text, QString("About Vellicor"));
}

void TestMainWindow::exitClosesEditorsAndWindow() {
    AppFixture app;
    app.NewProject("Game");
    app.NewSprite("Ball");
    QVERIFY(app.main->Table().Record(0).IsOpen);
    app.main->findChild<QAction*>("mnuFileExit")->trigger();
    QVERIFY(!app.main->isVisible());
    QVERIFY(!app.main->Table().Record(0).IsOpen);
    QCOMPARE(app.dialogs.Count("message"), 0);
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
