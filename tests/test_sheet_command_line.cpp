// Sprite sheets on the command line: the real program as a child process with no display.
#include "model/colour_table.h"
#include "png/sprite_sheet_export.h"
#include "png/sprite_sheet_import.h"
#include "project/project_file.h"
#include "support/no_display.h"
#include "support/png_writer.h"
#include "support/read_all.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace vellicor;

namespace {

// Sizes 16, 32 and 8, and a sprite without a size, which no sheet shows.
SpriteTable Sprites() {
    SpriteTable table;
    SpriteRecord& ball = table.Record(table.Append("Ball"));
    ball.Size = 16;
    ball.SetBits(3, 2, *BitsForColour(kDarkGrey));
    table.Record(table.Append("Wall")).Size = 32;
    table.Record(table.Append("Twin")).Size = 8;
    table.Record(table.Append("Twin"));
    return table;
}

// Six tiles of 8 in a 20 x 12 image, each in one colour, the fifth transparent.
QByteArray TileSheet() {
    return RgbaPng(20, 12, [](int x, int y) {
        const int tile = y / 8 * 3 + x / 8;
        return tile == 4 ? 0U : 0xFF000000U | kPaletteColours[tile % 4];
    });
}

} // namespace

class TestSheetCommandLine : public QObject {
    Q_OBJECT
  private slots:
    void sheets_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("err"); // as in run()
        // "project FILE NAME BASE" with the sprites of Tiles.png added, skipped ones too unless
        // --skip-empty is given; "png" the project's sheet in 2 columns at scale 3; else nothing.
        QTest::addColumn<QString>("result");
        const QStringList import = {"--import-sheet", "@/Tiles.png", "--output"};
        const QStringList exportSheet = {"--export-sheet", "@/good.vellicor", "--output",
                                         "@/out.png"};
        const QString usage = "\n\nUsage: ";
        // clang-format off
        QTest::newRow("new project") << import + QStringList{"@/Game.vellicor", "--tile", "8"} << 0 << "" << "project Game.vellicor Game Tiles";
        QTest::newRow("extends, named, skipped") << import + QStringList{"@/good.vellicor", "--tile", "8", "--name", "hero", "--skip-empty"} << 0 << "" << "project good.vellicor Demo hero";
        QTest::newRow("no tile") << import + QStringList{"@/good.vellicor"} << 2 << "vellicor: --import-sheet needs --tile." + usage << "";
        QTest::newRow("tile 12") << import + QStringList{"@/good.vellicor", "--tile", "12"} << 2 << "vellicor: --tile needs 8, 16 or 32." + usage << "";
        QTest::newRow("skip twice") << import + QStringList{"@/good.vellicor", "--tile", "8", "--skip-empty", "--skip-empty"} << 2 << "vellicor: --skip-empty is given more than once." + usage << "";
        QTest::newRow("skip, no import") << exportSheet + QStringList{"--skip-empty"} << 2 << "vellicor: --skip-empty goes with --import-sheet." + usage << "";
        QTest::newRow("refused file") << QStringList{"--import-sheet", "@/good.vellicor", "--tile", "8", "--output", "@/good.vellicor"} << 1
            << "vellicor: could not import the sheet \"@/good.vellicor\": It is not a PNG image, or it is damaged.\n" << "";
        QTest::newRow("file name refused") << QStringList{"--import-sheet", "@/2 tiles.png", "--tile", "8", "--output", "@/good.vellicor"} << 1
            << "vellicor: could not import the sheet \"@/2 tiles.png\": Its file name is no sprite name, which must start with a letter and have no spaces; give one with --name.\n" << "";
        QTest::newRow("export") << exportSheet + QStringList{"--columns", "2", "--scale", "3"} << 0 << "" << "png";
        QTest::newRow("columns 0") << exportSheet + QStringList{"--columns", "0"} << 2 << "vellicor: --columns needs a whole number from 1 to 256." + usage << "";
        QTest::newRow("scale 0") << exportSheet + QStringList{"--scale", "0"} << 2 << "vellicor: --scale needs a whole number from 1 to 32." + usage << "";
        // clang-format on
    }

    void sheets() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, err);
        QFETCH(QString, result);
        QTemporaryDir dir;
        const SpriteTable table = Sprites();
        const QByteArray project = ProjectFileBytes("Demo", table);
        QVERIFY(WriteAll(dir.filePath("good.vellicor"), project) &&
                WriteAll(dir.filePath("Tiles.png"), TileSheet()) &&
                WriteAll(dir.filePath("2 tiles.png"), TileSheet()));
        QProcess program;
        program.setProcessEnvironment(NoDisplayEnvironment());
        program.start(VELLICOR_PROGRAM, arguments.replaceInStrings("@", dir.path()));
        QVERIFY(program.waitForFinished(30000));
        const QString stdErr = QString::fromLocal8Bit(program.readAllStandardError());
        err.replace("@", dir.path());
        QVERIFY2(err.isEmpty() ? stdErr.isEmpty() : stdErr.startsWith(err), qPrintable(stdErr));
        QCOMPARE(program.exitCode(), exitCode);

        const QStringList wrote = result.split(' ');
        const std::vector<int> all = {0, 1, 2, 3};
        QCOMPARE(ReadAll(dir.filePath("out.png")),
                 wrote[0] == "png" ? SheetPngBytes(table, all, {2, 3}) : "<missing>");
        QCOMPARE(ReadAll(dir.filePath("good.vellicor")) == project,
                 wrote.value(1) != "good.vellicor");
        QCOMPARE(QFile::exists(dir.filePath("Game.vellicor")), wrote.value(1) == "Game.vellicor");
        if (wrote[0] != "project")
            return;
        SpriteTable expected = wrote[1] == "Game.vellicor" ? SpriteTable() : table;
        SheetImport sheet =
            SpritesFromSheetBytes(TileSheet(), {8, arguments.contains("--skip-empty")}, 100);
        NameSheetSprites(sheet.sprites, wrote[3]);
        for (SpriteRecord& sprite : sheet.sprites)
            expected.AppendRecord(std::move(sprite));
        QCOMPARE(ReadAll(dir.filePath(wrote[1])), ProjectFileBytes(wrote[2], expected));
    }

    // Sprites added to a project keep the header style it chose.
    void keepsTheStyle() {
        QTemporaryDir dir;
        const QString project = dir.filePath("c.vellicor");
        QVERIFY(WriteAll(project, ProjectFileBytes("C", Sprites(), HeaderStyle::CDeclarations)) &&
                WriteAll(dir.filePath("Tiles.png"), TileSheet()));
        QProcess program;
        program.setProcessEnvironment(NoDisplayEnvironment());
        program.start(VELLICOR_PROGRAM, {"--import-sheet", dir.filePath("Tiles.png"), "--tile", "8",
                                         "--output", project});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitCode(), 0);
        const ProjectRead read = LoadProjectFile(project);
        QCOMPARE(read.project->table.SpriteCount(), 10);
        QCOMPARE(read.project->headerStyle, HeaderStyle::CDeclarations);
    }
};

QTEST_GUILESS_MAIN(TestSheetCommandLine)
#include "test_sheet_command_line.moc"
