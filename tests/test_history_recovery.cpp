// Undo and redo through the Edit menu, and crash recovery through a real process that is killed.
#include "editor/qt_colour.h"
#include "export/header_text.h"
#include "support/app_fixture.h"

#include <QProcess>
#include <QUndoStack>
#include <csignal>

using namespace vellicor;

namespace {

struct HistoryFixture : AppFixture {
    Editor editor{nullptr};

    using AppFixture::AppFixture;
    void StartSprite() {
        NewProject("Demo");
        editor.window = NewSprite("Ball");
    }
    std::string Header() const { return HeaderText(main->Table()); }
    // The header of what a crash now would recover; empty when there is no journal.
    std::string RecoveredHeader() const {
        const JournalRead read = Journal();
        return read.project ? HeaderText(read.project->table) : std::string();
    }
};

// The child process's side of the crash test: a project made as `scenario` says and its header
// compiled, then a wait to be killed.
int ActAndWait(const QString& recovery, const QString& headers, const QString& scenario) {
    HistoryFixture app(recovery);
    app.NewProject("Demo");
    if (scenario == "strokes") {
        app.editor.window = app.NewSprite("Ball");
        app.editor.ChooseSize(16);
        for (int i = 0; i < 12; ++i) {
            const Qt::MouseButton button = i % 2 ? Qt::RightButton : Qt::LeftButton;
            app.main->SwatchPress(i % 5, button);
            app.editor.Stroke({{i % 16, i / 2}, {(i * 7) % 16, (i * 3) % 16}, {15 - i % 16, 15}},
                              button);
        }
    } else {
        for (const char* name : {"Ball", "Car", "Dot"})
            app.NewSprite(name);
        if (scenario != "new sprites") {
            app.main->EditorWindows()[0]->close();
            app.main->EditorWindows()[2]->close();
        }
        if (scenario == "reopened")
            app.DoubleClick(app.SpriteNode(2));
    }
    app.CompileTo(headers + "/final.h");
    // Strokes reach the journal as they complete; windows get the turn of the event loop that
    // comes before the next user event.
    if (scenario != "strokes")
        QCoreApplication::processEvents();
    std::puts("ready");
    std::fflush(stdout);
    QTest::qWait(60000);
    return 1; // never reached: the parent kills us first
}

// The restarted program: recovers, compiles, says what it recovered and exits normally.
int RecoverAndReport(const QString& recovery, const QString& header) {
    HistoryFixture app(recovery);
    app.dialogs.recoverAnswers << true;
    app.main->RecoverUnsavedWork();
    app.CompileTo(header);
    QStringList open;
    for (const auto& window : app.main->EditorWindows())
        if (window && window->isVisible())
            open << window->windowTitle();
    std::printf("%s modified=%d open=%s asked=%s\n", qPrintable(app.main->ProjectName()),
                app.main->Document().IsModified() ? 1 : 0, qPrintable(open.join(',')),
                qPrintable(app.dialogs.Texts("recover").join('|').left(60)));
    return 0;
}

QStringList Journals(const QString& folder) {
    return QDir(folder).entryList({"*.journal"}, QDir::Files);
}

} // namespace

class TestHistoryRecovery : public QObject {
    Q_OBJECT
  private slots:
    void undoAndRedoStrokesAndSizes() {
        HistoryFixture app;
        app.StartSprite();
        QAction* undo = app.Action("mnuEditUndo");
        QAction* redo = app.Action("mnuEditRedo");
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
        QCOMPARE(undo->shortcuts(), QList<QKeySequence>{QKeySequence("Ctrl+Z")});
        QCOMPARE(redo->shortcuts(),
                 QList<QKeySequence>({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}));

        const std::string blank = app.Header();
        app.editor.ChooseSize(8);
        QCOMPARE(undo->text(), QString("&Undo Size 8"));
        const std::string sized = app.Header();
        app.editor.Stroke({{0, 0}, {1, 0}, {2, 0}});
        const std::string first = app.Header();
        app.editor.Stroke({{1, 0}}); // black on black: no step
        QCOMPARE(app.main->Document().History(0)->count(), 2);
        app.editor.Stroke({{0, 1}, {0, 2}});
        const std::string second = app.Header();
        QVERIFY(first != sized && second != first);

        undo->trigger();
        QCOMPARE(app.Header(), first);
        // Repainted at once, preview too.
        QCOMPARE(Editor::CellColour(app.editor.Canvas(), 0, 1, 8), kWhite);
        QCOMPARE(Editor::CellColour(app.editor.Preview(), 0, 1, 8), kWhite);
        QCOMPARE(redo->text(), QString("&Redo Paint"));
        undo->trigger();
        QCOMPARE(app.Header(), sized);
        undo->trigger(); // the first choice of a size: no option, no cells
        QCOMPARE(app.Header(), blank);
        QCOMPARE(app.editor.CheckedSize(), 0);
        QCOMPARE(Editor::CellColour(app.editor.Canvas(), 0, 0, 8),
                 ToRgb(app.editor.Canvas()->palette().color(QPalette::WindowText)));
        QVERIFY(!undo->isEnabled());
        QCOMPARE(redo->text(), QString("&Redo Size 8"));

        redo->trigger();
        QCOMPARE(app.editor.CheckedSize(), 8);
        redo->trigger();
        redo->trigger();
        QCOMPARE(app.Header(), second);
        QCOMPARE(Editor::CellColour(app.editor.Canvas(), 0, 2, 8), kBlack);

        // The history belongs to the sprite: it outlives its window. With no editor open, undo
        // acts on the project.
        app.editor.window->close();
        QCOMPARE(undo->text(), QString("&Undo New Sprite"));
        app.Tree()->setCurrentIndex(app.SpriteNode(0));
        app.DoubleClick(app.SpriteNode(0));
        QVERIFY(app.editor.window->isVisible());
        undo->trigger();
        QCOMPARE(app.Header(), first);
        QCOMPARE(Editor::CellColour(app.editor.Canvas(), 0, 2, 8), kWhite);
    }

    // Adding sprites is a step of the project's own history, reached from the tree; what undo takes
    // out comes back whole, unsaved strokes and the sprite's own history included. The modified
    // mark follows the histories back and forth across the save.
    void addedSpritesAndTheSavedState() {
        HistoryFixture app;
        QVERIFY(QTest::qWaitForWindowActive(app.main.get()));
        app.StartSprite();
        app.editor.ChooseSize(8);
        app.editor.window = app.NewSprite("Car");
        frmSprite* car = app.editor.window;
        app.editor.ChooseSize(8);
        app.editor.Stroke({{0, 0}, {1, 0}});
        const std::string saved = app.Header();
        QVERIFY(app.SaveAs(app.Path("demo.vellicor")));
        app.editor.Stroke({{2, 2}});
        QVERIFY(app.main->isWindowModified());
        const std::string changed = app.Header();
        QAction* undo = app.Action("mnuEditUndo");
        QAction* redo = app.Action("mnuEditRedo");
        QCOMPARE(undo->text(), QString("&Undo Paint"));

        // From the tree, undo follows the selected node: an open sprite's own history, else the
        // project's.
        app.Tree()->setFocus();
        QCOMPARE(app.Tree()->currentIndex(), app.SpriteNode(1));
        QCOMPARE(undo->text(), QString("&Undo Paint"));
        app.Tree()->setCurrentIndex(app.ProjectNode());
        QCOMPARE(undo->text(), QString("&Undo New Sprite"));
        undo->trigger();
        QCOMPARE(app.main->Table().SpriteCount(), 1);
        QCOMPARE(app.SpriteNodes(), 1);
        QVERIFY(!car->isVisible()); // its window closed with it
        QVERIFY(app.main->isWindowModified());
        QCOMPARE(app.RecoveredHeader(), app.Header()); // a crash now recovers it without Car

        redo->trigger();
        QCOMPARE(app.Header(), changed);
        QCOMPARE(app.SpriteNode(1).data().toString(), QString("Car"));
        QVERIFY(app.main->isWindowModified());
        app.Tree()->setCurrentIndex(app.SpriteNode(1));
        app.DoubleClick(app.SpriteNode(1));
        app.editor.window = app.main->EditorWindows().at(1);
        QCOMPARE(undo->text(), QString("&Undo Paint"));
        undo->trigger();
        QCOMPARE(app.Header(), saved);
        QVERIFY(!app.main->isWindowModified());
        QCOMPARE(app.RecoveredHeader(), std::string()); // nothing unsaved, nothing kept
        redo->trigger();
        QVERIFY(app.main->isWindowModified());
        undo->trigger();
        undo->trigger(); // before the save: modified again, and safe from a crash at once
        QVERIFY(app.main->isWindowModified());
        QCOMPARE(app.RecoveredHeader(), app.Header());
        redo->trigger();
        QVERIFY(!app.main->isWindowModified());
        app.editor.Stroke({{4, 4}}); // a new step after undoing
        QVERIFY(app.main->isWindowModified());
        QVERIFY(!redo->isEnabled());

        // A new project starts with fresh histories.
        app.dialogs.saveChangesAnswers << SaveChangesAnswer::Discard;
        app.NewProject("Next");
        QVERIFY(!undo->isEnabled() && !app.main->isWindowModified());
    }

    void killedProgramRecovers_data() {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<QString>("open"); // the windows open again after the recovery
        QTest::newRow("strokes") << "strokes"
                                 << "Ball";
        QTest::newRow("new sprites") << "new sprites"
                                     << "Ball,Car,Dot";
        QTest::newRow("closed") << "closed"
                                << "Car";
        QTest::newRow("reopened") << "reopened"
                                  << "Car,Dot";
    }

    // A killed program loses no completed stroke; nor the windows opened or closed, though that is
    // no undo step.
    void killedProgramRecovers() {
        QFETCH(QString, scenario);
        QFETCH(QString, open);
        QTemporaryDir recovery;
        QTemporaryDir headers;
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {"--act-and-wait", recovery.path(), headers.path(), scenario});
        QVERIFY(child.waitForStarted());
        while (!child.readAllStandardOutput().contains("ready"))
            QVERIFY2(child.waitForReadyRead(30000), qPrintable(child.readAllStandardError()));
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        QCOMPARE(Journals(recovery.path()).size(), 1);

        QProcess restarted;
        restarted.start(QCoreApplication::applicationFilePath(),
                        {"--recover", recovery.path(), headers.filePath("recovered.h")});
        QVERIFY(restarted.waitForFinished(30000));
        QCOMPARE(restarted.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(restarted.readAllStandardOutput()).trimmed(),
                 "Demo modified=1 open=" + open +
                     " asked=Vellicor did not close normally. Recover the unsaved project");
        QCOMPARE(ReadAll(headers.filePath("recovered.h")), ReadAll(headers.filePath("final.h")));
        QCOMPARE(Journals(recovery.path()), QStringList()); // a normal exit leaves none behind
    }

    void damagedOrDiscardedJournals() {
        QTemporaryDir recovery;
        QVERIFY(WriteAll(recovery.filePath("20260101-000000-000-1.journal"), "not a journal\n"));
        {
            HistoryFixture app(recovery.path());
            app.main->RecoverUnsavedWork();
            QCOMPARE(app.dialogs.Count("recover"), 0);
            QCOMPARE(app.dialogs.shown.last().title, QString("Error"));
            QVERIFY(app.dialogs.shown.last().text.contains("is damaged and was set aside"));
            QCOMPARE(Journals(recovery.path()), QStringList());
            QCOMPARE(QDir(recovery.path()).entryList({"*.damaged*"}).size(), 1);

            // Unsaved work of this instance: a journal that lives only while there is some.
            app.StartSprite();
            QCOMPARE(Journals(recovery.path()).size(), 1);
            QVERIFY(app.SaveAs(app.Path("demo.vellicor")));
            QCOMPARE(Journals(recovery.path()), QStringList());
            app.editor.ChooseSize(8);
            QCOMPARE(Journals(recovery.path()).size(), 1);
            app.main->RecoverUnsavedWork(); // its own journal is not an orphan
            QCOMPARE(app.dialogs.Count("recover"), 0);
        }
        // The window was destroyed, as at a normal exit: nothing is left to offer.
        QCOMPARE(Journals(recovery.path()), QStringList());
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 5 && args[1] == "--act-and-wait")
        return ActAndWait(args[2], args[3], args[4]);
    if (args.size() == 4 && args[1] == "--recover")
        return RecoverAndReport(args[2], args[3]);
    TestHistoryRecovery test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_history_recovery.moc"
