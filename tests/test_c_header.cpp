// The C declarations header: its bytes, the names it refuses, and what real C and C++ compilers
// make of it, checked against the sprites' pixels.
#include "export/c_header_text.h"
#include "export/header_file.h"
#include "export/header_text.h"
#include "header_import/header_import.h"
#include "support/read_all.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace vellicor;

namespace {

SpriteTable Named(const QStringList& names) {
    SpriteTable table;
    for (const QString& name : names)
        table.Append(name.toStdString());
    return table;
}

// The lines, each ended with CR LF.
std::string Lines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// `count` entries alike.
std::string Times(const std::string& entry, int count) {
    std::string text = entry;
    for (int i = 1; i < count; ++i)
        text += ", " + entry;
    return text;
}

// Sprites of every size, each with its own scatter of pixels on every plane, some beyond its size.
SpriteTable Scattered() {
    SpriteTable table;
    const std::pair<const char*, int> sprites[] = {{"Ball", 8}, {"Empty", 0},  {"Wide", 16},
                                                   {"Big", 32}, {"tiny_2", 8}, {"Big2", 32}};
    for (int k = 0; k < 6; ++k) {
        SpriteRecord& sprite = table.Record(table.Append(sprites[k].first));
        sprite.Size = static_cast<std::int16_t>(sprites[k].second);
        for (int y = 0; y < kPlaneSide; ++y)
            for (int x = 0; x < kPlaneSide; ++x)
                sprite.SetBits(
                    x, y,
                    {(x * 7 + y * 3 + k) % 5 == 0, (x + y * y + k) % 3 == 0, (x * y + k) % 4 == 1});
    }
    return table;
}

// What a program prints of the header's arrays: the values of the pixels, read one by one.
QByteArray PrintedPixels(const SpriteTable& table) {
    QByteArray out = "count " + QByteArray::number(table.SpriteCount()) + "\n";
    for (const SpriteRecord& sprite : table.Sprites()) {
        out += QByteArray::fromStdString(sprite.Name) + " " + QByteArray::number(sprite.Size);
        for (const Plane* plane : {&sprite.PlaneDark, &sprite.PlaneLight, &sprite.PlaneMask}) {
            for (int y = 0; y < sprite.Size; ++y) {
                quint32 value = 0;
                for (int x = 0; x < sprite.Size; ++x)
                    value = value << 1 | (plane->Get(x, y) != (plane == &sprite.PlaneMask));
                out += " " + QByteArray::number(value, 16).toUpper();
            }
        }
        out += "\n";
    }
    return out;
}

// A program that prints every define and array of the header as PrintedPixels does.
QByteArray Program(const SpriteTable& table) {
    QByteArray code = "#include \"sprites.h\"\n#include <stdio.h>\n#define ROWS(a, n) "
                      "for (i = 0; i < n; ++i) printf(\" %lX\", (unsigned long)a[i]);\n"
                      "int main(void) {\n  int i = 0;\n"
                      "  printf(\"count %d\\n\", SPRITES_SPRITE_COUNT);\n";
    for (const SpriteRecord& sprite : table.Sprites()) {
        const QByteArray name = QByteArray::fromStdString(sprite.Name);
        code += "  printf(\"" + name + " %d\", " + name + "_SIZE);\n";
        if (sprite.Size > 0)
            for (const char* plane : {"_PlaneDark", "_PlaneLight", "_PlaneMask"})
                code += "  ROWS(" + name + plane + ", " + name + "_SIZE)\n";
        code += "  printf(\"\\n\");\n";
    }
    return code + "  return i < 0;\n}\n";
}

} // namespace

class TestCHeader : public QObject {
    Q_OBJECT
  private slots:
    void golden() {
        SpriteTable table = Named({"Ball", "Empty", "Wide", "Big"});
        SpriteRecord& ball = table.Record(0);
        ball.Size = 8;
        ball.PlaneDark.SetFullRow(0, 0xC0000000);
        ball.PlaneLight.SetFullRow(0, 0xA0000000);
        ball.PlaneMask.SetFullRow(7, 0x01800000); // the last pixel, and one beyond the size
        table.Record(2).Size = 16;
        table.Record(2).PlaneDark.SetFullRow(1, 0x00010000);
        table.Record(3).Size = 32;
        table.Record(3).PlaneMask.SetFullRow(31, 0x80000001);
        // clang-format off
        QCOMPARE(CHeaderText(table, "D\u00ebmo */ 1", "/x/9 my-sprites.v2.h"), Lines({
            "/* Sprites of the Vellicor project \"D\xC3\xABmo * / 1\". */",
            "#ifndef H_9_MY_SPRITES_V2_H", "#define H_9_MY_SPRITES_V2_H", "", "#include <stdint.h>", "",
            "#define H_9_MY_SPRITES_V2_SPRITE_COUNT 4", "", "#define Ball_SIZE 8",
            "static const uint8_t Ball_PlaneDark[8] = {0xC0, " + Times("0x00", 7) + "};",
            "static const uint8_t Ball_PlaneLight[8] = {0xA0, " + Times("0x00", 7) + "};",
            "static const uint8_t Ball_PlaneMask[8] = {" + Times("0xFF", 7) + ", 0xFE};", "",
            "/* Empty has no size yet: no planes. */", "#define Empty_SIZE 0", "", "#define Wide_SIZE 16",
            "static const uint16_t Wide_PlaneDark[16] = {0x0000, 0x0001, " + Times("0x0000", 14) + "};",
            "static const uint16_t Wide_PlaneLight[16] = {" + Times("0x0000", 16) + "};",
            "static const uint16_t Wide_PlaneMask[16] = {" + Times("0xFFFF", 16) + "};", "", "#define Big_SIZE 32",
            "static const uint32_t Big_PlaneDark[32] = {" + Times("0x00000000", 32) + "};",
            "static const uint32_t Big_PlaneLight[32] = {" + Times("0x00000000", 32) + "};",
            "static const uint32_t Big_PlaneMask[32] = {" + Times("0xFFFFFFFF", 31) + ", 0x7FFFFFFE};", "",
            "#endif /* H_9_MY_SPRITES_V2_H */"}));
        QCOMPARE(CHeaderText(SpriteTable(), "Demo", ".h"), Lines({
            "/* Sprites of the Vellicor project \"Demo\". */", "#ifndef H_H", "#define H_H", "",
            "#include <stdint.h>", "", "#define H_SPRITE_COUNT 0", "", "#endif /* H_H */"}));
        // clang-format on
    }

    void refusal_data() {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("named"); // the names the message lists; empty: accepted
        QTest::newRow("identifiers") << QStringList{"Ball", "_x9", "B_2"} << "";
        QTest::newRow("beyond ASCII, a dash, repeated")
            << QStringList{"Twin", "B\u00e4ll", "a-b", "Twin", "Ball", "Twin"}
            << "\"Twin\", \"B\u00e4ll\", \"a-b\"";
        QStringList many;
        for (char c = 'a'; c <= 'l'; ++c)
            many << QString("%1!").arg(c);
        QTest::newRow("twelve") << many
                                << "\"a!\", \"b!\", \"c!\", \"d!\", \"e!\", \"f!\", \"g!\", "
                                   "\"h!\", \"i!\", \"j!\" and 2 more";
    }

    void refusal() {
        QFETCH(QStringList, names);
        QFETCH(QString, named);
        QTemporaryDir dir;
        const QString path = dir.filePath("sprites.h");
        const auto said = WriteHeaderFile(path, Named(names), HeaderStyle::CDeclarations, "Demo");
        QCOMPARE(said, CHeaderRefusal(Named(names)));
        QCOMPARE(QFile::exists(path), named.isEmpty()); // nothing at all is written when refused
        if (!named.isEmpty())
            QCOMPARE(*said, "The C declarations style needs sprite names that are C identifiers "
                            "(ASCII letters, digits and \"_\", not starting with a digit) and "
                            "distinct, which these are not: " +
                                named + ".");
    }

    void compilersAgreeWithThePixels_data() {
        QTest::addColumn<QStringList>("command"); // the compiler and its flags
        QTest::newRow("C99") << QStringList{"gcc", "-std=c99", "-pedantic"};
        QTest::newRow("C++17") << QStringList{"g++", "-std=c++17", "-x", "c++"};
    }

    void compilersAgreeWithThePixels() {
        QFETCH(QStringList, command);
        const QString compiler = QStandardPaths::findExecutable(command.takeFirst());
        if (compiler.isEmpty())
            QSKIP("The compiler is not installed.");
        QTemporaryDir dir;
        const SpriteTable table = Scattered();
        QCOMPARE(WriteHeaderFile(dir.filePath("sprites.h"), table, HeaderStyle::CDeclarations, ""),
                 std::nullopt);
        QVERIFY(WriteAll(dir.filePath("main.c"), Program(table)));
        QProcess build;
        build.setWorkingDirectory(dir.path());
        build.start(compiler, command << "-Wall"
                                      << "-Wextra"
                                      << "-Werror"
                                      << "main.c"
                                      << "-o"
                                      << "run");
        QVERIFY(build.waitForFinished(120000));
        QVERIFY2(build.exitCode() == 0, build.readAllStandardError().constData());
        build.start(dir.filePath("run"), {});
        QVERIFY(build.waitForFinished(30000));
        QCOMPARE(build.readAllStandardOutput(), PrintedPixels(table));
    }

    void readsBack() {
        // A sprite with no size has no arrays to read: the others come back as they were.
        SpriteTable table = Scattered(), sized = Scattered();
        sized.TakeAt(std::array{1});
        const HeaderImport read =
            ReadHeader(QByteArray::fromStdString(CHeaderText(table, "Demo", "sprites.h")));
        QCOMPARE(read.error, QString());
        SpriteTable back;
        for (const ImportedSprite& sprite : read.sprites)
            back.AppendRecord(ToRecord(sprite));
        QCOMPARE(HeaderText(back), HeaderText(sized));
    }
};

QTEST_APPLESS_MAIN(TestCHeader)
#include "test_c_header.moc"
