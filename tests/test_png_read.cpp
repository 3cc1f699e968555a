// PNG files of every colour type and bit depth, written chunk by chunk, imported pixel for pixel;
// and a file that declares a huge image, refused from its header.
#include "png/png_import.h"
#include "support/png_writer.h"
#include "support/sprite_letters.h"

#include <QElapsedTimer>
#include <QTest>

using namespace vellicor;

namespace {

// Samples as text: pixels apart by spaces, a pixel's samples by commas ("0x8080,255 0,0").
QList<QList<int>> Samples(const QString& text) {
    QList<QList<int>> pixels;
    for (const QString& pixel : text.split(' ', Qt::SkipEmptyParts)) {
        QList<int>& samples = pixels.emplace_back();
        for (const QString& sample : pixel.split(','))
            samples << sample.toInt(nullptr, 0);
    }
    return pixels;
}

} // namespace

class TestPngRead : public QObject {
    Q_OBJECT
  private slots:
    // Each letter is what the PNG standard says its pixel is, taken to the nearest grey or to
    // transparent: a sample of n bits is v / (2^n - 1) of full, so 0x00FF of 16 bits is nearly
    // black; a colour key is matched in all its bits; palette entries past tRNS are opaque.
    void everyKind_data() {
        QTest::addColumn<int>("colourType");
        QTest::addColumn<int>("depth");
        QTest::addColumn<bool>("interlaced");
        QTest::addColumn<QString>("pixels");
        QTest::addColumn<QString>("palette");
        QTest::addColumn<QString>("key"); // the colour key, for grey and RGB
        QTest::addColumn<QString>("letters");
        const QString colours = "0,0,0 255,0,0 0,0,255 255,255,0 192,192,192 255,255,255";
        const QString translucent = "0,0,0 255,0,0,0 0,0,255 255,255,0,200 192,192,192 255,255,255";
        const QString greys = "0,0,0,127 128,128,128,128 192,192,192 255,255,255";
        const QString rgb16 = "0x8080,0x8080,0x8080 0x8080,0x8080,0x8081 0,0,0xFFFF "
                              "0xFFFF,0xFFFF,0xFFFF 0xC0C0,0xC0C0,0xC0C0";
        const QString key16 = "0x8080,0x8080,0x8080";
        // clang-format off
        QTest::newRow("grey 1") << 0 << 1 << false << "0 1 1 0 1" << "" << "" << "BWWBW";
        QTest::newRow("grey 2") << 0 << 2 << false << "0 1 2 3" << "" << "" << "BDLW";
        QTest::newRow("grey 4") << 0 << 4 << false << "3 4 9 10 13 14" << "" << "" << "BDDLLW";
        QTest::newRow("grey 8") << 0 << 8 << false << "0 63 64 159 160 223 224 255" << "" << "" << "BBDDLLWW";
        QTest::newRow("grey 16") << 0 << 16 << false << "0 0x00FF 0x8080 0xC0C0 0xFF00 0xFFFF" << "" << "" << "BBDLWW";
        QTest::newRow("grey 2, key") << 0 << 2 << false << "0 1 2 3 1" << "" << "1" << "BTLWT";
        QTest::newRow("grey 8, key") << 0 << 8 << false << "128 0 129 192 255" << "" << "128" << "TBDLW";
        QTest::newRow("grey 16, key") << 0 << 16 << false << "0x8080 0x8081 0x0080 0xFFFF 0xC0C0" << "" << "0x8080" << "TDBWL";
        QTest::newRow("RGB 8") << 2 << 8 << false << "255,0,0 0,255,0 0,0,255 255,255,0 192,192,192" << "" << "" << "DDBWL";
        QTest::newRow("RGB 16") << 2 << 16 << false << "0xFFFF,0,0 0,0xFFFF,0 0,0,0xFFFF 0xFFFF,0xFFFF,0 0xC0C0,0xC0C0,0xC0C0 0x00FF,0x00FF,0x00FF" << "" << "" << "DDBWLB";
        QTest::newRow("RGB 8, key") << 2 << 8 << false << "128,128,128 128,128,129 0,0,0 255,255,255 192,192,192" << "" << "128,128,128" << "TDBWL";
        QTest::newRow("RGB 16, key") << 2 << 16 << false << rgb16 << "" << key16 << "TDBWL";
        QTest::newRow("RGB 16, key, interlaced") << 2 << 16 << true << rgb16 << "" << key16 << "TDBWL";
        QTest::newRow("palette 1") << 3 << 1 << false << "0 1 1 0 1" << "0,0,0 255,255,255" << "" << "BWWBW";
        QTest::newRow("palette 1, tRNS") << 3 << 1 << false << "0 1 1 0 1" << "0,0,0 255,255,255,0" << "" << "BTTBT";
        QTest::newRow("palette 2") << 3 << 2 << false << "3 2 1 0 2" << "0,0,0 128,128,128 192,192,192 255,255,255" << "" << "WLDBL";
        QTest::newRow("palette 2, tRNS") << 3 << 2 << false << "3 2 1 0 2" << greys << "" << "WLDTL";
        QTest::newRow("palette 2, tRNS, interlaced") << 3 << 2 << true << "3 2 1 0 2" << greys << "" << "WLDTL";
        QTest::newRow("palette 4") << 3 << 4 << false << "5 4 3 2 1 0" << colours << "" << "WLWBDB";
        QTest::newRow("palette 4, tRNS") << 3 << 4 << false << "5 4 3 2 1 0" << translucent << "" << "WLWBTB";
        QTest::newRow("palette 8") << 3 << 8 << false << "5 4 3 2 1 0" << colours << "" << "WLWBDB";
        QTest::newRow("palette 8, tRNS") << 3 << 8 << false << "5 4 3 2 1 0" << translucent << "" << "WLWBTB";
        QTest::newRow("grey-alpha 8") << 4 << 8 << false << "0,255 128,255 255,127 255,128 192,200" << "" << "" << "BDTWL";
        QTest::newRow("grey-alpha 16") << 4 << 16 << false << "0,0xFFFF 0x8080,0xFFFF 0xFFFF,0x7FFF 0xFFFF,0x8000 0xC0C0,0x00FF" << "" << "" << "BDTWT";
        QTest::newRow("RGBA 8") << 6 << 8 << false << "255,0,0,255 0,0,255,255 255,255,255,127 192,192,192,128 255,255,0,255" << "" << "" << "DBTLW";
        QTest::newRow("RGBA 16") << 6 << 16 << false << "0xFFFF,0,0,0xFFFF 0,0,0xFFFF,0xFFFF 0xFFFF,0xFFFF,0xFFFF,0x7FFF 0xC0C0,0xC0C0,0xC0C0,0x8000 0xFFFF,0xFFFF,0,0xFFFF 0x8080,0x8080,0x8080,0xFF00" << "" << "" << "DBTLWD";
        // clang-format on
    }

    void everyKind() {
        QFETCH(int, colourType);
        QFETCH(int, depth);
        QFETCH(bool, interlaced);
        QFETCH(QString, pixels);
        QFETCH(QString, palette);
        QFETCH(QString, key);
        QFETCH(QString, letters);
        const ImageImport import =
            SpriteFromPngBytes(Png(colourType, depth, interlaced, Samples(pixels), Samples(palette),
                                   Samples(key).value(0)));
        QVERIFY2(import.sprite, qPrintable(import.error));
        QCOMPARE(int{import.sprite->Size}, 8);
        // Row y is the pixels turned left by y; white beyond the image.
        for (int y = 0; y < kPlaneSide; ++y) {
            const QString image = y < letters.size() ? letters.mid(y) + letters.left(y) : QString();
            QCOMPARE(RowLetters(*import.sprite, y), image.leftJustified(kPlaneSide, 'W'));
        }
    }

    // A small file that declares 30,000 x 30,000 pixels: its image data holds one row, so decoding
    // would have found it damaged; refused from its header instead, at once.
    void hugeDeclaredImageRefusedAtOnce() {
        const QByteArray png = PngStart(30000, 0, 8, false) +
                               PngChunk("IDAT", Deflated(QByteArray(30001, '\0'))) +
                               PngChunk("IEND", {});
        QElapsedTimer timer;
        timer.start();
        const ImageImport import = SpriteFromPngBytes(png);
        QVERIFY(timer.elapsed() < 1000);
        QVERIFY(!import.sprite);
        QCOMPARE(import.error,
                 QString("The image is 30000 x 30000 pixels; a sprite holds at most 32 x 32."));
    }
};

QTEST_GUILESS_MAIN(TestPngRead)
#include "test_png_read.moc"
