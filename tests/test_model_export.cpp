#include "export/bin_to_hex.h"
#include "export/header_text.h"
#include "model/colour_table.h"
#include "model/sprite_identity.h"

#include <QTest>

using namespace vellicor;

namespace {

SpriteRecord& AddSprite(SpriteTable& table, const char* name, int size) {
    SpriteRecord& record = table.Record(table.Append(name));
    record.Size = static_cast<std::int16_t>(size);
    return record;
}

std::string Line(const char* plane, const char* prefix, int rows, const QString& digits) {
    std::string line = std::string("S_Plane") + plane + " = {{";
    for (int y = 0; y < rows; ++y)
        line += (y > 0 ? "},{" : "") + std::string(prefix) + digits.toStdString();
    return line + "}};\r\n";
}

} // namespace

class TestModelAndExport : public QObject {
    Q_OBJECT
  private slots:
    void binToHex_data();
    void binToHex();
    void workedExample();
    void uniformSprites_data();
    void uniformSprites();
    void unsizedSpritesInOrder();
    void namesBecomeLatin1();
    void coloursAndKeys();
};

void TestModelAndExport::binToHex_data() {
    // clang-format off
    QTest::addColumn<QString>("bits");
    QTest::addColumn<QString>("hex");
    QTest::newRow("8 top bit") << "10000000" << "80";
    QTest::newRow("8 zero") << "00000000" << "00";
    QTest::newRow("16 top bit") << "1000000000000000" << "8000";
    QTest::newRow("16 fifth bit") << "0000100000000000" << "0800";
    QTest::newRow("16 ninth bit") << "0000000010000000" << "80";
    QTest::newRow("16 last bit") << "0000000000000001" << "01";
    QTest::newRow("32 top bit") << "1" + QString(31, '0') << "80000000";
    QTest::newRow("32 ones") << QString(32, '1') << "FFFFFFFF";
    QTest::newRow("odd digit count") << "101010101010" << "0AAA";
    // clang-format on
}

void TestModelAndExport::binToHex() {
    QFETCH(QString, bits);
    QFETCH(QString, hex);
    QCOMPARE(QString::fromStdString(BinToHex(bits.toStdString())), hex);
    // The export hands BinToHex the rows as the planes keep them.
    const int width = static_cast<int>(bits.size());
    Plane plane;
    for (int x = 0; x < width; ++x)
        plane.Set(x, 0, bits[x] == '1');
    QCOMPARE(QString::fromStdString(BinToHex(plane.Row(0, width), width)), hex);
}

void TestModelAndExport::workedExample() {
    SpriteTable table;
    SpriteRecord& ball = AddSprite(table, "Ball", 8);
    ball.SetBits(0, 0, *BitsForColour(kBlack));
    ball.SetBits(1, 0, *BitsForColour(kDarkGrey));
    ball.SetBits(2, 0, *BitsForColour(kLightGrey));
    ball.SetBits(7, 7, *BitsForColour(kTransparentCyan));
    const std::string expected =
        "Ball_PlaneDark = {{0xC0},{0x00},{0x00},{0x00},{0x00},{0x00},{0x00},{0x00}};\r\n"
        "Ball_PlaneLight = {{0xA0},{0x00},{0x00},{0x00},{0x00},{0x00},{0x00},{0x00}};\r\n"
        "Ball_PlaneMask = "
        "{{~0x00},{~0x00},{~0x00},{~0x00},{~0x00},{~0x00},{~0x00},{~0x01}};\r\n"
        "\r\n";
    QCOMPARE(HeaderText(table), expected);
    QCOMPARE(expected.size(), std::size_t{242});
}

void TestModelAndExport::uniformSprites_data() {
    // clang-format off
    QTest::addColumn<int>("paintedSize");
    QTest::addColumn<int>("size");
    QTest::addColumn<Rgb>("colour");
    QTest::addColumn<QString>("grey");
    QTest::addColumn<QString>("mask");
    QTest::newRow("8 white") << 8 << 8 << kWhite << "00" << "00";
    QTest::newRow("8 transparent") << 8 << 8 << kTransparentCyan << "00" << "FF";
    QTest::newRow("8 black") << 8 << 8 << kBlack << "FF" << "00";
    QTest::newRow("16 black") << 16 << 16 << kBlack << "FFFF" << "00";
    QTest::newRow("32 transparent") << 32 << 32 << kTransparentCyan << "00" << "FFFFFFFF";
    QTest::newRow("32 shrunk to 8") << 32 << 8 << kBlack << "FF" << "00";
    // clang-format on
}

void TestModelAndExport::uniformSprites() {
    QFETCH(int, paintedSize);
    QFETCH(int, size);
    QFETCH(Rgb, colour);
    QFETCH(QString, grey);
    QFETCH(QString, mask);
    SpriteTable table;
    SpriteRecord& sprite = AddSprite(table, "S", size);
    for (int y = 0; y < paintedSize; ++y)
        for (int x = 0; x < paintedSize; ++x)
            sprite.SetBits(x, y, *BitsForColour(colour));
    QCOMPARE(HeaderText(table), Line("Dark", "0x", size, grey) + Line("Light", "0x", size, grey) +
                                    Line("Mask", "~0x", size, mask) + "\r\n");
}

void TestModelAndExport::unsizedSpritesInOrder() {
    SpriteTable table;
    QCOMPARE(HeaderText(table), std::string()); // no sprites: an empty file
    AddSprite(table, "Ball", 0);
    AddSprite(table, "Ace", 0);
    QCOMPARE(
        HeaderText(table),
        std::string("Ball_PlaneDark = };\r\nBall_PlaneLight = };\r\nBall_PlaneMask = };\r\n\r\n"
                    "Ace_PlaneDark = };\r\nAce_PlaneLight = };\r\nAce_PlaneMask = };\r\n\r\n"));
}

void TestModelAndExport::namesBecomeLatin1() {
    QCOMPARE(ToLatin1("\xC3\x9C"
                      "ber"),
             std::string("\xDC"
                         "ber"));
    QCOMPARE(ToLatin1("Ball\xE2\x82\xAC"), std::string("Ball?"));     // euro sign
    QCOMPARE(ToLatin1("Ba\xF0\x9F\x98\x80ll"), std::string("Ba?ll")); // one character, one "?"
}

void TestModelAndExport::coloursAndKeys() {
    // Grey bits win over the mask; a colour outside the palette writes nothing.
    QCOMPARE(ColourForBits({.light = true, .dark = false, .mask = true}), kLightGrey);
    QCOMPARE(ColourForBits({.light = false, .dark = false, .mask = true}), kTransparentCyan);
    for (const Rgb colour : kPaletteColours) {
        QCOMPARE(ColourForBits(*BitsForColour(colour)), colour);
        QVERIFY(!BitsForColour(colour ^ 1).has_value());
    }
    QCOMPARE(SpriteKey(10), std::string("s10"));
    QCOMPARE(IndexFromKey("s10"), std::optional<int>(10));
    QCOMPARE(IndexFromTag(TagFromKey("s32766")), std::optional<int>(32766));
    QCOMPARE(IndexFromTag("1x"), std::nullopt);
}

QTEST_APPLESS_MAIN(TestModelAndExport)
#include "test_model_export.moc"
