// Sprite sheets: hand-made PNGs cut into sprites, sheets written and read back pixel by pixel,
// and a sheet's sprites exported and imported again unchanged.
#include "model/name_rules.h"
#include "png/png_decode.h"
#include "png/sprite_sheet_export.h"
#include "png/sprite_sheet_import.h"
#include "support/png_writer.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vellicor;

namespace {

// Every colour in turn, alpha 0 with a colour for transparent, so each pixel differs from its
// neighbours and a pixel cut from the wrong place shows.
Rgb PatternColour(int x, int y) {
    return kPaletteColours[(x + 3 * y) % 5];
}

QRgb AsRgba(Rgb colour) {
    return colour == kTransparentCyan ? qRgba(255, 0, 0, 0) : 0xFF000000U | colour;
}

QByteArray PatternSheet(int width, int height) {
    return RgbaPng(width, height, [](int x, int y) { return AsRgba(PatternColour(x, y)); });
}

// A sprite of `size` in the pattern, shifted so that no two sprites are alike.
SpriteRecord PatternSprite(int size, int shift) {
    SpriteRecord sprite;
    sprite.Size = static_cast<std::int16_t>(size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            sprite.SetBits(x, y, *BitsForColour(PatternColour(x + shift, y)));
    return sprite;
}

// Decodes a written sheet, every pixel as 0xAARRGGBB.
QList<QRgb> SheetPixels(const QByteArray& png, QSize expected) {
    const PngPixels pixels = DecodePng(png, 1 << 14);
    if (pixels.outcome != PngPixels::Outcome::Decoded || pixels.size != expected)
        return {};
    QList<QRgb> out;
    for (std::size_t at = 0; at < pixels.rgba.size(); at += 4)
        out << qRgba(pixels.rgba[at], pixels.rgba[at + 1], pixels.rgba[at + 2],
                     pixels.rgba[at + 3]);
    return out;
}

} // namespace

class TestSpriteSheet : public QObject {
    Q_OBJECT
  private slots:
    void cut_data() {
        QTest::addColumn<QSize>("image");
        QTest::addColumn<int>("tile");
        QTest::addColumn<int>("columns"); // of tiles
        QTest::addColumn<int>("rows");
        QTest::newRow("20 x 12 at 8") << QSize(20, 12) << 8 << 3 << 2;
        QTest::newRow("40 x 40 at 16") << QSize(40, 40) << 16 << 3 << 3;
        QTest::newRow("33 x 65 at 32") << QSize(33, 65) << 32 << 2 << 3;
        QTest::newRow("8 x 8 at 8") << QSize(8, 8) << 8 << 1 << 1;
    }

    void cut() {
        QFETCH(QSize, image);
        QFETCH(int, tile);
        QFETCH(int, columns);
        QFETCH(int, rows);
        const SheetImport sheet =
            SpritesFromSheetBytes(PatternSheet(image.width(), image.height()), {tile, false}, 100);
        QVERIFY2(sheet.error.isEmpty(), qPrintable(sheet.error));
        QCOMPARE(std::ssize(sheet.sprites), columns * rows);
        for (int i = 0; i < columns * rows; ++i) {
            const SpriteRecord& sprite = sheet.sprites[static_cast<std::size_t>(i)];
            QCOMPARE(sprite.Size, tile);
            QVERIFY(sprite.Name.empty() && !sprite.IsOpen);
            for (int y = 0; y < tile; ++y)
                for (int x = 0; x < tile; ++x) {
                    const QPoint at(i % columns * tile + x, i / columns * tile + y);
                    const bool inImage = at.x() < image.width() && at.y() < image.height();
                    QCOMPARE(ColourForBits(sprite.Bits(x, y)),
                             inImage ? PatternColour(at.x(), at.y()) : kWhite);
                }
        }
    }

    // Tiles 1 and 5 are transparent throughout, tile 3 but for one pixel of alpha 128; the
    // partial tile 2 has only transparent pixels where the image reaches.
    void skipEmpty() {
        const QByteArray png = RgbaPng(20, 16, [](int x, int y) {
            const int tile = y / 8 * 3 + x / 8;
            if (tile == 3 && x == 7 && y == 15)
                return qRgba(0, 0, 0, 128);
            return tile % 2 == 1 || tile == 2 ? qRgba(9, 9, 9, 127) : 0xFFFFFFFFU;
        });
        const SheetImport sheet = SpritesFromSheetBytes(png, {8, true}, 3);
        QCOMPARE(sheet.sprites.size(), 3U);
        QCOMPARE(ColourForBits(sheet.sprites[0].Bits(0, 0)), kWhite);
        QCOMPARE(ColourForBits(sheet.sprites[1].Bits(7, 7)), kBlack);
        QCOMPARE(ColourForBits(sheet.sprites[1].Bits(0, 0)), kTransparentCyan);
        QCOMPARE(ColourForBits(sheet.sprites[2].Bits(0, 0)), kWhite);
        QCOMPARE(SpritesFromSheetBytes(png, {8, false}, 6).sprites.size(), 6U);
    }

    // Each row holds one colour in the last column of the first tile and the first of the
    // second: the nearest grey by luminance, and alpha from 128 up opaque.
    void greyRuleAtTileEdge() {
        const QList<QRgb> given = {qRgb(63, 63, 63),    qRgb(64, 64, 64),     qRgb(159, 159, 159),
                                   qRgb(160, 160, 160), qRgb(223, 223, 223),  qRgb(224, 224, 224),
                                   qRgba(0, 0, 0, 127), qRgba(0, 0, 255, 128)};
        const QList<Rgb> expected = {kBlack,     kDarkGrey, kDarkGrey,        kLightGrey,
                                     kLightGrey, kWhite,    kTransparentCyan, kBlack};
        const QByteArray png = RgbaPng(16, 8, [&given](int x, int y) {
            return x == 7 || x == 8 ? given[y] : qRgba(0, 0, 0, 0);
        });
        const SheetImport sheet = SpritesFromSheetBytes(png, {8, false}, 2);
        QCOMPARE(sheet.sprites.size(), 2U);
        for (int y = 0; y < 8; ++y) {
            QCOMPARE(ColourForBits(sheet.sprites[0].Bits(7, y)), expected[y]);
            QCOMPARE(ColourForBits(sheet.sprites[1].Bits(0, y)), expected[y]);
        }
    }

    void names() {
        std::vector<SpriteRecord> sprites(3);
        NameSheetSprites(sprites, "hero");
        QVERIFY(sprites[2].Name == "hero2");
        const QString longest(kMaxNameLength - 1, 'a');
        QVERIFY(SheetNamesFit(longest, 10));
        QVERIFY(!SheetNamesFit(longest, 11));
        QVERIFY(!SheetNamesFit("2a", 1));
        QVERIFY(!SheetNamesFit({}, 1));
    }

    void refused_data() {
        QTest::addColumn<QByteArray>("png");
        QTest::addColumn<int>("tile");
        QTest::addColumn<bool>("skipEmpty");
        QTest::addColumn<int>("roomLeft");
        QTest::addColumn<QString>("error");
        const QString notPng = "It is not a PNG image, or it is damaged.";
        // Image data that is no zlib stream under a header of side x side: at 4096, only a
        // refusal that decodes nothing reads it as anything but damaged.
        const auto noPixels = [](int side) {
            const QByteArray header =
                PngNumber(side) + PngNumber(side) + "\x08\x06" + QByteArray(3, '\0');
            return QByteArray("\x89PNG\r\n\x1A\n", 8) + PngChunk("IHDR", header) +
                   PngChunk("IDAT", "no pixels") + PngChunk("IEND", {});
        };
        const QByteArray sheet = PatternSheet(20, 12);
        // clang-format off
        QTest::newRow("not PNG") << QByteArray("GIF89a") << 8 << false << 10 << notPng;
        QTest::newRow("damaged") << noPixels(8) << 8 << false << 10 << notPng;
        QTest::newRow("cut short") << sheet.left(sheet.size() - 20) << 8 << false << 10 << notPng;
        QTest::newRow("4097 wide") << PatternSheet(4097, 1) << 8 << false << 10 << "The image is 4097 x 1 pixels; a sprite sheet is at most 4096 x 4096.";
        QTest::newRow("header alone") << noPixels(4096) << 8 << false << 32767
            << "The sheet makes 262144 sprites of 8 x 8 pixels, but the project has room for 32767 more (at most 32767 in all).";
        QTest::newRow("no room left") << sheet << 8 << false << 5
            << "The sheet makes 6 sprites of 8 x 8 pixels, but the project has room for 5 more (at most 32767 in all).";
        QTest::newRow("no room, skipped") << sheet << 8 << true << 5
            << "The sheet makes 6 non-empty sprites of 8 x 8 pixels, but the project has room for 5 more (at most 32767 in all).";
        QTest::newRow("tile 12") << sheet << 12 << false << 10 << "The tile size 12 is not 8, 16 or 32 pixels.";
        QTest::newRow("all skipped") << RgbaPng(9, 9, [](int, int) { return 0U; }) << 8 << true << 10
            << "Every tile of the sheet is transparent, so it makes no sprite.";
        // clang-format on
    }

    void refused() {
        QFETCH(QByteArray, png);
        QFETCH(int, tile);
        QFETCH(bool, skipEmpty);
        QFETCH(int, roomLeft);
        QFETCH(QString, error);
        const SheetImport sheet = SpritesFromSheetBytes(png, {tile, skipEmpty}, roomLeft);
        QCOMPARE(sheet.error, error);
        QVERIFY(sheet.sprites.empty());
    }

    void exported_data() {
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("scale");
        QTest::addColumn<QSize>("cells");
        QTest::newRow("2 columns, scale 3") << 2 << 3 << QSize(2, 2);
        QTest::newRow("16 columns") << 16 << 1 << QSize(3, 1);
    }

    // Sprites 0 (16, one pixel transparent) and 3 (16) fill their cells, 1 (8) a quarter of
    // its own; 2 has no size and is left out.
    void exported() {
        QFETCH(int, columns);
        QFETCH(int, scale);
        QFETCH(QSize, cells);
        SpriteTable table;
        for (const int size : {16, 8, 0, 16})
            table.AppendRecord(PatternSprite(size, table.SpriteCount()));
        table.Record(0).SetBits(1, 0, *BitsForColour(kTransparentCyan));
        const std::vector<int> indexes = {0, 1, 2, 3};
        const QList<QRgb> pixels =
            SheetPixels(SheetPngBytes(table, indexes, {columns, scale}), cells * 16 * scale);
        QCOMPARE(pixels.size(), cells.width() * cells.height() * 256 * scale * scale);
        const int width = cells.width() * 16 * scale;
        const int shifts[] = {0, 1, 3};
        for (int at = 0; at < pixels.size(); ++at) {
            const int x = at % width / scale, y = at / width / scale;
            const int cell = y / 16 * cells.width() + x / 16;
            const bool inSprite = cell < 3 && (cell != 1 || (x % 16 < 8 && y % 16 < 8));
            const bool cleared = cell == 0 && x == 1 && y == 0;
            const Rgb colour = inSprite && !cleared ? PatternColour(x % 16 + shifts[cell], y % 16)
                                                    : kTransparentCyan;
            QCOMPARE(pixels[at], colour == kTransparentCyan ? 0U : 0xFF000000U | colour);
        }
        QTemporaryDir dir;
        QCOMPARE(SaveSpriteSheet(dir.filePath("s.png"), table, indexes, {columns, scale}),
                 std::nullopt);
    }

    void exportRefused_data() {
        QTest::addColumn<int>("sprites");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("scale");
        QTest::addColumn<QString>("error");
        // clang-format off
        QTest::newRow("no size") << 0 << 16 << 1 << "None of the sprites has a size yet: choose 8, 16 or 32 first.";
        QTest::newRow("0 columns") << 1 << 0 << 1 << "The number of columns 0 is not a whole number from 1 to 256.";
        QTest::newRow("257 columns") << 1 << 257 << 1 << "The number of columns 257 is not a whole number from 1 to 256.";
        QTest::newRow("scale 33") << 1 << 16 << 33 << "The scale 33 is not a whole number from 1 to 32.";
        QTest::newRow("too wide") << 300 << 256 << 2
            << "The sheet would be 16384 x 128 pixels, larger than 8192 x 8192; choose other columns or a smaller scale.";
        // clang-format on
    }

    void exportRefused() {
        QFETCH(int, sprites);
        QFETCH(int, columns);
        QFETCH(int, scale);
        QFETCH(QString, error);
        SpriteTable table;
        table.Append("Blank"); // no size: never in a sheet
        std::vector<int> indexes = {0};
        for (int i = 0; i < sprites; ++i)
            indexes.push_back(table.AppendRecord(PatternSprite(32, i)));
        QCOMPARE(SheetExportRefusal(table, indexes, {columns, scale}), error);
        QVERIFY(SheetPngBytes(table, indexes, {columns, scale}).isEmpty());
        QTemporaryDir dir;
        QCOMPARE(SaveSpriteSheet(dir.filePath("s.png"), table, indexes, {columns, scale}), error);
        QVERIFY(!QFile::exists(dir.filePath("s.png")));
    }

    // Five sprites in two columns leave the last cell empty, which only skipEmpty leaves out.
    void roundTrip() {
        SpriteTable table;
        std::vector<int> indexes;
        for (int i = 0; i < 5; ++i)
            indexes.push_back(table.AppendRecord(PatternSprite(16, i)));
        const QByteArray png = SheetPngBytes(table, indexes, {2, 1});
        QCOMPARE(SpritesFromSheetBytes(png, {16, false}, 6).sprites.size(), 6U);
        const SheetImport sheet = SpritesFromSheetBytes(png, {16, true}, 5);
        QCOMPARE(sheet.sprites.size(), 5U);
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(sheet.sprites[i].Size, 16);
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    QCOMPARE(sheet.sprites[i].Bits(x, y), table.Record(i).Bits(x, y));
        }
    }
};

QTEST_GUILESS_MAIN(TestSpriteSheet)
#include "test_sprite_sheet.moc"
