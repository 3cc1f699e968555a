// Keeping projects in files through the main window: save, open, recent projects, the title,
// the question before unsaved work is thrown away, and what every file command does on failure.
#include "export/header_text.h"
#include "main_window/project_tree.h"
#include "project/project_file.h"
#include "support/app_fixture.h"

#include <QDirIterator>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>
#include <QWindow>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vellicor;

namespace {

struct FileFixture : AppFixture {
    // A modified project with one painted sprite and no file yet.
    void ModifiedProject() {
        NewBall(8);
        Paint(1, 1, kBlack);
    }
    QString ShownTitle() const { return main->windowHandle()->title(); }
    QStringList RecentEntries() const {
        auto* menu = Find<QMenu>("mnuFileRecent");
        emit menu->aboutToShow();
        QStringList entries;
        for (QAction* action : menu->actions())
            entries << action->text();
        return entries;
    }
};

// Every entry under `folder`, and what each file holds: a failed command leaves them all alone.
QStringList Listing(const QString& folder) {
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        entries << path + (QFileInfo(path).isFile() ? " holds " + ReadAll(path).toHex() : "");
    }
    entries.sort();
    return entries;
}

} // namespace

class TestProjectCommands : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true); // settings stay out of the user's own
    }

    void init() { QSettings().clear(); }

    void saveAndOpenKeepEveryPixel() {
        FileFixture app;
        Editor ball = app.NewBall(32);
        app.Paint(0, 0, kBlack);
        app.Paint(31, 31, kTransparentCyan); // hidden once the size is 8
        ball.ChooseSize(8);
        app.NewSprite("Car")->close();
        app.Paint(2, 2, kDarkGrey, 1);
        const QByteArray header = app.CompileTo("before.h");

        QVERIFY(app.SaveAs(app.Path("Demo"))); // the extension is added
        QCOMPARE(app.dialogs.offeredNames.last(), QString("Demo.vellicor"));
        QVERIFY(QFile::exists(app.Path("Demo.vellicor")));
        QVERIFY(!app.main->Document().IsModified());

        app.NewProject("Other");
        QVERIFY(app.Open(app.Path("Demo.vellicor")));
        QCOMPARE(app.main->ProjectName(), QString("Demo"));
        QCOMPARE(app.SpriteNodes(), 2);
        QCOMPARE(app.SpriteNode(1).data().toString(), QString("Car"));
        QCOMPARE(app.CompileTo("after.h"), header);
        QVERIFY(!app.main->Document().IsModified());

        // The editor that was open opens again; the closed one stays closed.
        const auto& windows = app.main->EditorWindows();
        QVERIFY(windows.size() >= 1 && windows[0] && windows[0]->isVisible());
        QCOMPARE(windows[0]->windowTitle(), QString("Ball"));
        QVERIFY(windows.size() < 2 || !windows[1] || !windows[1]->isVisible());
        QVERIFY(app.main->Table().Record(0).IsOpen && !app.main->Table().Record(1).IsOpen);

        // Pixels beyond the size survived, and a new sprite goes after the opened ones.
        Editor{windows[0]}.ChooseSize(32);
        QCOMPARE(app.main->Table().Record(0).Bits(31, 31), *BitsForColour(kTransparentCyan));
        app.NewSprite("Next");
        QCOMPARE(app.SpriteNode(2).data(ProjectTree::kKeyRole).toString(), QString("s2"));
    }

    void titleShowsFileAndNamesAsTyped() {
        FileFixture app;
        QCOMPARE(app.ShownTitle(), QString("Vellicor"));
        app.NewProject("A[*]B");
        QCOMPARE(app.ShownTitle(), QString("A[*]B - Vellicor"));
        app.NewSprite("Ball");
        QVERIFY(app.main->isWindowModified());
        QVERIFY(app.SaveAs(app.Path("game.vellicor")));
        // The maximised editor's caption joins the title, as it does in every MDI program.
        QCOMPARE(app.ShownTitle(), QString("game.vellicor - Vellicor - [Ball]"));
        frmSprite* ball = app.main->EditorWindows()[0];
        Editor{ball}.ChooseSize(16);
        QCOMPARE(app.ShownTitle(), QString("game.vellicor* - Vellicor - [Ball]"));
        ball->close(); // the editor takes its own flag back with it; the project's mark stays
        QCOMPARE(app.ShownTitle(), QString("game.vellicor* - Vellicor"));

        // A sprite's name shows as typed, "[*]" included, in the title and on its own title bar.
        QList<QImage> titleBars;
        for (const char* name : {"Ball", "Ba[*]ll", "B[*][*]", "B[*]*]"}) {
            frmSprite* window = app.NewSprite(name);
            QCOMPARE(app.ShownTitle(), QString("game.vellicor* - Vellicor - [%1]").arg(name));
            window->showNormal();
            window->resize(300, 200);
            const QImage shown = window->grab().toImage();
            titleBars << shown.copy(0, 0, shown.width(), window->widget()->y());
        }
        QVERIFY(titleBars[1] != titleBars[0]); // "[*]" is not swallowed
    }

    void questionBeforeWorkIsLost_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("answer"); // "unmodified": saved first, so nothing to ask
        for (const char* command : {"new project", "open", "close", "exit", "session end"})
            for (const char* answer : {"save", "discard", "cancel", "unmodified"})
                QTest::addRow("%s, %s", command, answer) << command << answer;
    }

    void questionBeforeWorkIsLost() {
        QFETCH(QString, command);
        QFETCH(QString, answer);
        FileFixture app;
        app.NewProject("Elsewhere");
        QVERIFY(app.SaveAs(app.Path("elsewhere.vellicor")));
        app.ModifiedProject();
        if (answer == "unmodified")
            QVERIFY(app.SaveAs(app.Path("saved.vellicor")));
        app.dialogs.shown.clear();
        app.dialogs.saveChangesAnswers << (answer == "save"     ? SaveChangesAnswer::Save
                                           : answer == "cancel" ? SaveChangesAnswer::Cancel
                                                                : SaveChangesAnswer::Discard);
        app.dialogs.saveAsAnswers << app.Path("demo.vellicor"); // Save has no file yet

        bool wentOn = false;
        if (command == "new project") {
            app.NewProject("Next");
            wentOn = app.main->ProjectName() == "Next";
        } else if (command == "open") {
            wentOn = app.Open(app.Path("elsewhere.vellicor"));
        } else if (command == "close") {
            wentOn = app.main->close();
        } else if (command == "exit") {
            app.Action("mnuFileExit")->trigger();
            wentOn = !app.main->isVisible();
        } else {
            wentOn = app.main->AllowSessionEnd();
            // The close that ends the session does not ask a second time.
            if (wentOn)
                QVERIFY(app.main->close());
        }

        QCOMPARE(app.dialogs.Texts("question"),
                 answer == "unmodified" ? QStringList()
                                        : QStringList{"Save changes to project \"Demo\"?"});
        QCOMPARE(wentOn, answer != "cancel");
        QCOMPARE(QFile::exists(app.Path("demo.vellicor")), answer == "save");
        if (answer == "cancel") {
            QCOMPARE(app.main->ProjectName(), QString("Demo"));
            QVERIFY(app.main->Document().IsModified());
            QVERIFY(app.main->isVisible() && app.main->EditorWindows()[0]->isVisible());
            QCOMPARE(app.main->Table().Record(0).Bits(1, 1), *BitsForColour(kBlack));
        }
    }

    void failedCommandChangesNothing_data() {
        QTest::addColumn<QString>("command");  // a menu item, the toolbar's "compile", or "close"
        QTest::addColumn<QString>("file");     // in the test's folder
        QTest::addColumn<QByteArray>("holds"); // beforehand; "fifo": a named pipe; empty: nothing
        QTest::addColumn<QString>("message");  // "@" stands for the file's path
        const QString notSaved =
            "The project could not be saved to \"@\".\nNo such file or directory";
        const QString noHeader = "The header could not be written to \"@\".\n";
        // clang-format off
        QTest::newRow("open, not a project") << "mnuFileOpen" << "bad.vellicor" << QByteArray("{\"format\": 7}")
            << "The project \"@\" could not be opened.\nIt is not a Vellicor project: \"format\" is not \"vellicor-project\".";
        QTest::newRow("save as, no folder") << "mnuFileSaveAs" << "none/demo.vellicor" << QByteArray() << notSaved;
        QTest::newRow("close, saving fails") << "close" << "none/demo.vellicor" << QByteArray() << notSaved;
        QTest::newRow("compile, no folder") << "compile" << "none/out.h" << QByteArray() << noHeader + "No such file or directory";
        QTest::newRow("compile, a pipe") << "compile" << "pipe.h" << QByteArray("fifo") << noHeader + "It is not a regular file.";
        QTest::newRow("import PNG, not an image") << "mnuFileImportPng" << "Text.png" << QByteArray("text")
            << "The image \"@\" could not be imported.\nIt is not a PNG image, or it is damaged.";
        QTest::newRow("export PNG, no folder") << "mnuFileExportPng" << "none/ball.png" << QByteArray()
            << "The image could not be written to \"@\".\nNo such file or directory";
        // clang-format on
    }

    // Whatever fails says so in an "Error" box naming the file, and the project, the window and the
    // files on disk stay as they were: nothing is created, replaced or fed.
    void failedCommandChangesNothing() {
        QFETCH(QString, command);
        QFETCH(QString, file);
        QFETCH(QByteArray, holds);
        QFETCH(QString, message);
        FileFixture app;
        app.ModifiedProject();
        const QString path = app.Path(file);
        int pipeReader = -1; // a wrong write would not block then, but leave its bytes in the pipe
        if (holds == "fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0666), 0);
            pipeReader = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
            QVERIFY(pipeReader >= 0);
        } else if (!holds.isEmpty()) {
            QVERIFY(WriteAll(path, holds));
        }
        const QStringList files = Listing(app.dir.path());
        const std::string header = HeaderText(app.main->Table());
        app.dialogs.shown.clear();
        app.dialogs.openAnswers << path;
        app.dialogs.saveAnswers << path;
        app.dialogs.saveAsAnswers << path;
        app.dialogs.scaleAnswers << 1;
        app.dialogs.saveChangesAnswers
            << (command == "close" ? SaveChangesAnswer::Save : SaveChangesAnswer::Discard);
        if (command == "close")
            QVERIFY(!app.main->close());
        else if (command == "compile")
            app.ClickToolbar("compile");
        else
            app.Action(qPrintable(command))->trigger();

        QCOMPARE(app.dialogs.Texts("message"), QStringList{message.replace("@", path)});
        QCOMPARE(app.dialogs.shown.last().title, QString("Error"));
        QCOMPARE(app.main->ProjectName(), QString("Demo"));
        QVERIFY(app.main->Document().IsModified() && app.main->Document().FilePath().isEmpty());
        QVERIFY(app.main->isVisible() && app.main->EditorWindows()[0]->isVisible());
        QCOMPARE(HeaderText(app.main->Table()), header);
        QCOMPARE(Listing(app.dir.path()), files);
        if (pipeReader >= 0) {
            char byte = 0;
            QVERIFY(::read(pipeReader, &byte, 1) <= 0);
            ::close(pipeReader);
        }
    }

    void recentProjects() {
        FileFixture app;
        QCOMPARE(app.RecentEntries(), QStringList{"No recent projects"});
        app.NewProject("Demo");
        for (int i = 1; i <= 9; ++i)
            QVERIFY(app.SaveAs(app.Path(QStringLiteral("p%1.vellicor").arg(i))));
        QVERIFY(app.SaveAs(app.Path("p5.vellicor"))); // again: moves to the top, once
        QStringList expected;
        for (int i : {5, 9, 8, 7, 6, 4, 3, 2})
            expected << QStringLiteral("&%1 %2")
                            .arg(expected.size() + 1)
                            .arg(app.Path(QStringLiteral("p%1.vellicor").arg(i)));
        QCOMPARE(app.RecentEntries(), expected);

        // A file that is gone is reported and leaves the list.
        QVERIFY(QFile::remove(app.Path("p9.vellicor")));
        auto* menu = app.Find<QMenu>("mnuFileRecent");
        menu->actions().at(1)->trigger();
        QCOMPARE(app.dialogs.shown.last().title, QString("Error"));
        QCOMPARE(app.dialogs.shown.last().text,
                 "The project \"" + app.Path("p9.vellicor") + "\" no longer exists.");
        QCOMPARE(app.RecentEntries().size(), 7);

        // A recent entry opens its project.
        app.NewProject("Other");
        app.RecentEntries();
        menu->actions().at(2)->trigger(); // p7
        QCOMPARE(app.main->Document().FilePath(), app.Path("p7.vellicor"));
        QCOMPARE(app.RecentEntries().first(), "&1 " + app.Path("p7.vellicor"));
    }

    void awkwardNamesSaveOpenAndRecover_data() {
        QTest::addColumn<QString>("name");
        for (const QString& name :
             {QString("Red\u00A0Ball"), QString("Zero\u200Bwidth"), QString("Bidi\u202Ename"),
              QString("Invader \U0001F47E"), QString("A\u0301ccent"), QString("Quote\"s {;} //")})
            QTest::newRow(qPrintable(name.toUtf8().toPercentEncoding())) << name;
    }

    // Names the rules take come back the same from the project file and from the journal.
    void awkwardNamesSaveOpenAndRecover() {
        QFETCH(QString, name);
        FileFixture app;
        app.NewProject(name);
        app.NewSprite("Ball");
        const JournalRead read = app.Journal();
        QVERIFY2(read.project, qPrintable(read.error));
        QCOMPARE(read.project->name, name);
        QVERIFY(app.SaveAs(app.Path("awkward.vellicor")));
        app.NewProject("Other");
        QVERIFY(app.Open(app.Path("awkward.vellicor")));
        QCOMPARE(app.main->ProjectName(), name);
        QCOMPARE(app.ProjectNode().data().toString(), name);
    }

    // A file may mark every sprite open; the first few windows open and the rest wait.
    void thousandsOfOpenWindowsOpenAFew() {
        FileFixture app;
        SpriteTable table;
        for (int i = 0; i < 2000; ++i)
            table.Record(table.Append("S" + std::to_string(i))).IsOpen = true;
        QVERIFY(!SaveProjectFile(app.Path("many.vellicor"), "Many", table));
        QVERIFY(app.Open(app.Path("many.vellicor")));
        int shown = 0;
        for (const auto& window : app.main->EditorWindows())
            shown += window && window->isVisible() ? 1 : 0;
        QCOMPARE(shown, 32);
        QCOMPARE(app.main->Document().OpenEditors().size(), std::size_t{32});
        QCOMPARE(app.main->findChild<StatusPanels*>("sbrMain")->PanelText(0),
                 QString("Opened 32 of the 2000 sprite windows the project had open; the rest are "
                         "closed."));
    }
};

QTEST_MAIN(TestProjectCommands)
#include "test_project_commands.moc"
