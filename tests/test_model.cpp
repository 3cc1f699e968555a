#include "model/colour_table.h"
#include "model/sprite_identity.h"
#include "model/sprite_table.h"

#include <QTest>

using namespace vellicor;

class TestModel : public QObject {
    Q_OBJECT
  private slots:
    void newTableHoldsOneSpareRecord();
    void appendKeepsEarlierRecords();
    void resetDiscardsTheOldProject();
    void fullTableRefusesNothingBelowTheLimit();
    void colourTable_data();
    void colourTable();
    void maskedGreyShowsItsGrey();
    void unknownColourWritesNothing();
    void planesKeepPixelsOutsideTheSize();
    void keys_data();
    void keys();
};

void TestModel::newTableHoldsOneSpareRecord() {
    const SpriteTable table;
    QCOMPARE(table.SpriteCount(), 0);
    QCOMPARE(table.RecordCount(), 1);
    QVERIFY(table.Sprites().empty());
    const SpriteRecord& spare = table.Record(0);
    QCOMPARE(spare.Size, 0);
    QVERIFY(spare.PlaneDark.IsClear() && spare.PlaneLight.IsClear() && spare.PlaneMask.IsClear());
    QVERIFY(spare.Name.empty());
    QVERIFY(!spare.IsOpen);
}

void TestModel::appendKeepsEarlierRecords() {
    SpriteTable table;
    QCOMPARE(table.Append("Ball"), 0);
    table.Record(0).SetBits(3, 4, PlaneBits{.light = true, .dark = true, .mask = false});
    QCOMPARE(table.Append("Ball"), 1); // names need not be unique
    QCOMPARE(table.SpriteCount(), 2);
    QCOMPARE(table.RecordCount(), 2);
    QCOMPARE(table.Record(0).Bits(3, 4), (PlaneBits{true, true, false}));
    QCOMPARE(table.Record(1).Name, std::string("Ball"));
    QVERIFY(table.Record(1).PlaneDark.IsClear());
}

void TestModel::resetDiscardsTheOldProject() {
    SpriteTable table;
    table.Append("Old");
    table.Record(0).Size = 32;
    table.Record(0).SetBits(0, 0, PlaneBits{.mask = true});
    table.Append("Other");
    table.Reset();
    QCOMPARE(table.SpriteCount(), 0);
    QCOMPARE(table.RecordCount(), 1);
    QCOMPARE(table.Append("New"), 0);
    QCOMPARE(table.Record(0).Size, 0);
    QVERIFY(table.Record(0).PlaneMask.IsClear());
}

void TestModel::fullTableRefusesNothingBelowTheLimit() {
    SpriteTable table;
    for (int i = 0; i < SpriteTable::kMaxSprites - 1; ++i)
        table.Append("S");
    QVERIFY(!table.IsFull());
    QCOMPARE(table.Append("Last"), 32766);
    QVERIFY(table.IsFull());
    QCOMPARE(table.SpriteCount(), 32767);
}

void TestModel::colourTable_data() {
    QTest::addColumn<Rgb>("colour");
    QTest::addColumn<bool>("light");
    QTest::addColumn<bool>("dark");
    QTest::addColumn<bool>("mask");
    QTest::newRow("black") << kBlack << true << true << false;
    QTest::newRow("dark grey") << kDarkGrey << false << true << false;
    QTest::newRow("light grey") << kLightGrey << true << false << false;
    QTest::newRow("white") << kWhite << false << false << false;
    QTest::newRow("transparent") << kTransparentCyan << false << false << true;
}

void TestModel::colourTable() {
    QFETCH(Rgb, colour);
    QFETCH(bool, light);
    QFETCH(bool, dark);
    QFETCH(bool, mask);
    const PlaneBits bits{light, dark, mask};
    QCOMPARE(BitsForColour(colour), std::optional<PlaneBits>(bits));
    QCOMPARE(ColourForBits(bits), colour);

    // Painting over any earlier colour leaves exactly these bits.
    SpriteRecord record;
    record.SetBits(5, 6, PlaneBits{true, true, true});
    record.SetBits(5, 6, bits);
    QCOMPARE(record.Bits(5, 6), bits);
    QCOMPARE(record.PlaneDark.Row(6, 8), dark ? 0x04U : 0U);
}

void TestModel::maskedGreyShowsItsGrey() {
    QCOMPARE(ColourForBits({.light = true, .dark = false, .mask = true}), kLightGrey);
    QCOMPARE(ColourForBits({.light = true, .dark = true, .mask = true}), kBlack);
}

void TestModel::unknownColourWritesNothing() {
    QVERIFY(!BitsForColour(0x010101).has_value());
    QVERIFY(!BitsForColour(0x00FFFE).has_value());
}

void TestModel::planesKeepPixelsOutsideTheSize() {
    SpriteRecord record;
    record.Size = 32;
    record.SetBits(31, 31, PlaneBits{.light = true, .dark = true});
    record.SetBits(0, 0, PlaneBits{.light = true, .dark = true});
    record.Size = 8;
    QCOMPARE(record.PlaneDark.Row(0, 8), 0x80U);
    QCOMPARE(record.PlaneDark.Row(31, 8), 0U);
    record.Size = 32;
    QCOMPARE(record.PlaneDark.Row(31, 32), 0x1U);
    QCOMPARE(record.PlaneDark.Row(0, 32), 0x80000000U);
}

void TestModel::keys_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("key");
    QTest::newRow("first") << 0 << "s0";
    QTest::newRow("eleventh") << 10 << "s10";
    QTest::newRow("last") << 32766 << "s32766";
}

void TestModel::keys() {
    QFETCH(int, index);
    QFETCH(QString, key);
    QCOMPARE(QString::fromStdString(SpriteKey(index)), key);
    QCOMPARE(IndexFromKey(key.toStdString()), std::optional<int>(index));
    QCOMPARE(IndexFromTag(TagFromKey(key.toStdString())), std::optional<int>(index));
}

QTEST_APPLESS_MAIN(TestModel)
#include "test_model.moc"
