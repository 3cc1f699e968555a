// The command line as build pipelines call it: the real program as a child process with no
// display at all.
#include "export/c_header_text.h"
#include "export/header_text.h"
#include "model/colour_table.h"
#include "png/png_export.h"
#include "project/project_file.h"
#include "support/awkward_names.h"
#include "support/no_display.h"
#include "support/png_writer.h"
#include "support/read_all.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace vellicor;

namespace {

const QByteArray kOldHeader = "old header\r\n";
const QByteArray kOldImage = "old image";

// Ball has a pixel hidden by its size; the second Twin has no size yet.
SpriteTable Sprites() {
    SpriteTable table;
    SpriteRecord& ball = table.Record(table.Append("Ball"));
    ball.Size = 16;
    ball.SetBits(3, 2, *BitsForColour(kDarkGrey));
    ball.SetBits(20, 20, *BitsForColour(kBlack));
    table.Record(table.Append("Wall")).Size = 32;
    table.Record(table.Append("Twin")).Size = 8;
    table.Record(table.Append("Twin"));
    return table;
}

// The sprites of in.h: every size, and names that C would read as something else.
SpriteTable AwkwardSprites() {
    SpriteTable table;
    for (int i = 0; i < kAwkwardSpriteNames.size(); ++i)
        table.Record(table.Append(kAwkwardSpriteNames[i].toStdString())).Size =
            static_cast<std::int16_t>(i % 4 == 0 ? 0 : 4 << (i % 4));
    return table;
}

// What importing Ball.png adds: a 9 x 3 image, transparent but for one dark grey pixel.
SpriteRecord ImportedBall(const QString& name) {
    SpriteRecord sprite;
    sprite.Name = name.toStdString();
    sprite.Size = 16;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 9; ++x)
            sprite.SetBits(x, y, *BitsForColour(x == 8 && y == 2 ? kDarkGrey : kTransparentCyan));
    return sprite;
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT
  private slots:
    void run_data() {
        // In arguments and messages, "@" stands for the test's folder.
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("err"); // what stderr starts with, in whole lines; empty: nothing
        // What was written: "list LINES" on stdout, the listing's last lines; "header", "png SPRITE
        // SCALE", "project FILE NAME PNG SPRITE" with the sprite of Ball.png added, "project FILE
        // NAME header" with those of in.h; "cheader" the C declarations of distinct.vellicor; else
        // nothing.
        QTest::addColumn<QString>("result");
        const QStringList exportBall = {"--export-png", "@/good.vellicor", "--output", "@/out.png"};
        const QString usage = "\n\nUsage: ";
        const QString notFound =
            "vellicor: could not find the sprite in the project \"@/good.vellicor\": ";
        // clang-format off
        QTest::newRow("export") << QStringList{"--export", "@/good.vellicor", "--output", "@/out.h"} << 0 << "" << "header";
        QTest::newRow("export, C declarations") << QStringList{"--export", "@/distinct.vellicor", "--output", "@/out.h", "--header-style", "c"} << 0 << "" << "cheader";
        QTest::newRow("export, plain") << QStringList{"--export", "@/good.vellicor", "--output", "@/out.h", "--header-style", "plain"} << 0 << "" << "header";
        QTest::newRow("export, no such style") << QStringList{"--export", "@/good.vellicor", "--output", "@/out.h", "--header-style", "C"} << 2 << "vellicor: --header-style needs plain or c." + usage << "";
        QTest::newRow("export, names no C declarations take") << QStringList{"--export", "@/good.vellicor", "--output", "@/c.h", "--header-style", "c"} << 1
            << "vellicor: could not write the header \"@/c.h\": The C declarations style needs sprite names that are C identifiers (ASCII letters, digits and \"_\", not starting with a digit) and distinct, which these are not: \"Twin\".\n" << "";
        QTest::newRow("refused project") << QStringList{"--export", "@/newer.vellicor", "--output", "@/out.h"} << 1
            << "vellicor: could not read the project \"@/newer.vellicor\": The project was written by a newer version of Vellicor (format version 2); this version reads format 1.\n" << "";
        QTest::newRow("unwritable output") << QStringList{"--export", "@/good.vellicor", "--output", "@/none/out.h"} << 1
            << "vellicor: could not write the header \"@/none/out.h\": " << "";
        QTest::newRow("no output") << QStringList{"--export", "@/good.vellicor"} << 2 << "vellicor: --export needs --output." + usage << "";
        QTest::newRow("output alone") << QStringList{"--output", "@/out.h"} << 2 << "vellicor: --output goes with a command such as --export." + usage << "";
        QTest::newRow("extra argument") << QStringList{"--export", "@/good.vellicor", "--output", "@/out.h", "x"} << 2 << "vellicor: Unexpected argument \"x\"." + usage << "";
        QTest::newRow("unknown option") << QStringList{"--frobnicate"} << 2 << "vellicor: Unknown option 'frobnicate'." + usage << "";
        QTest::newRow("PNG by name") << exportBall + QStringList{"--sprite", "Ball"} << 0 << "" << "png 0 1";
        QTest::newRow("PNG by index, scaled") << exportBall + QStringList{"--sprite", "1", "--scale", "3"} << 0 << "" << "png 1 3";
        QTest::newRow("PNG, no such name") << exportBall + QStringList{"--sprite", "Car"} << 1 << notFound + "It has no sprite named \"Car\".\n" << "";
        QTest::newRow("PNG, no such index") << exportBall + QStringList{"--sprite", "4"} << 1 << notFound + "It has no sprite 4: its sprites are 0 to 3.\n" << "";
        QTest::newRow("PNG, shared name") << exportBall + QStringList{"--sprite", "Twin"} << 1 << notFound + "2 sprites are named \"Twin\"; give the index of one: 2, 3.\n" << "";
        QTest::newRow("PNG, no size") << exportBall + QStringList{"--sprite", "3"} << 1
            << "vellicor: could not export from the project \"@/good.vellicor\": The sprite \"Twin\" has no size yet: choose 8, 16 or 32 first.\n" << "";
        QTest::newRow("PNG, no sprite") << exportBall << 2 << "vellicor: --export-png needs --sprite." + usage << "";
        QTest::newRow("PNG, scale 33") << exportBall + QStringList{"--sprite", "0", "--scale", "33"} << 2 << "vellicor: --scale needs a whole number from 1 to 32." + usage << "";
        QTest::newRow("--scale with --export") << QStringList{"--export", "@/good.vellicor", "--output", "@/out.h", "--scale", "2"} << 2 << "vellicor: --scale goes with --export-png or --export-sheet." + usage << "";
        QTest::newRow("PNG import, new project") << QStringList{"--import-png", "@/Ball.png", "--output", "@/Game.vellicor"} << 0 << "" << "project Game.vellicor Game PNG Ball";
        QTest::newRow("PNG import, named, extends") << QStringList{"--import-png", "@/Ball.png", "--output", "@/good.vellicor", "--name", "Disc"} << 0 << "" << "project good.vellicor Demo PNG Disc";
        QTest::newRow("PNG import, name refused") << QStringList{"--import-png", "@/Ball.png", "--output", "@/good.vellicor", "--name", "2Disc"} << 2
            << "vellicor: --name \"2Disc\": Sprite name must start with a letter and have no spaces." + usage << "";
        QTest::newRow("PNG import, file name refused") << QStringList{"--import-png", "@/2 balls.png", "--output", "@/good.vellicor"} << 1
            << "vellicor: could not import the image \"@/2 balls.png\": Its file name is no sprite name, which must start with a letter and have no spaces; give one with --name.\n" << "";
        QTest::newRow("PNG import, not an image") << QStringList{"--import-png", "@/good.vellicor", "--output", "@/Game.vellicor"} << 1
            << "vellicor: could not import the image \"@/good.vellicor\": It is not a PNG image, or it is damaged.\n" << "";
        QTest::newRow("PNG import, damaged data") << QStringList{"--import-png", "@/damaged.png", "--output", "@/Game.vellicor"} << 1
            << "vellicor: could not import the image \"@/damaged.png\": It is not a PNG image, or it is damaged.\n" << "";
        QTest::newRow("PNG import, odd chunks taken quietly") << QStringList{"--import-png", "@/Odd.png", "--output", "@/Game.vellicor"} << 0 << "" << "project Game.vellicor Game PNG Odd";
        QTest::newRow("PNG import, no project name") << QStringList{"--import-png", "@/Ball.png", "--output", "@/2024.vellicor"} << 1
            << "vellicor: could not create the project \"@/2024.vellicor\": Its file name gives no project name: a project name must start with a letter.\n" << "";
        QTest::newRow("header import, new project") << QStringList{"--import-header", "@/in.h", "--output", "@/New.vellicor"} << 0 << "" << "project New.vellicor New header";
        QTest::newRow("header import, appended") << QStringList{"--import-header", "@/in.h", "--output", "@/good.vellicor"} << 0 << "" << "project good.vellicor Demo header";
        QTest::newRow("header import, refused header") << QStringList{"--import-header", "@/bad.h", "--output", "@/good.vellicor"} << 1
            << "vellicor: could not read the header \"@/bad.h\": Line 2: Ball_PlaneLight is missing before Ball_PlaneMask.\n" << "";
        QTest::newRow("header import, no sprites") << QStringList{"--import-header", "@/empty.h", "--output", "@/New.vellicor"} << 1
            << "vellicor: could not read the header \"@/empty.h\": It holds no sprites.\n" << "";
        QTest::newRow("list") << QStringList{"--list", "@/good.vellicor"} << 0 << "" << "list 0\tBall\t16\n1\tWall\t32\n2\tTwin\t8\n3\tTwin\t0\n";
        QTest::newRow("list, names in UTF-8") << QStringList{"--list", "@/odd.vellicor"} << 0 << "" << "list 20\tB\u00e4ll\t0\n21\ta\u03a9b\t8\n";
        QTest::newRow("list, refused project") << QStringList{"--list", "@/newer.vellicor"} << 1 << "vellicor: could not read the project \"@/newer.vellicor\": " << "";
        QTest::newRow("list with --output") << QStringList{"--list", "@/good.vellicor", "--output", "@/out.h"} << 2
            << "vellicor: --list prints to standard output: it takes no --output." + usage << "";
        QTest::newRow("header import, output not a project") << QStringList{"--import-header", "@/in.h", "--output", "@/out.h"} << 1
            << "vellicor: could not read the project \"@/out.h\": It is not valid JSON: " << "";
        // clang-format on
    }

    void run() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, err);
        QFETCH(QString, result);
        QTemporaryDir dir;
        const auto path = [&dir](const char* name) { return dir.filePath(name); };
        const SpriteTable table = Sprites();
        const QByteArray project = ProjectFileBytes("Demo", table);
        SpriteTable distinct = table;
        distinct.TakeFrom(3); // one Twin only
        const QByteArray header = QByteArray::fromStdString(HeaderText(table));
        const QByteArray awkward = QByteArray::fromStdString(HeaderText(AwkwardSprites()));
        const qsizetype secondLine = header.indexOf('\n') + 1;
        QImage ball(9, 3, QImage::Format_ARGB32);
        ball.fill(qRgba(0, 0, 0, 0));
        ball.setPixel(8, 2, qRgb(128, 128, 128));
        QVERIFY(WriteAll(path("good.vellicor"), project) && WriteAll(path("out.h"), kOldHeader) &&
                WriteAll(path("out.png"), kOldImage) && ball.save(path("Ball.png")) &&
                ball.save(path("2 balls.png")) && WriteAll(path("in.h"), awkward) &&
                WriteAll(path("empty.h"), "/* Ball_PlaneDark = }; */\r\n") &&
                WriteAll(path("odd.vellicor"), ProjectFileBytes("Odd", AwkwardSprites())) &&
                WriteAll(path("distinct.vellicor"), ProjectFileBytes("Demo", distinct)));
        // Ball.png with its image data's own checksum wrong, every chunk's checksum right; and with
        // an empty profile, an empty colour key and a gamma after the image data, as viewers take.
        const QByteArray png = ReadAll(path("Ball.png"));
        const qsizetype idat = png.indexOf("IDAT") - 4;
        const qsizetype idatEnd = idat + 12 + qFromBigEndian<quint32>(png.constData() + idat);
        QByteArray data = png.mid(idat + 8, idatEnd - idat - 12);
        data.back() ^= 1;
        QVERIFY(WriteAll(path("damaged.png"),
                         png.left(idat) + PngChunk("IDAT", data) + png.mid(idatEnd)));
        QVERIFY(WriteAll(path("Odd.png"), png.left(33) + PngChunk("iCCP", {}) +
                                              PngChunk("tRNS", {}) + png.mid(33, png.size() - 45) +
                                              PngChunk("gAMA", QByteArray("\0\0\xB1\x8F", 4)) +
                                              png.right(12)));
        QVERIFY(WriteAll(path("newer.vellicor"),
                         QByteArray(project).replace("\"version\": 1", "\"version\": 2")));
        QVERIFY(WriteAll(path("bad.h"), header.left(secondLine) +
                                            header.mid(header.indexOf('\n', secondLine) + 1)));

        QProcess program;
        program.setProcessEnvironment(NoDisplayEnvironment());
        program.start(VELLICOR_PROGRAM, arguments.replaceInStrings("@", dir.path()));
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        const auto startsWith = [](const QString& text, const QString& start) {
            return start.isEmpty() ? text.isEmpty() : text.startsWith(start) && text.endsWith('\n');
        };
        const QString stdErr = QString::fromLocal8Bit(program.readAllStandardError());
        QVERIFY2(startsWith(stdErr, err.replace("@", dir.path())), qPrintable(stdErr));
        const QByteArray out = program.readAllStandardOutput();
        const QStringList wrote = result.split(' ');
        QCOMPARE(out.size() > 0, wrote[0] == "list");
        QVERIFY2(wrote[0] != "list" || out.endsWith(result.mid(5).toUtf8()), out.constData());
        if (exitCode == 1)
            QCOMPARE(stdErr.count('\n'), 1);
        QCOMPARE(program.exitCode(), exitCode);

        // Every file holds what it held, but the one the command wrote.
        const QByteArray cHeader =
            QByteArray::fromStdString(CHeaderText(distinct, "Demo", path("out.h")));
        QCOMPARE(ReadAll(path("out.h")), wrote[0] == "header"    ? header
                                         : wrote[0] == "cheader" ? cHeader
                                                                 : kOldHeader);
        QVERIFY(!QFile::exists(path("c.h")));
        QCOMPARE(ReadAll(path("out.png")),
                 wrote[0] == "png"
                     ? SpritePngBytes(table.Record(wrote[1].toInt()), wrote[2].toInt())
                     : kOldImage);
        const bool isNew = wrote[0] == "project" && wrote[1] != "good.vellicor";
        QCOMPARE(ReadAll(path("good.vellicor")) == project, wrote[0] != "project" || isNew);
        for (const char* created : {"Game.vellicor", "New.vellicor"})
            QCOMPARE(QFile::exists(path(created)), isNew && wrote[1] == created);
        if (wrote[0] != "project")
            return;
        // The new sprites come last, after those the project held.
        SpriteTable expected = isNew ? SpriteTable() : table;
        if (wrote[3] == "PNG") {
            expected.Record(expected.Append({})) = ImportedBall(wrote[4]);
            QCOMPARE(ReadAll(dir.filePath(wrote[1])), ProjectFileBytes(wrote[2], expected));
            return;
        }
        const ProjectRead read = LoadProjectFile(dir.filePath(wrote[1]));
        QVERIFY2(read.project, qPrintable(read.error));
        QCOMPARE(read.project->name, wrote[2]);
        // --export gives the header back byte for byte, after the project's own sprites.
        program.start(VELLICOR_PROGRAM,
                      {"--export", dir.filePath(wrote[1]), "--output", path("again.h")});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(ReadAll(path("again.h")),
                 QByteArray::fromStdString(HeaderText(expected)) + awkward);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_command_line.moc"
