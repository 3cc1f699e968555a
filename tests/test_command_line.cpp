// The command line as build pipelines call it: the real program as a child process with no
// display at all.
#include "export/header_text.h"
#include "model/colour_table.h"
#include "png/png_export.h"
#include "project/project_file.h"
#include "support/no_display.h"
#include "support/read_all.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace vellicor;

namespace {

const QByteArray kOldHeader = "old header\r\n";

SpriteTable Sprites() {
    SpriteTable table;
    SpriteRecord& ball = table.Record(table.Append("Ball"));
    ball.Size = 16;
    ball.SetBits(3, 2, *BitsForColour(kDarkGrey));
    ball.SetBits(20, 20, *BitsForColour(kBlack)); // hidden by the size
    table.Record(table.Append("Wall")).Size = 32;
    return table;
}

struct Finished {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the program as a pipeline would, with no display at all; "@" in an argument stands for
// `folder`.
Finished RunProgram(QStringList arguments, const QString& folder) {
    QProcess program;
    program.setProcessEnvironment(NoDisplayEnvironment());
    program.start(VELLICOR_PROGRAM, arguments.replaceInStrings("@", folder));
    if (!program.waitForFinished(30000) || program.exitStatus() != QProcess::NormalExit)
        return {};
    return {program.exitCode(), QString::fromLocal8Bit(program.readAllStandardOutput()),
            QString::fromLocal8Bit(program.readAllStandardError())};
}

// An empty expectation means nothing at all was printed; otherwise whole lines.
bool StartsWith(const QString& text, const QString& start) {
    return start.isEmpty() ? text.isEmpty() : text.startsWith(start) && text.endsWith('\n');
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT
  private slots:
    void run_data();
    void run();
    void png_data();
    void png();
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
    QTest::newRow("refused project") << QStringList{"--export", "@/newer.vellicor", "--output", "@/out.h"} << 1 << ""
        << "vellicor: could not read the project \"@/newer.vellicor\": The project was written by a newer version of Vellicor (format version 2); this version reads format 1.\n" << false;
    QTest::newRow("missing project") << QStringList{"--export", "@/none.vellicor", "--output", "@/out.h"} << 1 << ""
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
    const SpriteTable table = Sprites();
    QCOMPARE(SaveProjectFile(dir.filePath("good.vellicor"), "Demo", table), std::nullopt);
    QFile newer(dir.filePath("newer.vellicor"));
    QVERIFY(newer.open(QIODevice::WriteOnly));
    newer.write(ProjectFileBytes("Demo", table).replace("\"version\": 1", "\"version\": 2"));
    newer.close();
    QFile header(dir.filePath("out.h"));
    QVERIFY(header.open(QIODevice::WriteOnly) && header.write(kOldHeader) == kOldHeader.size());
    header.close();

    const Finished finished = RunProgram(arguments, dir.path());
    QVERIFY2(StartsWith(finished.err, err.replace("@", dir.path())), qPrintable(finished.err));
    QVERIFY2(StartsWith(finished.out, out), qPrintable(finished.out));
    if (exitCode == 1)
        QCOMPARE(finished.err.count('\n'), 1);
    QCOMPARE(finished.exitCode, exitCode);
    QCOMPARE(ReadAll(dir.filePath("out.h")),
             writes ? QByteArray::fromStdString(HeaderText(table)) : kOldHeader);
}

void TestCommandLine::png_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("err");    // what stderr starts with; "@" is the test's folder
    QTest::addColumn<QString>("result"); // "png SPRITE SCALE" or "project FILE NAME SPRITE"
    const QStringList exportBall = {"--export-png", "@/good.vellicor", "--output", "@/out.png"};
    const QString usage = "\n\nUsage: ";
    const QString notFound =
        "vellicor: could not find the sprite in the project \"@/good.vellicor\": ";
    // clang-format off
    QTest::newRow("export by name") << exportBall + QStringList{"--sprite", "Ball"} << 0 << "" << "png 0 1";
    QTest::newRow("export by index, scaled") << exportBall + QStringList{"--sprite", "1", "--scale", "3"} << 0 << "" << "png 1 3";
    QTest::newRow("no such name") << exportBall + QStringList{"--sprite", "Car"} << 1 << notFound + "It has no sprite named \"Car\".\n" << "";
    QTest::newRow("no such index") << exportBall + QStringList{"--sprite", "4"} << 1 << notFound + "It has no sprite 4: its sprites are 0 to 3.\n" << "";
    QTest::newRow("shared name") << exportBall + QStringList{"--sprite", "Twin"} << 1 << notFound + "2 sprites are named \"Twin\"; give the index of one: 2, 3.\n" << "";
    QTest::newRow("no size") << exportBall + QStringList{"--sprite", "3"} << 1
        << "vellicor: could not export from the project \"@/good.vellicor\": The sprite \"Twin\" has no size yet: choose 8, 16 or 32 first.\n" << "";
    QTest::newRow("unwritable image") << QStringList{"--export-png", "@/good.vellicor", "--sprite", "0", "--output", "@/none/out.png"} << 1
        << "vellicor: could not write the image \"@/none/out.png\": " << "";
    QTest::newRow("no sprite") << exportBall << 2 << "vellicor: --export-png needs --sprite." + usage << "";
    QTest::newRow("scale 0") << exportBall + QStringList{"--sprite", "0", "--scale", "0"} << 2 << "vellicor: --scale needs a whole number from 1 to 32." + usage << "";
    QTest::newRow("scale 33") << exportBall + QStringList{"--sprite", "0", "--scale", "33"} << 2 << "vellicor: --scale needs a whole number from 1 to 32." + usage << "";
    QTest::newRow("scale with --export") << QStringList{"--export", "@/good.vellicor", "--output", "@/out.h", "--scale", "2"} << 2 << "vellicor: --scale goes with --export-png." + usage << "";
    QTest::newRow("name alone") << QStringList{"--name", "Ball"} << 2 << "vellicor: --name goes with --import-png." + usage << "";
    QTest::newRow("import, new project") << QStringList{"--import-png", "@/Ball.png", "--output", "@/Game.vellicor"} << 0 << "" << "project Game.vellicor Game Ball";
    QTest::newRow("import, named, extends") << QStringList{"--import-png", "@/Ball.png", "--output", "@/good.vellicor", "--name", "Disc"} << 0 << "" << "project good.vellicor Demo Disc";
    QTest::newRow("import, name refused") << QStringList{"--import-png", "@/Ball.png", "--output", "@/good.vellicor", "--name", "2Disc"} << 2
        << "vellicor: --name \"2Disc\": Sprite name must start with a letter and have no spaces." + usage << "";
    QTest::newRow("import, file name refused") << QStringList{"--import-png", "@/2 balls.png", "--output", "@/good.vellicor"} << 1
        << "vellicor: could not import the image \"@/2 balls.png\": Its file name is no sprite name, which must start with a letter and have no spaces; give one with --name.\n" << "";
    QTest::newRow("import, too large") << QStringList{"--import-png", "@/Wide.png", "--output", "@/good.vellicor"} << 1
        << "vellicor: could not import the image \"@/Wide.png\": The image is 33 x 1 pixels; a sprite holds at most 32 x 32.\n" << "";
    QTest::newRow("import, not an image") << QStringList{"--import-png", "@/good.vellicor", "--output", "@/Game.vellicor"} << 1
        << "vellicor: could not import the image \"@/good.vellicor\": It is not a PNG image, or it is damaged.\n" << "";
    QTest::newRow("import, damaged") << QStringList{"--import-png", "@/Cut.png", "--output", "@/good.vellicor"} << 1
        << "vellicor: could not import the image \"@/Cut.png\": It is not a PNG image, or it is damaged.\n" << "";
    QTest::newRow("import, refused project") << QStringList{"--import-png", "@/Ball.png", "--output", "@/out.png"} << 1
        << "vellicor: could not read the project \"@/out.png\": " << "";
    QTest::newRow("import, no project name") << QStringList{"--import-png", "@/Ball.png", "--output", "@/2024.vellicor"} << 1
        << "vellicor: could not create the project \"@/2024.vellicor\": Its file name gives no project name: a project name must start with a letter.\n" << "";
    // clang-format on
}

void TestCommandLine::png() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, err);
    QFETCH(QString, result);
    QTemporaryDir dir;
    SpriteTable table = Sprites();
    table.Record(table.Append("Twin")).Size = 8;
    table.Record(table.Append("Twin")); // no size yet
    QCOMPARE(SaveProjectFile(dir.filePath("good.vellicor"), "Demo", table), std::nullopt);
    const QByteArray project = ReadAll(dir.filePath("good.vellicor"));
    QImage ball(9, 3, QImage::Format_ARGB32);
    ball.fill(qRgba(0, 0, 0, 0));
    ball.setPixel(8, 2, qRgb(128, 128, 128));
    for (const char* name : {"Ball.png", "2 balls.png"})
        QVERIFY(ball.save(dir.filePath(name)));
    QVERIFY(QImage(33, 1, QImage::Format_ARGB32).save(dir.filePath("Wide.png")));
    const QByteArray ballBytes = ReadAll(dir.filePath("Ball.png"));
    WriteFile(dir.filePath("Cut.png"), ballBytes.left(ballBytes.size() / 2));
    WriteFile(dir.filePath("out.png"), "old image");

    const Finished finished = RunProgram(arguments, dir.path());
    QVERIFY2(StartsWith(finished.err, err.replace("@", dir.path())), qPrintable(finished.err));
    QVERIFY(finished.out.isEmpty());
    if (exitCode == 1)
        QCOMPARE(finished.err.count('\n'), 1);
    QCOMPARE(finished.exitCode, exitCode);

    const QStringList expected = result.split(' ');
    const bool wroteImage = expected[0] == "png";
    QCOMPARE(ReadAll(dir.filePath("out.png")),
             wroteImage ? SpritePngBytes(table.Record(expected[1].toInt()), expected[2].toInt())
                        : QByteArray("old image"));
    if (expected[0] != "project") {
        QCOMPARE(ReadAll(dir.filePath("good.vellicor")), project);
        QVERIFY(!QFile::exists(dir.filePath("Game.vellicor")));
        return;
    }
    const ProjectRead read = LoadProjectFile(dir.filePath(expected[1]));
    QVERIFY2(read.project, qPrintable(read.error));
    QCOMPARE(read.project->name, expected[2]);
    // An extended project keeps its sprites as they were, and the image comes last.
    const bool extended = expected[1] == "good.vellicor";
    const auto sprites = read.project->table.Sprites();
    QCOMPARE(sprites.size(), extended ? table.Sprites().size() + 1 : 1U);
    if (extended)
        QVERIFY(HeaderText(read.project->table).starts_with(HeaderText(table)));
    const SpriteRecord& added = sprites.back();
    QCOMPARE(QString::fromStdString(added.Name), expected[3]);
    SpriteRecord wanted;
    wanted.Size = 16;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 9; ++x)
            wanted.SetBits(x, y, *BitsForColour(x == 8 && y == 2 ? kDarkGrey : kTransparentCyan));
    QCOMPARE(int{added.Size}, int{wanted.Size});
    for (int y = 0; y < kPlaneSide; ++y) {
        QCOMPARE(added.PlaneDark.FullRow(y), wanted.PlaneDark.FullRow(y));
        QCOMPARE(added.PlaneLight.FullRow(y), wanted.PlaneLight.FullRow(y));
        QCOMPARE(added.PlaneMask.FullRow(y), wanted.PlaneMask.FullRow(y));
    }
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_command_line.moc"
