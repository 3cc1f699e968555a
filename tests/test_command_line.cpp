// The command line as build pipelines call it: the real program as a child process with no
// display at all.
#include "export/header_text.h"
#include "model/colour_table.h"
#include "project/project_file.h"
#include "support/read_all.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace vellicor;

namespace {

const QByteArray kOldHeader = "old header\r\n";

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT
  private slots:
    void run_data();
    void run();
};

void TestCommandLine::run_data() {
    // In arguments and messages, "@" stands for the test's folder.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out"); // what stdout starts with
    QTest::addColumn<QString>("err"); // what stderr starts with
    QTest::addColumn<bool>("writes"); // @/out.h then holds the project's header
    const QString usage = "\n\nUsage: ";
    // clang-format off
    QTest::newRow("export") << QStringList{"--export", "@/good.vellicor", "--output", "@/out.h"} << 0 << "" << "" << true;
    QTest::newRow("unreadable project") << QStringList{"--export", "@/none.vellicor", "--output", "@/out.h"} << 1 << ""
        << "vellicor: could not read the project \"@/none.vellicor\": No such file or directory\n" << false;
    QTest::newRow("unwritable output") << QStringList{"--export", "@/good.vellicor", "--output", "@/none/out.h"} << 1 << ""
        << "vellicor: could not write the header \"@/none/out.h\": " << false;
    QTest::newRow("no output") << QStringList{"--export", "@/good.vellicor"} << 2 << "" << "vellicor: --export needs --output." + usage << false;
    QTest::newRow("output alone") << QStringList{"--output", "@/out.h"} << 2 << "" << "vellicor: --output goes with a command such as --export." + usage << false;
    QTest::newRow("extra argument") << QStringList{"--export", "@/good.vellicor", "--output", "@/out.h", "x"} << 2 << "" << "vellicor: Unexpected argument \"x\"." + usage << false;
    QTest::newRow("two exports") << QStringList{"--export", "@/good.vellicor", "--export", "@/good.vellicor", "--output", "@/out.h"} << 2 << "" << "vellicor: Give one command at a time." + usage << false;
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << 2 << "" << "vellicor: Unknown option 'frobnicate'." + usage << false;
    QTest::newRow("two projects") << QStringList{"a.vellicor", "b.vellicor"} << 2 << "" << "vellicor: Give at most one project to open." + usage << false;
    QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage: " << "" << false;
    QTest::newRow("version") << QStringList{"--version"} << 0 << "vellicor 1.0\n" << "" << false;
    // clang-format on
}

void TestCommandLine::run() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QFETCH(bool, writes);
    QTemporaryDir dir;
    SpriteTable table;
    SpriteRecord& ball = table.Record(table.Append("Ball"));
    ball.Size = 16;
    ball.SetBits(3, 2, *BitsForColour(kDarkGrey));
    QCOMPARE(SaveProjectFile(dir.filePath("good.vellicor"), "Demo", table), std::nullopt);
    QVERIFY(WriteAll(dir.filePath("out.h"), kOldHeader));

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    program.setProcessEnvironment(environment);
    program.start(VELLICOR_PROGRAM, arguments.replaceInStrings("@", dir.path()));
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    const QString stdOut = QString::fromLocal8Bit(program.readAllStandardOutput());
    const QString stdErr = QString::fromLocal8Bit(program.readAllStandardError());
    // An empty expectation means nothing at all was printed.
    const auto startsWith = [](const QString& text, const QString& start) {
        return start.isEmpty() ? text.isEmpty() : text.startsWith(start) && text.endsWith('\n');
    };
    QVERIFY2(startsWith(stdErr, err.replace("@", dir.path())), qPrintable(stdErr));
    QVERIFY2(startsWith(stdOut, out), qPrintable(stdOut));
    if (exitCode == 1)
        QCOMPARE(stdErr.count('\n'), 1);
    QCOMPARE(program.exitCode(), exitCode);
    QCOMPARE(ReadAll(dir.filePath("out.h")),
             writes ? QByteArray::fromStdString(HeaderText(table)) : kOldHeader);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_command_line.moc"
