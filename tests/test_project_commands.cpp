// Keeping projects in files through the main window: save, open, recent projects, the title
// and the question before unsaved work is thrown away.
#include "model/colour_table.h"
#include "support/app_fixture.h"
#include "support/read_all.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWindow>

using namespace vellicor;

namespace {

struct FileFixture : AppFixture {
    QTemporaryDir dir;

    QString Path(const QString& name) const { return dir.filePath(name); }
    void Paint(int index, int x, int y, Rgb colour) {
        main->Document().SetPixel(index, x, y, *BitsForColour(colour));
    }
    QByteArray Header(const QString& name) {
        dialogs.saveAnswers << Path(name);
        main->Compile();
        return ReadAll(Path(name));
    }
    bool SaveAs(const QString& typed) {
        dialogs.saveAsAnswers << typed;
        return main->SaveAs();
    }
    bool Open(const QString& path) {
        dialogs.openAnswers << path;
        return main->Open();
    }
    // A modified project with one painted sprite and no file yet.
    void ModifiedProject() {
        NewProject("Demo");
        NewSprite("Ball")->findChild<QRadioButton*>("opt8")->click();
        Paint(0, 1, 1, kBlack);
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

} // namespace

class TestProjectCommands : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void init();
    void saveAndOpenKeepEveryPixel();
    void titleShowsFileAndModifiedMark();
    void questionBeforeWorkIsLost_data();
    void questionBeforeWorkIsLost();
    void unmodifiedProjectIsNeverAsked();
    void failedSaveKeepsTheProjectModified();
    void refusedFileChangesNothing();
    void recentProjects();
};

void TestProjectCommands::initTestCase() {
    QStandardPaths::setTestModeEnabled(true); // settings stay out of the user's own
}

void TestProjectCommands::init() {
    QSettings().clear();
}

void TestProjectCommands::saveAndOpenKeepEveryPixel() {
    FileFixture app;
    app.NewProject("Demo");
    frmSprite* ball = app.NewSprite("Ball");
    ball->findChild<QRadioButton*>("opt32")->click();
    app.Paint(0, 0, 0, kBlack);
    app.Paint(0, 31, 31, kTransparentCyan); // hidden once the size is 8
    ball->findChild<QRadioButton*>("opt8")->click();
    app.NewSprite("Car")->close();
    app.Paint(1, 2, 2, kDarkGrey);
    const QByteArray header = app.Header("before.h");

    QVERIFY(app.SaveAs(app.Path("Demo"))); // the extension is added
    QCOMPARE(app.dialogs.offeredNames.last(), QString("Demo.vellicor"));
    QCOMPARE(app.dialogs.shown.last().text, QString("Vellicor Projects (*.vellicor)"));
    QVERIFY(QFile::exists(app.Path("Demo.vellicor")));
    QVERIFY(!app.main->Document().IsModified());

    app.NewProject("Other");
    QVERIFY(app.Open(app.Path("Demo.vellicor")));
    QCOMPARE(app.main->ProjectName(), QString("Demo"));
    QCOMPARE(app.Tree()->topLevelItem(0)->childCount(), 2);
    QCOMPARE(app.SpriteNode(1)->text(0), QString("Car"));
    QCOMPARE(app.Header("after.h"), header);
    QVERIFY(!app.main->Document().IsModified());

    // The editor that was open opens again; the closed one stays closed.
    const auto& windows = app.main->EditorWindows();
    QVERIFY(windows.size() >= 1 && windows[0] && windows[0]->isVisible());
    QCOMPARE(windows[0]->windowTitle(), QString("Ball"));
    QVERIFY(windows.size() < 2 || !windows[1] || !windows[1]->isVisible());
    QVERIFY(app.main->Table().Record(0).IsOpen && !app.main->Table().Record(1).IsOpen);

    // Pixels beyond the size survived, and a new sprite goes after the opened ones.
    windows[0]->findChild<QRadioButton*>("opt32")->click();
    QCOMPARE(app.main->Table().Record(0).Bits(31, 31), *BitsForColour(kTransparentCyan));
    app.NewSprite("Next");
    QCOMPARE(app.SpriteNode(2)->data(0, frmMain::kKeyRole).toString(), QString("s2"));
}

void TestProjectCommands::titleShowsFileAndModifiedMark() {
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
    ball->findChild<QRadioButton*>("opt16")->click();
    QCOMPARE(app.ShownTitle(), QString("game.vellicor* - Vellicor - [Ball]"));
    ball->close(); // the editor takes its own flag back with it; the project's mark stays
    QCOMPARE(app.ShownTitle(), QString("game.vellicor* - Vellicor"));
}

void TestProjectCommands::questionBeforeWorkIsLost_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<SaveChangesAnswer>("answer");
    for (const char* command : {"new project", "open", "close", "exit", "session end"}) {
        QTest::addRow("%s, save", command) << command << SaveChangesAnswer::Save;
        QTest::addRow("%s, discard", command) << command << SaveChangesAnswer::Discard;
        QTest::addRow("%s, cancel", command) << command << SaveChangesAnswer::Cancel;
    }
}

void TestProjectCommands::questionBeforeWorkIsLost() {
    QFETCH(QString, command);
    QFETCH(SaveChangesAnswer, answer);
    FileFixture app;
    app.NewProject("Elsewhere");
    QVERIFY(app.SaveAs(app.Path("elsewhere.vellicor")));
    app.ModifiedProject();
    app.dialogs.shown.clear();
    app.dialogs.saveChangesAnswers << answer;
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
        app.main->findChild<QAction*>("mnuFileExit")->trigger();
        wentOn = !app.main->isVisible();
    } else {
        wentOn = app.main->AllowSessionEnd();
        // The close that ends the session does not ask a second time.
        if (wentOn)
            QVERIFY(app.main->close());
    }

    QCOMPARE(app.dialogs.Texts("question"), QStringList{"Save changes to project \"Demo\"?"});
    QCOMPARE(wentOn, answer != SaveChangesAnswer::Cancel);
    QCOMPARE(QFile::exists(app.Path("demo.vellicor")), answer == SaveChangesAnswer::Save);
    if (answer == SaveChangesAnswer::Cancel) {
        QCOMPARE(app.main->ProjectName(), QString("Demo"));
        QVERIFY(app.main->Document().IsModified());
        QVERIFY(app.main->isVisible() && app.main->EditorWindows()[0]->isVisible());
        QCOMPARE(app.main->Table().Record(0).Bits(1, 1), *BitsForColour(kBlack));
    }
}

void TestProjectCommands::unmodifiedProjectIsNeverAsked() {
    FileFixture app;
    app.ModifiedProject();
    QVERIFY(app.SaveAs(app.Path("demo.vellicor")));
    // A press that paints the colour a pixel already has changes nothing.
    QVERIFY(!app.main->Document().SetPixel(0, 1, 1, *BitsForColour(kBlack)));
    app.NewProject("Next");
    QVERIFY(app.Open(app.Path("demo.vellicor")));
    QVERIFY(app.main->close());
    QCOMPARE(app.dialogs.Count("question"), 0);
}

void TestProjectCommands::failedSaveKeepsTheProjectModified() {
    FileFixture app;
    app.ModifiedProject();
    const QString path = app.Path("missing/folder/demo.vellicor");
    QVERIFY(!app.SaveAs(path));
    QCOMPARE(app.dialogs.shown.last().title, QString("Error"));
    QVERIFY(app.dialogs.shown.last().text.startsWith("The project could not be saved to \"" + path +
                                                     "\".\n"));
    QVERIFY(app.main->Document().IsModified());
    QVERIFY(app.main->Document().FilePath().isEmpty());

    // A failed save while answering the question throws nothing away.
    app.dialogs.saveChangesAnswers << SaveChangesAnswer::Save;
    app.dialogs.saveAsAnswers << path;
    QVERIFY(!app.main->close());
    QVERIFY(app.main->isVisible());
}

void TestProjectCommands::refusedFileChangesNothing() {
    FileFixture app;
    app.ModifiedProject();
    QFile bad(app.Path("bad.vellicor"));
    QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write("{\"format\": 7}") > 0);
    bad.close();
    app.dialogs.saveChangesAnswers << SaveChangesAnswer::Discard;
    QVERIFY(!app.Open(bad.fileName()));
    QCOMPARE(app.dialogs.shown.last().title, QString("Error"));
    QVERIFY(app.dialogs.shown.last().text.startsWith("The project \"" + bad.fileName() +
                                                     "\" could not be opened.\n"));
    QCOMPARE(app.main->ProjectName(), QString("Demo"));
    QVERIFY(app.main->Document().IsModified());
    QVERIFY(app.main->EditorWindows()[0]->isVisible());
    QCOMPARE(app.main->Table().Record(0).Bits(1, 1), *BitsForColour(kBlack));
}

void TestProjectCommands::recentProjects() {
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

QTEST_MAIN(TestProjectCommands)
#include "test_project_commands.moc"
