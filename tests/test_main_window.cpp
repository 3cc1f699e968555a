// The main window as it starts, its bars, panels and About box, and the names its commands take
// as users type and paste them.
#include "model/name_rules.h"
#include "support/app_fixture.h"

#include <QClipboard>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

using namespace vellicor;

Q_DECLARE_METATYPE(NameVerdict)

class TestMainWindow : public QObject {
    Q_OBJECT
  private slots:
    void startUp() {
        AppFixture app;
        // What the user sees at start-up, one line per menu, button and swatch: menus with caption,
        // shortcut and state, toolbar buttons with key, tip and state, swatches and panels with
        // place and the colour on the screen.
        QStringList shown;
        for (QAction* action : app.main->menuBar()->actions())
            shown << action->text() + (action->isVisible() ? "" : " hidden");
        for (const char* name :
             {"mnuFileNewProject", "mnuFileNewSpriteArray", "mnuFileNewSprite", "mnuFileOpen",
              "mnuFileSave", "mnuFileExit", "mnuHelpAbout", "mnuRightClickProject",
              "mnuRightClickSpriteArray", "mnuRightClickSprite"}) {
            const auto* action = app.main->findChild<QAction*>(name);
            shown << action->text() + " " + action->shortcut().toString() +
                         (action->isEnabled() ? "" : " off");
        }
        auto* toolbar = app.Find<QToolBar>("tbrMain");
        QAction* newButton = app.main->ToolbarAction("new");
        for (QAction* action : toolbar->actions() + newButton->menu()->actions()) {
            const QString state = !action->isCheckable() ? ""
                                  : action->isChecked()  ? " down"
                                                         : " up";
            shown << (action->isSeparator() ? "|"
                                            : action->data().toString() + " " + action->toolTip() +
                                                  state + (action->isEnabled() ? "" : " off") +
                                                  (action->icon().isNull() ? " no image" : ""));
        }
        const auto place = [&shown](QWidget* widget, QPoint at) {
            shown << QString("%1,%2 %3")
                         .arg(widget->x())
                         .arg(widget->y())
                         .arg(Editor::PixelAt(widget, at), 6, 16, QChar('0'));
        };
        for (QWidget* swatch : {app.Find("picFore"), app.Find("picBack")})
            place(swatch, {8, 8});
        for (int i = 0; i < 5; ++i)
            place(app.Swatch(i), {8, 8});
        place(app.Find("Picture6"), {2, 2});
        // clang-format off
        QCOMPARE(shown, QStringList({"&File", "&Edit", "&Sprite", "&Image", "&View", "&Help",
            "rightclick hidden",
            "&Project ", "Sprite &Array Ctrl+R off", "&Sprite Ctrl+N off", "&Open Ctrl+O",
            "&Save Ctrl+S", "E&xit ", "&About ", "New &Project ", "New Sprite &Array  off",
            "New &Sprite ",
            "new New", "open Open", "save Save", "|", "pencil Pencil down", "eraser Eraser up",
            "circle Circle up", "rectangle Rectangle up", "fill Fill up", "select Select up", "|",
            "compile Compile",
            "sprite array Sprite Array off no image", "sprite Sprite off no image",
            "8,8 000000", "16,16 ffffff", "24,240 000000", "40,240 808080", "56,240 c0c0c0",
            "72,240 ffffff", "24,256 00ffff", "32,184 e0e0e0"}));
        // clang-format on
        QCOMPARE(app.Tree()->geometry(), QRect(8, 8, 105, 169));
        QCOMPARE(qobject_cast<QToolButton*>(toolbar->widgetForAction(newButton))->popupMode(),
                 QToolButton::MenuButtonPopup);

        // Ctrl+N does nothing until a project exists.
        QVERIFY(QTest::qWaitForWindowActive(app.main.get()));
        QTest::keyClick(app.main.get(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(app.dialogs.shown.size(), 0);
        app.NewProject("Game");
        app.dialogs.inputAnswers << "Ball";
        QTest::keyClick(app.main.get(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(app.main->Table().SpriteCount(), 1);
    }

    void sizeAndStatusPanels() {
        ScriptedDialogs dialogs;
        frmMain main(dialogs); // as the program starts it, before any resize of its own
        main.showNormal();
        QCOMPARE(QSize(main.width(), main.height() - main.menuBar()->height()), QSize(717, 568));
        auto* panels = main.findChild<StatusPanels*>("sbrMain");
        QCOMPARE(panels->height(), 25);
        // Panel 1 takes what the outer width leaves of panels 2 and 3, down to the narrowest
        // window.
        for (int width : {800, 0}) {
            main.resize(width, 600);
            QCOMPARE(panels->PanelWidth(0), main.frameGeometry().width() - 192);
        }
    }

    void rightPressOnBarsOpensNoMenu() {
        AppFixture app;
        auto* toolbar = app.Find<QToolBar>("tbrMain");
        QWidget* button = toolbar->widgetForAction(app.main->ToolbarAction("pencil"));
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

    void treeImagesAreNotTintedWhenSelected() {
        AppFixture app;
        app.NewProject("Game");
        app.NewSprite("Ball");
        QVERIFY(!app.Tree()->selectionModel()->isSelected(app.ProjectNode()));
        QVERIFY(app.Tree()->selectionModel()->isSelected(app.SpriteNode(0)));
        const QImage shown = app.Tree()->viewport()->grab().toImage();
        // Each node's image appears, pixel for pixel, somewhere in its row.
        for (const QModelIndex& node : {app.ProjectNode(), app.SpriteNode(0)}) {
            const QImage image =
                node.data(Qt::DecorationRole).value<QIcon>().pixmap(16, 16).toImage();
            const QRect row = app.Tree()->visualRect(node);
            bool found = false;
            for (int top = row.top(); !found && top + 16 <= row.bottom() + 1; ++top) {
                for (int left = 0; !found && left + 16 <= shown.width(); ++left) {
                    found = true;
                    for (int y = 0; y < 16 && found; ++y)
                        for (int x = 0; x < 16 && found; ++x)
                            found = qAlpha(image.pixel(x, y)) < 255 ||
                                    shown.pixel(left + x, top + y) == image.pixel(x, y);
                }
            }
            QVERIFY2(found, qPrintable(node.data().toString()));
        }
    }

    void aboutBox() {
        AppFixture app;
        QStringList shown;
        app.dialogs.onModal = [&shown](QDialog& about) {
            shown << about.windowTitle();
            for (const char* label : {"lblTitle", "lblVersion", "lblDescription"})
                shown << about.findChild<QLabel*>(label)->text();
            QVERIFY(about.isModal() && !(about.windowFlags() & Qt::WindowMinMaxButtonsHint));
            QCOMPARE(about.size(), QSize(344, 144));
            QTest::mouseClick(about.findChild<QPushButton*>("Command1"), Qt::LeftButton);
            shown << (about.isVisible() ? "still shown" : "closed");
        };
        app.main->findChild<QAction*>("mnuHelpAbout")->trigger();
        QCOMPARE(shown, QStringList({"About Vellicor", "Vellicor - Sprite development environment",
                                     "1.0 b", "Developed by Tessbyrne", "closed"}));
    }

    void nameRules_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<NameVerdict>("project");
        QTest::addColumn<NameVerdict>("sprite");
        using enum NameVerdict;
        const auto row = [](const char* title, const QString& name, NameVerdict project,
                            NameVerdict sprite) {
            QTest::newRow(title) << name << project << sprite;
        };
        row("empty", "", Ignore, Ignore);
        row("lower-case letter", "ball2", Accept, Accept);
        row("letter, space", "Red Ball", Accept, Refuse);
        row("digit", "2Ball", Refuse, Refuse);
        row("other", "_ball", Ignore, Ignore);
        row("leading space", " Ball", Ignore, Refuse);
        row("accented letter", "\u00C9t\u00E9", Ignore, Ignore);
        row("dotless i", "\u0131con", Ignore, Ignore);
        row("long s, space", "\u017Fun set", Ignore, Refuse);
        // A no-break space counts as a space for a sprite; a project may hold it.
        row("letter, no-break space", "Red\u00A0Ball", Accept, Refuse);
        // A control character is refused wherever it stands, in either name.
        row("null", QString("Ba") + QChar(0) + "ll", Refuse, Refuse);
        row("delete", "Ball\u007F", Refuse, Refuse);
        row("leading next line", "\u0085Ball", Refuse, Refuse);
        // Neither can a line or paragraph separator, a non-character or half a surrogate pair, so
        // that every name kept in a project opens again.
        row("line separator", "Red\u2028Ball", Refuse, Refuse);
        row("paragraph separator", "Red\u2029", Refuse, Refuse);
        row("non-character", "Ball\uFFFE", Refuse, Refuse);
        row("unpaired surrogate", QString("Ball") + QChar(0xD800), Refuse, Refuse);
        row("too long", "B" + QString(kMaxNameLength, 'a'), Refuse, Refuse);
        // Format characters and characters beyond the first plane are text like any other.
        row("zero-width joiner", "Ba\u200Dll", Accept, Accept);
        row("beyond the first plane", "Ball\U0001F47E", Accept, Accept);
    }

    void nameRules() {
        QFETCH(QString, name);
        QFETCH(NameVerdict, project);
        QFETCH(NameVerdict, sprite);
        QCOMPARE(CheckName(name, NameKind::Project), project);
        QCOMPARE(CheckName(name, NameKind::Sprite), sprite);
    }

    void namesPastedThroughTheRealInputBox_data() {
        QTest::addColumn<bool>("sprite");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("outcome"); // "taken", "ignored" or "refused"
        // clang-format off
        QTest::newRow("project, line break") << false << "Red\nBall" << "refused";
        QTest::newRow("project, no-break space") << false << "Red\u00A0Ball" << "taken";
        QTest::newRow("project, paragraph separator") << false << "Red\u2029Ball" << "refused";
        QTest::newRow("sprite, leading tab") << true << "\tBall" << "refused";
        QTest::newRow("sprite, underscore") << true << "_ball" << "ignored";
        // clang-format on
    }

    void namesPastedThroughTheRealInputBox() {
        QFETCH(bool, sprite);
        QFETCH(QString, pasted);
        QFETCH(QString, outcome);
        QtDialogs dialogs;
        frmMain main(dialogs);
        QString clipboard = "Old";
        QStringList arrived;
        QStringList messages;
        // Answers the real modal dialogs as a user would: pastes into the input box with Ctrl+V and
        // presses Enter; reads the message box and presses its OK button. A window system may take
        // a moment to show a dialog, so a press that did not close it is simply made again.
        QTimer user;
        QPointer<QWidget> answering; // null again once that dialog is gone
        connect(&user, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            const bool first = modal != nullptr && modal != answering;
            if (first)
                answering = modal;
            if (auto* input = qobject_cast<QInputDialog*>(modal)) {
                auto* edit = input->findChild<QLineEdit*>();
                if (first) {
                    QGuiApplication::clipboard()->setText(clipboard);
                    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
                    arrived << edit->text();
                }
                QTest::keyClick(edit, Qt::Key_Return);
            } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                if (first)
                    messages << box->windowTitle() + ": " + box->text();
                QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
            }
        });
        user.start(10);
        main.NewProject();
        clipboard = pasted;
        sprite ? main.NewSprite() : main.NewProject();
        // The line edit keeps line breaks and tabs as pasted: they reach the command unchanged.
        QCOMPARE(arrived, QStringList({"Old", pasted}));
        QCOMPARE(messages, outcome == "refused"
                               ? QStringList{"Error: Sprite name must start with a "
                                             "letter and have no spaces."}
                               : QStringList());
        const bool taken = outcome == "taken";
        QCOMPARE(main.ProjectName(), taken && !sprite ? pasted : QString("Old"));
        QCOMPARE(main.Table().SpriteCount(), taken && sprite ? 1 : 0);
        QCOMPARE(main.findChild<QTreeView*>("tvMain")->model()->rowCount(
                     main.findChild<QTreeView*>("tvMain")->model()->index(0, 0)),
                 main.Table().SpriteCount());
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
