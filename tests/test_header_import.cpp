// Headers both ways: the bytes the export writes from the model (the worked example is exported
// through the window in test_journeys, and read back in test_header_commands), and headers read
// into sprites: the forms people write by hand and the faults that refuse a header.
#include "export/bin_to_hex.h"
#include "export/header_text.h"
#include "header_import/header_import.h"
#include "model/colour_table.h"
#include "model/sprite_identity.h"
#include "support/awkward_names.h"

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

std::string Line(const std::string& name, const char* plane, const char* prefix, int rows,
                 const char* digits) {
    std::string line = name + "_Plane" + plane + " = {{";
    for (int y = 0; y < rows; ++y)
        line += (y > 0 ? "},{" : "") + std::string(prefix) + digits;
    return line + "}};\r\n";
}

} // namespace

class TestHeaders : public QObject {
    Q_OBJECT
  private slots:
    void binToHex() {
        // The shortest form of the value, padded to an even number of digits.
        const std::pair<QString, std::string> cases[] = {{"00000000", "00"},
                                                         {"0000100000000000", "0800"},
                                                         {"0000000010000000", "80"},
                                                         {"0000000000000001", "01"},
                                                         {QString(32, '1'), "FFFFFFFF"},
                                                         {"101010101010", "0AAA"},
                                                         {"1" + QString(31, '0'), "80000000"}};
        for (const auto& [bits, hex] : cases) {
            // The export hands BinToHex the rows as the planes keep them.
            const int width = static_cast<int>(bits.size());
            Plane plane;
            for (int x = 0; x < width; ++x)
                plane.Set(x, 0, bits[x] == '1');
            QCOMPARE(BinToHex(plane.Row(0, width), width), hex);
        }
    }

    void headerOfEverySize() {
        SpriteTable table;
        QCOMPARE(HeaderText(table), std::string()); // no sprites: an empty file
        struct Sprite {
            const char* name; // UTF-8 as typed; the header holds Latin-1 and "?" for the rest
            std::string latin1;
            int painted;
            int size;
            Rgb colour;
            const char* grey;
            const char* mask;
        };
        const Sprite sprites[] = {
            {"\u00DCgo", "\xDCgo", 8, 8, kTransparentCyan, "00", "FF"},
            {"Ball\u20AC", "Ball?", 16, 16, kBlack, "FFFF", "00"},
            {"Ba\U0001F600ll", "Ba?ll", 32, 32, kTransparentCyan, "00", "FFFFFFFF"},
            {"Shrunk", "Shrunk", 32, 8, kBlack, "FF", "00"},
            {"White", "White", 32, 32, kWhite, "00", "00"},
            {"Unsized", "Unsized", 0, 0, kBlack, "", ""}};
        std::string expected;
        for (const Sprite& s : sprites) {
            SpriteRecord& record = table.Record(table.Append(s.name));
            record.Size = static_cast<std::int16_t>(s.size);
            for (int y = 0; y < s.painted; ++y)
                for (int x = 0; x < s.painted; ++x)
                    record.SetBits(x, y, *BitsForColour(s.colour));
            if (s.size == 0) {
                for (const char* plane : {"Dark", "Light", "Mask"})
                    expected += s.latin1 + "_Plane" + plane + " = };\r\n";
            } else {
                expected += Line(s.latin1, "Dark", "0x", s.size, s.grey) +
                            Line(s.latin1, "Light", "0x", s.size, s.grey) +
                            Line(s.latin1, "Mask", "~0x", s.size, s.mask);
            }
            expected += "\r\n";
        }
        QCOMPARE(HeaderText(table), expected);
    }

    void coloursAndKeys() {
        // Grey bits win over the mask, as a file edited by hand may set both.
        QCOMPARE(ColourForBits({.light = true, .dark = false, .mask = true}), kLightGrey);
        QCOMPARE(IndexFromKey(SpriteKey(10)), std::optional<int>(10));
        QCOMPARE(IndexFromTag(TagFromKey(SpriteKey(32766))), std::optional<int>(32766));
        QCOMPARE(IndexFromTag("1x"), std::nullopt);
    }

    void reads_data() {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QByteArray>("exported"); // the export of what the header gives
        const auto accepted = [](const char* name, const QByteArray& header,
                                 const QByteArray& exported) {
            QTest::newRow(name) << header << QString() << exported;
        };
        const auto refused = [](const char* name, const QByteArray& header, const QString& error) {
            QTest::newRow(name) << header << error << QByteArray();
        };
        const QByteArray flat = With(
            With(With(With(kBall, " = {{", " = {"), "}};", ",};"), "},{", ", "), "0xC0", "0X00c0");
        const auto line = [](const QByteArray& header, int i) {
            return header.split('\n')[i] + '\n';
        };
        const QByteArray dark = line(kBall, 0), light = line(kBall, 1), mask = line(kBall, 2);
        const QByteArray ball16 = WhiteBall(16), ball32 = WhiteBall(32);
        const QString nameRule =
            " is refused. Sprite name must start with a letter and have no spaces.";
        // clang-format off
        accepted("declaration and bounds, LF ends", With(With(With(kBall, "Ball_", "static const unsigned char Ball_"), " = {{", "[8][1] = {{"), "\r\n", "\n"), kBall);
        accepted("comments, blanks, split lines", "// Level 1\n/* The ball,\n   drawn in Vellicor */\n" + With(With(With(kBall, "},{", " } , /* row */\r\n\t{ "), " = {{", "\t=\r\n  { { "), "}};", "} } ;  // done"), kBall);
        accepted("other lines", "#pragma once\n#include <stdint.h>\n#define SPRITE(n) \\\n    n##_PlaneDark = {};\n"
               "extern const unsigned char Ball_PlaneDark[8][1];\nint frames = 3;\n" + kBall + "#endif\n", kBall);
        accepted("flat list, trailing comma, any case", flat, kBall);
        accepted("no entries in braces", With(kEmptyBall, "= }", "= {}"), kEmptyBall);
        accepted("UTF-8 with byte order mark", "\xEF\xBB\xBF" + With(kBall, "Ball", "B\xC3\xA4ll"), With(kBall, "Ball", "B\xE4ll"));
        accepted("no sprites", QByteArray("// nothing yet\r\n"), QByteArray());
        accepted("mask as opacity, without \"~\"", With(With(kBall, "~0x00", "0xFF"), "~0x01", "0xFE"), kBall);
        accepted("16 bits to the full width", With(ball16, "{{0x00}", "{{0x00C0}"), With(ball16, "{{0x00}", "{{0xC0}"));
        accepted("32 bits to the full width", With(ball32, "{{0x00}", "{{0x000000FF}"), With(ball32, "{{0x00}", "{{0xFF}"));
        // clang-format on
        // Compile's own lines are read as Compile meant them, whatever C would make of the name.
        for (const QString& name : kAwkwardSpriteNames) {
            const QByteArray written =
                With(kBall + kEmptyBall, "Ball",
                     QByteArray::fromStdString(ToLatin1(name.toStdString())));
            accepted(qPrintable("named " + name), written, written);
        }
        // clang-format off
        // Refused whole, with the line at fault.
        refused("another sprite's light", dark + With(light, "Ball", "Wall") + mask, "Line 2: Ball_PlaneLight is missing before Wall_PlaneLight.");
        refused("too large, on a split line", With(With(kBall, "},{", "},\n{"), "~0x01", "~0x100"), "Line 24: \"~0x100\" in Ball_PlaneMask is too large for a row of 8 pixels.");
        refused("beyond 32 bits", With(ball32, "{{0x00}", "{{0x100000000}"), "Line 1: \"0x100000000\" in Ball_PlaneDark is too large for a row of 32 pixels.");
        refused("7 entries", With(kBall, "{{0xC0},", "{"), "Line 1: Ball_PlaneDark has 7 entries; a sprite has 8, 16 or 32 rows, or none.");
        refused("8 and 16 entries", dark + line(ball16, 1) + line(ball16, 2), "Line 2: Ball_PlaneLight has 16 entries, but Ball_PlaneDark has 8.");
        refused("control character in the name", With(kBall, "Ball", "Ba\x01ll"), "Line 1: \"Ba?ll\"" + nameRule);
        refused("no name", With(kBall, "Ball", ""), "Line 1: _PlaneDark has no sprite name before it.");
        refused("not hex", With(kBall, "0xA0", "0xG0"), "Line 2: \"0xG0\" in Ball_PlaneLight is not a hex value such as 0x3C.");
        refused("complemented dark", With(kBall, "0xC0", "~0xC0"), "Line 1: \"~0xC0\" in Ball_PlaneDark: only mask entries start with \"~\".");
        refused("plain mask", With(kBall, "~0x01", "0x01"), "Line 3: \"0x01\" in Ball_PlaneMask: mask entries start with \"~0x\".");
        refused("mask as opacity, then \"~\"", With(kBall, "{{~0x00}", "{{0xFF}"), "Line 3: \"~0x00\" in Ball_PlaneMask: the line's first entry has no \"~\", and a mask line writes all its entries alike.");
        refused("unbalanced braces", With(light, "}};", "};"), "Line 1: Expected \",\" or \"}\" but found \";\".");
        refused("\";\" missing", With(kBall, "}};\r\nBall_PlaneLight", "}}\r\nBall_PlaneLight"), "Line 2: \";\" is missing before \"Ball_PlaneLight\".");
        refused("\";\" missing at the end", kBall.chopped(5) + "\r\n", "Line 3: The array does not end with \";\".");
        refused("comment not closed", kBall + "/* end", "Line 5: The comment is not closed with \"*/\".");
        refused("more sprites than a project holds", kEmptyBall.repeated(100000), "Line 131069: The header holds more than 32767 sprites; a project holds at most 32767.");
        refused("NUL byte", With(kBall, "Ball_PlaneLight", QByteArray("\0", 1)), "Line 2: The file holds a NUL byte: it is not a text file.");
        // clang-format on
    }

    void reads() {
        QFETCH(QByteArray, header);
        QFETCH(QString, error);
        QFETCH(QByteArray, exported);
        const HeaderImport imported = ReadHeader(header);
        QCOMPARE(imported.error, error);
        QCOMPARE(Header(TableOf(imported)), exported); // nothing at all when refused
    }
};

QTEST_APPLESS_MAIN(TestHeaders)
#include "test_header_import.moc"
