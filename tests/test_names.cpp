// Names as users type and paste them: the rules, and what each verdict does through the real
// input box and message box.
#include "main_window/dialog_seam.h"
#include "main_window/frm_main.h"
#include "model/name_rules.h"

#include <QApplication>
#include <QClipboard>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace vellicor;

Q_DECLARE_METATYPE(NameVerdict)

class TestNames : public QObject {
    Q_OBJECT
  private slots:
    void rules_data();
    void rules();
    void pastedThroughTheRealInputBox_data();
    void pastedThroughTheRealInputBox();
};

void TestNames::rules_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<NameVerdict>("project");
    QTest::addColumn<NameVerdict>("sprite");
    const auto accept = NameVerdict::Accept;
    const auto ignore = NameVerdict::Ignore;
    const auto refuse = NameVerdict::Refuse;
    const auto row = [](const char* title, const QString& name, NameVerdict project,
                        NameVerdict sprite) { QTest::newRow(title) << name << project << sprite; };
    row("empty", "", ignore, ignore);
    row("lower-case letter", "ball2", accept, accept);
    row("letter, space", "Red Ball", accept, refuse);
    row("digit", "2Ball", refuse, refuse);
    row("other", "_ball", ignore, ignore);
    row("leading space", " Ball", ignore, refuse);
    row("accented letter", "\u00C9t\u00E9", ignore, ignore);
    // A no-break space counts as a space for a sprite; a project may hold it.
    row("letter, no-break space", "Red\u00A0Ball", accept, refuse);
    // A control character is refused wherever it stands, in either name.
    row("null", QString("Ba") + QChar(0) + "ll", refuse, refuse);
    row("delete", "Ball\u007F", refuse, refuse);
    row("leading next line", "\u0085Ball", refuse, refuse);
}

void TestNames::rules() {
    QFETCH(QString, name);
    QFETCH(NameVerdict, project);
    QFETCH(NameVerdict, sprite);
    QCOMPARE(CheckName(name, NameKind::Project), project);
    QCOMPARE(CheckName(name, NameKind::Sprite), sprite);
}

void TestNames::pastedThroughTheRealInputBox_data() {
    QTest::addColumn<bool>("sprite");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("outcome"); // "taken", "ignored" or "refused"
    // clang-format off
    QTest::newRow("project, line break") << false << "Red\nBall" << "refused";
    QTest::newRow("project, no-break space") << false << "Red\u00A0Ball" << "taken";
    QTest::newRow("sprite, leading tab") << true << "\tBall" << "refused";
    QTest::newRow("sprite, underscore") << true << "_ball" << "ignored";
    // clang-format on
}

void TestNames::pastedThroughTheRealInputBox() {
    QFETCH(bool, sprite);
    QFETCH(QString, pasted);
    QFETCH(QString, outcome);
    QtDialogs dialogs;
    frmMain main(dialogs);
    QString clipboard = "Old";
    QStringList arrived;
    QStringList messages;
    // Answers the real modal dialogs as a user would: pastes into the input box with Ctrl+V and
    // presses Enter; reads the message box and presses its OK button.
    QTimer user;
    connect(&user, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* input = qobject_cast<QInputDialog*>(modal)) {
            auto* edit = input->findChild<QLineEdit*>();
            QGuiApplication::clipboard()->setText(clipboard);
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
            arrived << edit->text();
            QTest::keyClick(edit, Qt::Key_Return);
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
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
    QCOMPARE(messages, outcome == "refused" ? QStringList{"Error: Sprite name must start with a "
                                                          "letter and have no spaces."}
                                            : QStringList());
    const bool taken = outcome == "taken";
    QCOMPARE(main.ProjectName(), taken && !sprite ? pasted : QString("Old"));
    QCOMPARE(main.Table().SpriteCount(), taken && sprite ? 1 : 0);
    QCOMPARE(main.findChild<QTreeWidget*>("tvMain")->topLevelItem(0)->childCount(),
             main.Table().SpriteCount());
}

QTEST_MAIN(TestNames)
#include "test_names.moc"
