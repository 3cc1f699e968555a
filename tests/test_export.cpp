#include "export/bin_to_hex.h"
#include "export/header_file.h"
#include "export/header_text.h"
#include "model/colour_table.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vellicor;

namespace {

const PlaneBits kBlackBits = *BitsForColour(kBlack);
const PlaneBits kDarkBits = *BitsForColour(kDarkGrey);
const PlaneBits kLightBits = *BitsForColour(kLightGrey);
const PlaneBits kClearBits = *BitsForColour(kTransparentCyan);

SpriteRecord& AddSprite(SpriteTable& table, const char* name, int size) {
    SpriteRecord& record = table.Record(table.Append(name));
    record.Size = static_cast<std::int16_t>(size);
    return record;
}

void Fill(SpriteRecord& record, PlaneBits bits) {
    for (int y = 0; y < record.Size; ++y)
        for (int x = 0; x < record.Size; ++x)
            record.SetBits(x, y, bits);
}

std::string Line(const std::string& name, const char* plane, const char* prefix, int rows,
                 const char* digits) {
    std::string line = name + "_Plane" + plane + " = {{";
    for (int y = 0; y < rows; ++y)
        line += std::string(y > 0 ? "},{" : "") + prefix + digits;
    return line + "}};\r\n";
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class TestExport : public QObject {
    Q_OBJECT
  private slots:
    void binToHex_data();
    void binToHex();
    void workedExample();
    void uniformSprites_data();
    void uniformSprites();
    void rowsAreNotPadded();
    void sizeZeroRemovesTheBraces();
    void onlyTheTopLeftSquareIsRead();
    void emptyProjectIsEmpty();
    void spritesFollowInOrder();
    void namesBecomeLatin1();
    void writeReplacesAWholeFile();
    void failedWriteLeavesTheOldFile_data();
    void failedWriteLeavesTheOldFile();
};

void TestExport::binToHex_data() {
    QTest::addColumn<QString>("bits");
    QTest::addColumn<QString>("hex");
    QTest::newRow("8 top bit") << "10000000"
                               << "80";
    QTest::newRow("8 zero") << "00000000"
                            << "00";
    QTest::newRow("16 top bit") << "1000000000000000"
                                << "8000";
    QTest::newRow("16 fifth bit") << "0000100000000000"
                                  << "0800";
    QTest::newRow("16 ninth bit") << "0000000010000000"
                                  << "80";
    QTest::newRow("16 last bit") << "0000000000000001"
                                 << "01";
    QTest::newRow("32 top bit") << "1" + QString(31, '0') << "80000000";
    QTest::newRow("32 ones") << QString(32, '1') << "FFFFFFFF";
    QTest::newRow("odd digits") << "101010101010"
                                << "0AAA";
    QTest::newRow("one digit") << "1"
                               << "01";
}

void TestExport::binToHex() {
    QFETCH(QString, bits);
    QFETCH(QString, hex);
    QCOMPARE(QString::fromStdString(BinToHex(bits.toStdString())), hex);
}

void TestExport::workedExample() {
    SpriteTable table;
    SpriteRecord& ball = AddSprite(table, "Ball", 8);
    ball.SetBits(0, 0, kBlackBits);
    ball.SetBits(1, 0, kDarkBits);
    ball.SetBits(2, 0, kLightBits);
    ball.SetBits(7, 7, kClearBits);
    const std::string expected =
        "Ball_PlaneDark = {{0xC0},{0x00},{0x00},{0x00},{0x00},{0x00},{0x00},{0x00}};\r\n"
        "Ball_PlaneLight = {{0xA0},{0x00},{0x00},{0x00},{0x00},{0x00},{0x00},{0x00}};\r\n"
        "Ball_PlaneMask = "
        "{{~0x00},{~0x00},{~0x00},{~0x00},{~0x00},{~0x00},{~0x00},{~0x01}};\r\n"
        "\r\n";
    QCOMPARE(HeaderText(table), expected);
    QCOMPARE(expected.size(), std::size_t{242});
}

void TestExport::uniformSprites_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<Rgb>("colour");
    QTest::addColumn<QString>("grey");
    QTest::addColumn<QString>("mask");
    QTest::newRow("8 white") << 8 << kWhite << "00"
                             << "00";
    QTest::newRow("8 transparent") << 8 << kTransparentCyan << "00"
                                   << "FF";
    QTest::newRow("8 black") << 8 << kBlack << "FF"
                             << "00";
    QTest::newRow("16 black") << 16 << kBlack << "FFFF"
                              << "00";
    QTest::newRow("32 transparent") << 32 << kTransparentCyan << "00"
                                    << "FFFFFFFF";
}

void TestExport::uniformSprites() {
    QFETCH(int, size);
    QFETCH(Rgb, colour);
    QFETCH(QString, grey);
    QFETCH(QString, mask);
    SpriteTable table;
    Fill(AddSprite(table, "S", size), *BitsForColour(colour));
    const std::string g = grey.toStdString();
    const std::string m = mask.toStdString();
    QCOMPARE(HeaderText(table), Line("S", "Dark", "0x", size, g.c_str()) +
                                    Line("S", "Light", "0x", size, g.c_str()) +
                                    Line("S", "Mask", "~0x", size, m.c_str()) + "\r\n");
}

void TestExport::rowsAreNotPadded() {
    SpriteTable table;
    SpriteRecord& wide = AddSprite(table, "W", 16);
    wide.SetBits(8, 0, kDarkBits);
    wide.SetBits(4, 1, kDarkBits);
    SpriteRecord& widest = AddSprite(table, "X", 32);
    widest.SetBits(0, 3, kBlackBits);
    const std::string text = HeaderText(table);
    QVERIFY(text.find("W_PlaneDark = {{0x80},{0x0800},{0x00},") == 0);
    const std::string xDark = "X_PlaneDark = {{0x00},{0x00},{0x00},{0x80000000},{0x00}";
    QVERIFY(text.find(xDark) != std::string::npos);
    const auto line = text.substr(text.find("X_PlaneLight"));
    QCOMPARE(std::count(line.begin(), line.begin() + line.find('\r'), 'x'), 32);
}

void TestExport::sizeZeroRemovesTheBraces() {
    SpriteTable table;
    AddSprite(table, "Ball", 0);
    QCOMPARE(
        HeaderText(table),
        std::string("Ball_PlaneDark = };\r\nBall_PlaneLight = };\r\nBall_PlaneMask = };\r\n\r\n"));
}

void TestExport::onlyTheTopLeftSquareIsRead() {
    SpriteTable table;
    SpriteRecord& record = AddSprite(table, "S", 32);
    Fill(record, kBlackBits);
    record.Size = 8;
    QCOMPARE(HeaderText(table), Line("S", "Dark", "0x", 8, "FF") +
                                    Line("S", "Light", "0x", 8, "FF") +
                                    Line("S", "Mask", "~0x", 8, "00") + "\r\n");
}

void TestExport::emptyProjectIsEmpty() {
    SpriteTable table;
    QCOMPARE(HeaderText(table), std::string());
}

void TestExport::spritesFollowInOrder() {
    SpriteTable table;
    AddSprite(table, "B", 0);
    AddSprite(table, "A", 0);
    AddSprite(table, "B", 0);
    const std::string text = HeaderText(table);
    QVERIFY(text.find("B_PlaneDark") < text.find("A_PlaneDark"));
    QCOMPARE(std::count(text.begin(), text.end(), '\n'), 12);
    QVERIFY(text.ends_with("B_PlaneMask = };\r\n\r\n"));
}

void TestExport::namesBecomeLatin1() {
    QCOMPARE(ToLatin1("B\xC3\xA4ll"), std::string("B\xE4ll"));
    QCOMPARE(ToLatin1("Ball\xE2\x82\xAC"), std::string("Ball?"));     // euro sign
    QCOMPARE(ToLatin1("Ba\xF0\x9F\x98\x80ll"), std::string("Ba?ll")); // one character, one ?
    SpriteTable table;
    AddSprite(table,
              "\xC3\x9C"
              "ber",
              0);
    QVERIFY(HeaderText(table).starts_with("\xDC"
                                          "ber_PlaneDark = };\r\n"));
}

void TestExport::writeReplacesAWholeFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("sprites"); // no extension added
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(1000, 'x'));
    old.close();
    QCOMPARE(WriteFileAtomically(path, "new\r\n"), std::nullopt);
    QCOMPARE(ReadAll(path), QByteArray("new\r\n"));
    QCOMPARE(WriteFileAtomically(path, ""), std::nullopt);
    QCOMPARE(ReadAll(path), QByteArray());
}

void TestExport::failedWriteLeavesTheOldFile_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing folder") << "missing/out.h"
                                    << "folder does not exist";
    QTest::newRow("read-only file") << "locked.h"
                                    << "file is read-only";
    QTest::newRow("read-only folder") << "locked/new.h"
                                      << "folder is read-only";
    QTest::newRow("a folder") << "locked"
                              << "It is a folder";
}

void TestExport::failedWriteLeavesTheOldFile() {
    QFETCH(QString, target);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("locked"));
    const QByteArray good = "good header\r\n";
    for (const QString name : {"locked.h", "locked/out.h"}) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(good);
        file.close();
        QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    }
    QVERIFY(QFile::setPermissions(dir.filePath("locked"),
                                  QFileDevice::ReadOwner | QFileDevice::ExeOwner));

    const auto error = WriteFileAtomically(dir.filePath(target), "replacement");
    QVERIFY(error.has_value());
    QVERIFY2(error->contains(reason), qPrintable(*error));
    QCOMPARE(ReadAll(dir.filePath("locked.h")), good);
    QCOMPARE(ReadAll(dir.filePath("locked/out.h")), good);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
    QVERIFY(!QFile::exists(dir.filePath("missing")));

    QFile::setPermissions(dir.filePath("locked"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QTEST_APPLESS_MAIN(TestExport)
#include "test_export.moc"
