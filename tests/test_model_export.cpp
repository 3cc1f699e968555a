// The header's bytes from the model, and the model's small rules. The worked example is exported
// through the window in test_journeys.
#include "export/bin_to_hex.h"
#include "export/header_text.h"
#include "model/colour_table.h"
#include "model/sprite_identity.h"

#include <QTest>

using namespace vellicor;

namespace {

std::string Line(const std::string& name, const char* plane, const char* prefix, int rows,
                 const char* digits) {
    std::string line = name + "_Plane" + plane + " = {{";
    for (int y = 0; y < rows; ++y)
        line += (y > 0 ? "},{" : "") + std::string(prefix) + digits;
    return line + "}};\r\n";
}

} // namespace

class TestModelAndExport : public QObject {
    Q_OBJECT
  private slots:
    void binToHex();
    void headerOfEverySize();
    void coloursAndKeys();
};

void TestModelAndExport::binToHex() {
    // The shortest form of the value, padded to an even number of digits.
    const std::pair<QString, std::string> cases[] = {{"00000000", "00"},
                                                     {"0000100000000000", "0800"},
                                                     {"0000000010000000", "80"},
                                                     {"0000000000000001", "01"},
                                                     {QString(32, '1'), "FFFFFFFF"},
                                                     {"101010101010", "0AAA"},
                                                     {"1" + QString(31, '0'), "80000000"}};
    for (const auto& [bits, hex] : cases) {
        QCOMPARE(BinToHex(bits.toStdString()), hex);
        // The export hands BinToHex the rows as the planes keep them.
        const int width = static_cast<int>(bits.size());
        Plane plane;
        for (int x = 0; x < width; ++x)
            plane.Set(x, 0, bits[x] == '1');
        QCOMPARE(BinToHex(plane.Row(0, width), width), hex);
    }
}

void TestModelAndExport::headerOfEverySize() {
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

void TestModelAndExport::coloursAndKeys() {
    // Grey bits win over the mask, as a file edited by hand may set both.
    QCOMPARE(ColourForBits({.light = true, .dark = false, .mask = true}), kLightGrey);
    QCOMPARE(IndexFromKey(SpriteKey(10)), std::optional<int>(10));
    QCOMPARE(IndexFromTag(TagFromKey(SpriteKey(32766))), std::optional<int>(32766));
    QCOMPARE(IndexFromTag("1x"), std::nullopt);
}

QTEST_APPLESS_MAIN(TestModelAndExport)
#include "test_model_export.moc"
