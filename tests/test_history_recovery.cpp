// Undo and redo through the Edit menu, and crash recovery through a real process that is killed.
#include "editor/qt_colour.h"
#include "export/header_text.h"
#include "journal/recovery_journal.h"
#include "model/colour_table.h"
#include "support/app_fixture.h"
#include "support/read_all.h"

#include <QAction>
#include <QDir>
#include <QProcess>
#include <QUndoStack>
#include <csignal>

using namespace vellicor;

namespace {

struct HistoryFixture : AppFixture {
    Editor editor{nullptr};
    QTemporaryDir files;

    explicit HistoryFixture(const QString& recovery = {}) : AppFixture(recovery) {}
    void StartSprite() {
        NewProject("Demo");
        editor.window = NewSprite("Ball");
    }
    QAction* Action(const char* name) const { return main->findChild<QAction*>(name); }
    // A press on the first cell, moves over the others and a release on the last, at size n.
    void Stroke(const QList<QPoint>& cells, int n, Qt::MouseButton button = Qt::LeftButton) {
        QWidget* canvas = editor.Canvas();
        auto at = [&](QPoint cell) { return Editor::CellCentre(canvas, cell.x(), cell.y(), n); };
        QTest::mousePress(canvas, button, {}, at(cells.first()));
        for (const QPoint& cell : cells)
            QTest::mouseMove(canvas, at(cell));
        QTest::mouseRelease(canvas, button, {}, at(cells.last()));
    }
    std::string Header() const { return HeaderText(main->Table()); }
    // The header of what a crash now would recover; empty when there is no journal.
    std::string RecoveredHeader() const {
        const QStringList journals = QDir(recoveryFolder.path()).entryList({"*.journal"});
        if (journals.size() != 1)
            return {};
        const JournalRead read = ReadJournal(ReadAll(recoveryFolder.filePath(journals[0])));
        return read.project ? HeaderText(read.project->table) : std::string();
    }
    QRgb CanvasCell(int column, int row, int n) const {
        return Editor::PixelAt(editor.Canvas(),
                               Editor::CellCentre(editor.Canvas(), column, row, n));
    }
};

// The child process's side of the crash test: paint, say where things stand, wait to be killed.
int PaintAndWait(const QString& recovery, const QString& headers, int strokes) {
    HistoryFixture app(recovery);
    app.StartSprite();
    app.editor.ChooseSize(16);
    for (int i = 0; i < strokes; ++i) {
        app.main->SwatchPress(i % 5, i % 2 ? Qt::RightButton : Qt::LeftButton);
        app.Stroke({{i % 16, i / 2}, {(i * 7) % 16, (i * 3) % 16}, {15 - i % 16, 15}}, 16,
                   i % 2 ? Qt::RightButton : Qt::LeftButton);
    }
    app.dialogs.saveAnswers << headers + "/final.h";
    app.main->Compile();
    std::puts("painted");
    std::fflush(stdout);
    QTest::qWait(60000);
    return 1; // never reached: the parent kills us first
}

// The restarted program: recovers, exports, and exits normally.
int RecoverAndExport(const QString& recovery, const QString& header) {
    HistoryFixture app(recovery);
    app.dialogs.recoverAnswers << true;
    app.main->RecoverUnsavedWork();
    app.dialogs.saveAnswers << header;
    app.main->Compile();
    const auto& windows = app.main->EditorWindows();
    std::printf("%s modified=%d open=%d asked=%s\n", qPrintable(app.main->ProjectName()),
                app.main->Document().IsModified() ? 1 : 0,
                windows.size() == 1 && windows[0] && windows[0]->isVisible() ? 1 : 0,
                qPrintable(app.dialogs.Texts("recover").join('|').left(60)));
    return 0;
}

// The child's side of the windows test: sprites made, windows closed or reopened as
// `scenario` says, the journal given its turn, then killed.
int ArrangeWindowsAndWait(const QString& recovery, const QString& scenario) {
    HistoryFixture app(recovery);
    app.NewProject("Demo");
    for (const char* name : {"Ball", "Car", "Dot"})
        app.NewSprite(name);
    if (scenario != "new sprite") {
        app.main->EditorWindows()[0]->close();
        app.main->EditorWindows()[2]->close();
    }
    if (scenario == "reopened")
        QTest::mouseDClick(app.Tree()->viewport(), Qt::LeftButton, {},
                           app.Tree()->visualItemRect(app.SpriteNode(2)).center());
    QCoreApplication::processEvents(); // the turn of the event loop before the next user event
    std::puts("arranged");
    std::fflush(stdout);
    QTest::qWait(60000);
    return 1;
}

// The restarted program: recovers and says which windows are open.
int RecoverAndListWindows(const QString& recovery) {
    HistoryFixture app(recovery);
    app.dialogs.recoverAnswers << true;
    app.main->RecoverUnsavedWork();
    QStringList open;
    for (const auto& window : app.main->EditorWindows())
        if (window && window->isVisible())
            open << window->windowTitle();
    std::printf("%s\n", qPrintable(open.join(',')));
    return 0;
}

QStringList Journals(const QString& folder) {
    return QDir(folder).entryList({"*.journal"}, QDir::Files);
}

} // namespace

class TestHistoryRecovery : public QObject {
    Q_OBJECT
  private slots:
    void undoAndRedoStrokesAndSizes();
    void modifiedFollowsTheHistory();
    void addedSpritesAreUndoneFromTheTree();
    void killedProgramLosesNoCompletedStroke();
    void damagedOrDiscardedJournals();
    void killedProgramKeepsItsWindows_data();
    void killedProgramKeepsItsWindows();
};

void TestHistoryRecovery::undoAndRedoStrokesAndSizes() {
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
    app.Stroke({{0, 0}, {1, 0}, {2, 0}}, 8);
    const std::string first = app.Header();
    app.Stroke({{1, 0}}, 8); // black on black: no step
    QCOMPARE(app.main->Document().History(0)->count(), 2);
    app.Stroke({{0, 1}, {0, 2}}, 8);
    const std::string second = app.Header();
    QVERIFY(first != sized && second != first);

    undo->trigger();
    QCOMPARE(app.Header(), first);
    QCOMPARE(app.CanvasCell(0, 1, 8), kWhite); // repainted at once, preview too
    QCOMPARE(
        Editor::PixelAt(app.editor.Preview(), Editor::CellCentre(app.editor.Preview(), 0, 1, 8)),
        kWhite);
    QCOMPARE(redo->text(), QString("&Redo Paint"));
    undo->trigger();
    QCOMPARE(app.Header(), sized);
    undo->trigger(); // the first choice of a size: no option, no cells
    QCOMPARE(app.Header(), blank);
    QCOMPARE(app.editor.CheckedSize(), 0);
    QCOMPARE(app.CanvasCell(0, 0, 8),
             ToRgb(app.editor.Canvas()->palette().color(QPalette::WindowText)));
    QVERIFY(!undo->isEnabled());
    QCOMPARE(redo->text(), QString("&Redo Size 8"));

    redo->trigger();
    QCOMPARE(app.editor.CheckedSize(), 8);
    redo->trigger();
    redo->trigger();
    QCOMPARE(app.Header(), second);
    QCOMPARE(app.CanvasCell(0, 2, 8), kBlack);

    // The history belongs to the sprite: it outlives its window. With no editor open, undo
    // acts on the project.
    app.editor.window->close();
    QCOMPARE(undo->text(), QString("&Undo New Sprite"));
    app.Tree()->setCurrentItem(app.SpriteNode(0));
    QTest::mouseDClick(app.Tree()->viewport(), Qt::LeftButton, {},
                       app.Tree()->visualItemRect(app.SpriteNode(0)).center());
    QVERIFY(app.editor.window->isVisible());
    undo->trigger();
    QCOMPARE(app.Header(), first);
    QCOMPARE(app.CanvasCell(0, 2, 8), kWhite);
}

// Adding sprites is a step of the project's own history, reached from the tree; what undo takes
// out comes back whole, unsaved strokes and the sprite's own history included.
void TestHistoryRecovery::addedSpritesAreUndoneFromTheTree() {
    HistoryFixture app;
    QVERIFY(QTest::qWaitForWindowActive(app.main.get()));
    app.StartSprite();
    app.editor.ChooseSize(8);
    app.editor.window = app.NewSprite("Car");
    frmSprite* car = app.editor.window;
    app.editor.ChooseSize(8);
    app.Stroke({{0, 0}, {1, 0}}, 8);
    const std::string saved = app.Header();
    app.dialogs.saveAsAnswers << app.files.filePath("demo.vellicor");
    QVERIFY(app.main->Save());
    app.Stroke({{2, 2}}, 8);
    const std::string changed = app.Header();
    QAction* undo = app.Action("mnuEditUndo");
    QAction* redo = app.Action("mnuEditRedo");
    QCOMPARE(undo->text(), QString("&Undo Paint"));

    // From the tree, undo follows the selected node: an open sprite's own history, else the
    // project's.
    app.Tree()->setFocus();
    QCOMPARE(app.Tree()->currentItem(), app.SpriteNode(1));
    QCOMPARE(undo->text(), QString("&Undo Paint"));
    app.Tree()->setCurrentItem(app.Tree()->topLevelItem(0));
    QCOMPARE(undo->text(), QString("&Undo New Sprite"));
    undo->trigger();
    QCOMPARE(app.main->Table().SpriteCount(), 1);
    QCOMPARE(app.Tree()->topLevelItem(0)->childCount(), 1);
    QVERIFY(!car->isVisible()); // its window closed with it
    QVERIFY(app.main->isWindowModified());
    QCOMPARE(app.RecoveredHeader(), app.Header()); // a crash now recovers it without Car

    redo->trigger();
    QCOMPARE(app.Header(), changed);
    QCOMPARE(app.SpriteNode(1)->text(0), QString("Car"));
    QVERIFY(app.main->isWindowModified());
    app.Tree()->setCurrentItem(app.SpriteNode(1));
    QTest::mouseDClick(app.Tree()->viewport(), Qt::LeftButton, {},
                       app.Tree()->visualItemRect(app.SpriteNode(1)).center());
    app.editor.window = app.main->EditorWindows().at(1);
    QCOMPARE(undo->text(), QString("&Undo Paint"));
    undo->trigger();
    QCOMPARE(app.Header(), saved);
    QVERIFY(!app.main->isWindowModified());
}

void TestHistoryRecovery::modifiedFollowsTheHistory() {
    HistoryFixture app;
    app.StartSprite();
    app.editor.ChooseSize(8);
    app.dialogs.saveAsAnswers << app.files.filePath("demo.vellicor");
    QVERIFY(app.main->Save());
    QAction* undo = app.Action("mnuEditUndo");
    QAction* redo = app.Action("mnuEditRedo");

    app.Stroke({{3, 3}}, 8);
    QVERIFY(app.main->isWindowModified());
    undo->trigger();
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
    app.Stroke({{4, 4}}, 8); // a new step after undoing
    QVERIFY(app.main->isWindowModified());
    QVERIFY(!redo->isEnabled());

    // A new project starts with fresh histories.
    app.dialogs.saveChangesAnswers << SaveChangesAnswer::Discard;
    app.NewProject("Next");
    QVERIFY(!undo->isEnabled() && !app.main->isWindowModified());
}

void TestHistoryRecovery::killedProgramLosesNoCompletedStroke() {
    QTemporaryDir recovery;
    QTemporaryDir headers;
    QProcess painter;
    painter.start(QCoreApplication::applicationFilePath(),
                  {"--paint-and-wait", recovery.path(), headers.path(), "12"});
    QVERIFY(painter.waitForStarted());
    while (!painter.readAllStandardOutput().contains("painted"))
        QVERIFY2(painter.waitForReadyRead(30000), qPrintable(painter.readAllStandardError()));
    ::kill(static_cast<pid_t>(painter.processId()), SIGKILL);
    QVERIFY(painter.waitForFinished());
    QCOMPARE(painter.exitStatus(), QProcess::CrashExit);
    const QStringList left = Journals(recovery.path());
    QCOMPARE(left.size(), 1);

    QProcess restarted;
    restarted.start(QCoreApplication::applicationFilePath(),
                    {"--recover-and-export", recovery.path(), headers.filePath("recovered.h")});
    QVERIFY(restarted.waitForFinished(30000));
    QCOMPARE(restarted.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(restarted.readAllStandardOutput()).trimmed(),
             QString("Demo modified=1 open=1 asked=Vellicor did not close normally. Recover the "
                     "unsaved project"));
    QCOMPARE(ReadAll(headers.filePath("recovered.h")), ReadAll(headers.filePath("final.h")));
    QCOMPARE(Journals(recovery.path()), QStringList()); // a normal exit leaves none behind
}

void TestHistoryRecovery::damagedOrDiscardedJournals() {
    QTemporaryDir recovery;
    QFile garbage(recovery.filePath("20260101-000000-000-1.journal"));
    QVERIFY(garbage.open(QIODevice::WriteOnly) && garbage.write("not a journal\n") > 0);
    garbage.close();
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
        app.dialogs.saveAsAnswers << app.files.filePath("demo.vellicor");
        QVERIFY(app.main->Save());
        QCOMPARE(Journals(recovery.path()), QStringList());
        app.editor.ChooseSize(8);
        QCOMPARE(Journals(recovery.path()).size(), 1);
        app.main->RecoverUnsavedWork(); // its own journal is not an orphan
        QCOMPARE(app.dialogs.Count("recover"), 0);
    }
    // The window was destroyed, as at a normal exit: nothing is left to offer.
    QCOMPARE(Journals(recovery.path()), QStringList());
}

void TestHistoryRecovery::killedProgramKeepsItsWindows_data() {
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<QString>("open");
    QTest::newRow("new sprite") << "new sprite"
                                << "Ball,Car,Dot";
    QTest::newRow("closed") << "closed"
                            << "Car";
    QTest::newRow("reopened") << "reopened"
                              << "Car,Dot";
}

// Opening or closing a window is no undo step, yet a crash right after it recovers it.
void TestHistoryRecovery::killedProgramKeepsItsWindows() {
    QFETCH(QString, scenario);
    QFETCH(QString, open);
    QTemporaryDir recovery;
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {"--arrange-windows", recovery.path(), scenario});
    while (!child.readAllStandardOutput().contains("arranged"))
        QVERIFY2(child.waitForReadyRead(30000), qPrintable(child.readAllStandardError()));
    ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
    QVERIFY(child.waitForFinished());
    QProcess restarted;
    restarted.start(QCoreApplication::applicationFilePath(),
                    {"--recover-windows", recovery.path()});
    QVERIFY(restarted.waitForFinished(30000));
    QCOMPARE(QString::fromUtf8(restarted.readAllStandardOutput()).trimmed(), open);
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 5 && args[1] == "--paint-and-wait")
        return PaintAndWait(args[2], args[3], args[4].toInt());
    if (args.size() == 4 && args[1] == "--arrange-windows")
        return ArrangeWindowsAndWait(args[2], args[3]);
    if (args.size() == 3 && args[1] == "--recover-windows")
        return RecoverAndListWindows(args[2]);
    if (args.size() == 4 && args[1] == "--recover-and-export")
        return RecoverAndExport(args[2], args[3]);
    TestHistoryRecovery test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_history_recovery.moc"
