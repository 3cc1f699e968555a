// Files dropped on the main window from a file manager, as real drag events carry them.
#include "support/app_fixture.h"

#include <QMimeData>

using namespace vellicor;

namespace {

// The drag comes in, moves and lets go over the window; returns whether the window took it.
bool Drop(AppFixture& app, const QStringList& names, bool urls = true) {
    QList<QUrl> files;
    for (const QString& name : names)
        files << (name.contains("://") ? QUrl(name) : QUrl::fromLocalFile(app.Path(name)));
    QMimeData mime; // a file manager's drop, or text from elsewhere
    urls ? mime.setUrls(files) : mime.setText(names.join(' '));
    const QPoint at = app.main->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
    QDragMoveEvent move(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
    for (QEvent* event : std::initializer_list<QEvent*>{&enter, &move, &drop})
        if (!QApplication::sendEvent(app.main.get(), event) || !event->isAccepted())
            return false;
    QCoreApplication::processEvents(); // the files are taken once the drag has let go
    return true;
}

// An image of eight by eight, or as wide as given; in another format, a broken PNG.
void SavePng(const AppFixture& app, const QString& name, const char* format = "png",
             int width = 8) {
    QImage image(width, 8, QImage::Format_ARGB32);
    image.fill(Qt::black);
    QVERIFY(image.save(app.Path(name), format));
}

} // namespace

class TestFileDrops : public QObject {
    Q_OBJECT
  private slots:
    // Images, a header, a broken image and a stranger in one drop: each is taken in turn as its
    // own step, and a refusal reads as the menu's own.
    void importsInOrder() {
        AppFixture app;
        app.NewBall(8);
        app.CompileTo("sprites.h");
        app.NewProject("Demo");
        SavePng(app, "Star.png");
        SavePng(app, "Moon.PNG");
        SavePng(app, "broken.png", "bmp");
        QVERIFY(Drop(app, {"Star.png", "broken.png", "sprites.h", "notes.txt", "Moon.PNG"}));
        QCOMPARE(app.Nodes(), QString("s0 Star, s1 Ball, s2 Moon"));
        QCOMPARE(app.OpenWindows(), QString("0 Star, 2 Moon"));
        const QStringList messages = app.dialogs.Texts("message");
        QCOMPARE(messages.size(), 2);
        QVERIFY(messages[1].contains("notes.txt\" cannot be dropped here"));
        app.dialogs.openAnswers << app.Path("broken.png");
        app.Action("mnuFileImportPng")->trigger();
        QCOMPARE(app.dialogs.Texts("message").last(), messages[0]);
        QCOMPARE(app.dialogs.Count("open"), 1); // the drop asked for no file

        app.Tree()->setFocus();
        app.Tree()->setCurrentIndex(app.ProjectNode());
        app.Action("mnuEditUndo")->trigger();
        QCOMPARE(app.Nodes(), QString("s0 Star, s1 Ball"));
        QCOMPARE(app.Action("mnuEditUndo")->text(), QString("&Undo Import Header"));
    }

    // A project opens as Open opens it, asking about unsaved work first; Cancel leaves everything,
    // the rest of the drop too.
    void opensProjects() {
        AppFixture app;
        app.NewBall(8);
        QVERIFY(app.SaveAs(app.Path("demo.vellicor")));
        app.NewProject("Work");
        app.NewSprite("Cat");
        SavePng(app, "Star.png");
        app.dialogs.saveChangesAnswers << SaveChangesAnswer::Cancel << SaveChangesAnswer::Discard;
        QVERIFY(Drop(app, {"demo.vellicor", "Star.png"}));
        QCOMPARE(app.dialogs.Texts("question"), QStringList{"Save changes to project \"Work\"?"});
        QCOMPARE(app.main->ProjectName() + ": " + app.Nodes(), QString("Work: s0 Cat"));
        QVERIFY(app.main->Document().IsModified());
        QVERIFY(Drop(app, {"demo.vellicor", "Star.png"}));
        QCOMPARE(app.main->ProjectName() + ": " + app.Nodes(), QString("Demo: s0 Ball, s1 Star"));
        QCOMPARE(app.dialogs.Count("message"), 0);
    }

    // No file of this machine is turned away at the door; a file of another kind, or an image
    // with no project to take it, is refused with a message and the rest go on.
    void refusesOthers() {
        AppFixture app;
        SavePng(app, "Star.png");
        QVERIFY(!Drop(app, {"https://example.com/Star.png"}));
        QVERIFY(!Drop(app, {"Star.png"}, false));
        QVERIFY(Drop(app, {"Star.png"}));
        QVERIFY(app.dialogs.Texts("message").value(0).contains("there is no project"));
        app.NewProject("Demo");
        QVERIFY(Drop(app, {"https://example.com/a.png", "Star.png"}));
        QCOMPARE(app.Nodes(), QString("s0 Star"));
        QVERIFY(app.dialogs.Texts("message").value(1).startsWith("\"https://example.com/a.png\""));
    }

    // An image larger than a sprite can only be a sheet: it is cut as Import Sprite Sheet does.
    void sheetsAreCut() {
        AppFixture app;
        app.NewProject("Demo");
        SavePng(app, "Row.png", "png", 40);
        app.dialogs.sheetCutAnswers << SheetCut{8, false};
        QVERIFY(Drop(app, {"Row.png"}));
        QCOMPARE(app.Nodes(), QString("s0 Row0, s1 Row1, s2 Row2, s3 Row3, s4 Row4"));
        QCOMPARE(app.dialogs.Count("message"), 0);
    }
};

QTEST_MAIN(TestFileDrops)
#include "test_file_drops.moc"
