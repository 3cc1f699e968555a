// Headers read back into sprites: the round trip through the export, the forms people write
// by hand, the faults that refuse a header, and the command line as a child process.
#include "export/header_text.h"
#include "header_import/header_import.h"
#include "model/colour_table.h"
#include "project/project_file.h"
#include "support/no_display.h"
#include "support/read_all.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace vellicor;

namespace {

// The 8 x 8 Ball of the README, with its four coloured pixels.
const QByteArray kBall =
    "Ball_PlaneDark = {{0xC0},{0x00},{0x00},{0x00},{0x00},{0x00},{0x00},{0x00}};\r\n"
    "Ball_PlaneLight = {{0xA0},{0x00},{0x00},{0x00},{0x00},{0x00},{0x00},{0x00}};\r\n"
    "Ball_PlaneMask = {{~0x00},{~0x00},{~0x00},{~0x00},{~0x00},{~0x00},{~0x00},{~0x01}};\r\n"
    "\r\n";
const QByteArray kEmptyBall = "Ball_PlaneDark = };\r\nBall_PlaneLight = };\r\n"
                              "Ball_PlaneMask = };\r\n\r\n";

QByteArray Header(const SpriteTable& table) {
    return QByteArray::fromStdString(HeaderText(table));
}

SpriteTable TableOf(const HeaderImport& imported) {
    SpriteTable table;
    for (const ImportedSprite& sprite : imported.sprites)
        table.Record(table.Append(sprite.name)) = ToRecord(sprite);
    return table;
}

// Every pixel of the whole 32 x 32 planes, hidden ones included, in a colour that differs from
// sprite to sprite: all five colours and rows of every hex length turn up.
void Paint(SpriteRecord& sprite, unsigned seed) {
    for (int y = 0; y < kPlaneSide; ++y) {
        for (int x = 0; x < kPlaneSide; ++x) {
            const unsigned hash = (static_cast<unsigned>(x * 31 + y * 17) + seed * 7) * 2654435761U;
            sprite.SetBits(x, y, *BitsForColour(kPaletteColours[(hash >> 13) % 5]));
        }
    }
}

// An all-white 8, 16 or 32 pixel sprite named Ball, as exported.
QByteArray WhiteBall(int size) {
    SpriteTable table;
    table.Record(table.Append("Ball")).Size = static_cast<std::int16_t>(size);
    return Header(table);
}

// `text` with every `before` replaced.
QByteArray With(QByteArray text, const QByteArray& before, const QByteArray& after) {
    return text.replace(before, after);
}

} // namespace

class TestHeaderImport : public QObject {
    Q_OBJECT
  private slots:
    void roundTrip_data();
    void roundTrip();
    void pixelsOfTheExample();
    void handEdited_data();
    void handEdited();
    void refused_data();
    void refused();
    void commandLine_data();
    void commandLine();
};

void TestHeaderImport::roundTrip_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<int>>("sizes");
    QTest::newRow("size 0") << QStringList{"Ball"} << QList<int>{0};
    QTest::newRow("size 8") << QStringList{"Ball"} << QList<int>{8};
    QTest::newRow("size 16") << QStringList{"Ball"} << QList<int>{16};
    QTest::newRow("size 32") << QStringList{"Ball"} << QList<int>{32};
    QTest::newRow("several sprites") << QStringList{"Ball", "wall", "Ball", "B\u00E4ll", "Ship-2"}
                                     << QList<int>{8, 32, 0, 16, 8};
}

void TestHeaderImport::roundTrip() {
    QFETCH(QStringList, names);
    QFETCH(QList<int>, sizes);
    SpriteTable table;
    for (int i = 0; i < names.size(); ++i) {
        SpriteRecord& sprite = table.Record(table.Append(names[i].toStdString()));
        sprite.Size = static_cast<std::int16_t>(sizes[i]);
        Paint(sprite, static_cast<unsigned>(i));
    }
    const QByteArray bytes = Header(table);
    const HeaderImport imported = ReadHeader(bytes);
    QCOMPARE(imported.error, QString());
    QCOMPARE(imported.sprites.size(), static_cast<std::size_t>(names.size()));
    for (int i = 0; i < names.size(); ++i) {
        QCOMPARE(QString::fromStdString(imported.sprites[i].name), names[i]);
        QCOMPARE(imported.sprites[i].size, sizes[i]);
    }
    QCOMPARE(Header(TableOf(imported)), bytes);
}

void TestHeaderImport::pixelsOfTheExample() {
    const SpriteRecord ball = ToRecord(ReadHeader(kBall).sprites.at(0));
    QCOMPARE(ball.Size, std::int16_t{8});
    QCOMPARE(ColourForBits(ball.Bits(0, 0)), kBlack);
    QCOMPARE(ColourForBits(ball.Bits(1, 0)), kDarkGrey);
    QCOMPARE(ColourForBits(ball.Bits(2, 0)), kLightGrey);
    QCOMPARE(ColourForBits(ball.Bits(7, 7)), kTransparentCyan);
    QCOMPARE(ColourForBits(ball.Bits(6, 7)), kWhite);
    QVERIFY(!ball.IsOpen);
}

void TestHeaderImport::handEdited_data() {
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QByteArray>("exported"); // the export of what the header gives
    const QByteArray flat =
        With(With(With(With(kBall, " = {{", " = {"), "}};", ",};"), "},{", ", "), "0xC0", "0X00c0");
    // clang-format off
    QTest::newRow("LF ends") << With(kBall, "\r\n", "\n") << kBall;
    QTest::newRow("declaration and bounds")
        << With(With(kBall, "Ball_", "static const unsigned char Ball_"), " = {{", "[8][1] = {{") << kBall;
    QTest::newRow("comments")
        << "// Level 1\n/* The ball,\n   drawn in Vellicor */\n" + With(With(kBall, "},{", "}, /* row */ {"), "}};", "}}; // done")
        << kBall;
    QTest::newRow("blanks around tokens")
        << With(With(With(kBall, "},{", " } ,\t{ "), " = {{", "\t=  { { "), "}};", "} } ;  ") << kBall;
    QTest::newRow("split lines") << With(With(kBall, "},{", "},\r\n    {"), " = ", "\r\n  =\r\n") << kBall;
    QTest::newRow("other lines")
        << "#pragma once\n#include <stdint.h>\n#define SPRITE(n) \\\n    n##_PlaneDark = {};\n"
           "extern const unsigned char Ball_PlaneDark[8][1];\nint frames = 3;\n" + kBall + "#endif\n"
        << kBall;
    QTest::newRow("flat list, trailing comma, any case") << flat << kBall;
    QTest::newRow("no entries in braces") << With(kEmptyBall, "= }", "= {}") << kEmptyBall;
    QTest::newRow("UTF-8 with byte order mark")
        << "\xEF\xBB\xBF" + With(kBall, "Ball", "B\xC3\xA4ll") << With(kBall, "Ball", "B\xE4ll");
    QTest::newRow("no sprites") << QByteArray("// nothing yet\r\n") << QByteArray();
    // clang-format on
}

void TestHeaderImport::handEdited() {
    QFETCH(QByteArray, header);
    QFETCH(QByteArray, exported);
    const HeaderImport imported = ReadHeader(header);
    QCOMPARE(imported.error, QString());
    QCOMPARE(Header(TableOf(imported)), exported);
}

void TestHeaderImport::refused_data() {
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QString>("error");
    const auto line = [](const QByteArray& header, int i) { return header.split('\n')[i] + '\n'; };
    const QByteArray dark = line(kBall, 0), light = line(kBall, 1), mask = line(kBall, 2);
    const QByteArray ball16 = WhiteBall(16), ball32 = WhiteBall(32);
    const QString refused = " is refused. Sprite name must start with a letter and have no spaces.";
    // clang-format off
    QTest::newRow("light missing") << dark + mask << "Line 2: Ball_PlaneLight is missing before Ball_PlaneMask.";
    QTest::newRow("dark missing") << light + mask << "Line 1: Ball_PlaneDark is missing before Ball_PlaneLight.";
    QTest::newRow("mask missing at the end") << kEmptyBall + dark + light << "Line 6: Ball_PlaneMask is missing after Ball_PlaneLight.";
    QTest::newRow("another sprite's light") << dark + With(light, "Ball", "Wall") + mask
        << "Line 2: Ball_PlaneLight is missing before Wall_PlaneLight.";
    QTest::newRow("too large for 8 pixels") << With(kBall, "0xC0", "0x1FF") << "Line 1: \"0x1FF\" in Ball_PlaneDark is too large for a row of 8 pixels.";
    QTest::newRow("too large, on a split line") << With(With(kBall, "},{", "},\n{"), "~0x01", "~0x100")
        << "Line 24: \"~0x100\" in Ball_PlaneMask is too large for a row of 8 pixels.";
    QTest::newRow("beyond 32 bits") << With(ball32, "{{0x00}", "{{0x100000000}") << "Line 1: \"0x100000000\" in Ball_PlaneDark is too large for a row of 32 pixels.";
    QTest::newRow("7 entries") << With(kBall, "{{0xC0},", "{") << "Line 1: Ball_PlaneDark has 7 entries; a sprite has 8, 16 or 32 rows, or none.";
    QTest::newRow("8 and 16 entries") << dark + line(ball16, 1) + line(ball16, 2) << "Line 2: Ball_PlaneLight has 16 entries, but Ball_PlaneDark has 8.";
    QTest::newRow("none and 8 entries") << line(kEmptyBall, 0) + light + mask << "Line 2: Ball_PlaneLight has 8 entries, but Ball_PlaneDark has 0.";
    QTest::newRow("name starts with a digit") << With(kBall, "Ball", "9Ball") << "Line 1: \"9Ball\"" + refused;
    QTest::newRow("name starts with _") << With(kBall, "Ball", "_ball") << "Line 1: \"_ball\"" + refused;
    QTest::newRow("name starts with an accent") << With(kBall, "Ball", "\xC9t\xE9") << "Line 1: \"\u00C9t\u00E9\"" + refused;
    QTest::newRow("control character in the name") << With(kBall, "Ball", "Ba\x01ll") << "Line 1: \"Ba?ll\"" + refused;
    QTest::newRow("no name") << With(kBall, "Ball", "") << "Line 1: _PlaneDark has no sprite name before it.";
    QTest::newRow("decimal entry") << With(kBall, "0xC0", "192") << "Line 1: \"192\" in Ball_PlaneDark is not a hex value such as 0x3C.";
    QTest::newRow("not hex") << With(kBall, "0xA0", "0xG0") << "Line 2: \"0xG0\" in Ball_PlaneLight is not a hex value such as 0x3C.";
    QTest::newRow("complemented dark") << With(kBall, "0xC0", "~0xC0") << "Line 1: \"~0xC0\" in Ball_PlaneDark: only mask entries start with \"~\".";
    QTest::newRow("plain mask") << With(kBall, "~0x01", "0x01") << "Line 3: \"0x01\" in Ball_PlaneMask: mask entries start with \"~0x\".";
    QTest::newRow("unbalanced braces") << With(light, "}};", "};") << "Line 1: Expected \",\" or \"}\" but found \";\".";
    QTest::newRow("odd character") << With(kBall, "{0xC0}", "{(0xC0)}") << "Line 1: Expected an entry such as 0x3C but found \"(\".";
    QTest::newRow("\";\" missing") << With(kBall, "}};\r\nBall_PlaneLight", "}}\r\nBall_PlaneLight") << "Line 2: \";\" is missing before \"Ball_PlaneLight\".";
    QTest::newRow("\";\" missing at the end") << kBall.chopped(5) + "\r\n" << "Line 3: The array does not end with \";\".";
    QTest::newRow("comment not closed") << kBall + "/* end" << "Line 5: The comment is not closed with \"*/\".";
    QTest::newRow("NUL byte") << With(kBall, "Ball_PlaneLight", QByteArray("\0", 1)) << "Line 2: The file holds a NUL byte: it is not a text file.";
    // clang-format on
}

void TestHeaderImport::refused() {
    QFETCH(QByteArray, header);
    QFETCH(QString, error);
    const HeaderImport imported = ReadHeader(header);
    QCOMPARE(imported.error, error);
    QVERIFY(imported.sprites.empty());
}

void TestHeaderImport::commandLine_data() {
    // In arguments and messages, "@" stands for the test's folder. The outcome is what the
    // output then holds: the header's sprites alone, after the old project's, or what it held.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("err"); // what stderr starts with; empty: nothing at all
    QTest::addColumn<QString>("outcome");
    // clang-format off
    QTest::newRow("new project") << QStringList{"--import-header", "@/in.h", "--output", "@/New.vellicor"} << 0 << "" << "new";
    QTest::newRow("appended") << QStringList{"--import-header", "@/in.h", "--output", "@/Demo.vellicor"} << 0 << "" << "appended";
    QTest::newRow("refused header") << QStringList{"--import-header", "@/bad.h", "--output", "@/Demo.vellicor"} << 1
        << "vellicor: could not read the header \"@/bad.h\": Line 2: Ball_PlaneLight is missing before Ball_PlaneMask.\n" << "untouched";
    QTest::newRow("missing header") << QStringList{"--import-header", "@/none.h", "--output", "@/New.vellicor"} << 1
        << "vellicor: could not read the header \"@/none.h\": No such file or directory\n" << "untouched";
    QTest::newRow("output not a project") << QStringList{"--import-header", "@/in.h", "--output", "@/bad.h"} << 1
        << "vellicor: could not read the project \"@/bad.h\": It is not valid JSON: " << "untouched";
    QTest::newRow("unwritable output") << QStringList{"--import-header", "@/in.h", "--output", "@/none/New.vellicor"} << 1
        << "vellicor: could not write the project \"@/none/New.vellicor\": " << "untouched";
    QTest::newRow("no output") << QStringList{"--import-header", "@/in.h"} << 2
        << "vellicor: --import-header needs --output.\n\nUsage: " << "untouched";
    // clang-format on
}

void TestHeaderImport::commandLine() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, err);
    QFETCH(QString, outcome);
    QTemporaryDir dir;
    const auto write = [&dir](const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    };
    const QByteArray header = kBall + kEmptyBall;
    write("in.h", header);
    write("bad.h",
          kBall.left(kBall.indexOf('\n') + 1) + kBall.mid(kBall.indexOf("Ball_PlaneMask")));
    SpriteTable old;
    old.Record(old.Append("Old")).Size = 16;
    QCOMPARE(SaveProjectFile(dir.filePath("Demo.vellicor"), "Demo", old), std::nullopt);
    arguments.replaceInStrings("@", dir.path());
    const int outputAt = arguments.indexOf("--output");
    const QString output = outputAt < 0 ? dir.filePath("New.vellicor") : arguments[outputAt + 1];
    const QByteArray before = ReadAll(output);

    QProcess program;
    program.setProcessEnvironment(NoDisplayEnvironment());
    program.start(VELLICOR_PROGRAM, arguments);
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    const QString stdErr = QString::fromLocal8Bit(program.readAllStandardError());
    err.replace("@", dir.path());
    QVERIFY2(err.isEmpty() ? stdErr.isEmpty() : stdErr.startsWith(err) && stdErr.endsWith('\n'),
             qPrintable(stdErr));
    if (exitCode == 1)
        QCOMPARE(stdErr.count('\n'), 1);
    QCOMPARE(program.readAllStandardOutput(), QByteArray());
    QCOMPARE(program.exitCode(), exitCode);

    if (outcome == "untouched") {
        QCOMPARE(ReadAll(output), before);
        return;
    }
    const ProjectRead read = LoadProjectFile(output);
    QVERIFY2(read.project, qPrintable(read.error));
    QCOMPARE(read.project->name, QString(outcome == "new" ? "New" : "Demo"));
    QCOMPARE(Header(read.project->table), (outcome == "new" ? QByteArray() : Header(old)) + header);
}

QTEST_GUILESS_MAIN(TestHeaderImport)
#include "test_header_import.moc"
