#include "journal/journal_line.h"
#include "journal/journal_records.h"
#include "journal/recovery_journal.h"
#include "journal/recovery_store.h"
#include "model/colour_table.h"
#include "project/row_hex.h"
#include "support/read_all.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>

using namespace vellicor;

namespace {

constexpr auto kHoldJournal = "--hold-journal";
constexpr int kNew = -1; // the step adds a sprite

// One completed step as the editor would make it: a sprite added or changed, then the
// editors that are open afterwards.
struct Step {
    int index = kNew;
    QString name;     // empty: unchanged
    int size = -1;    // -1: unchanged
    quint32 seed = 0; // non-zero: paint pixels all over the 32 x 32 planes
    std::vector<int> open;
};
using Steps = std::vector<Step>;

int Apply(SpriteTable& table, const Step& step) {
    const int index = step.index == kNew ? table.Append({}) : step.index;
    SpriteRecord& record = table.Record(index);
    if (!step.name.isEmpty())
        record.Name = step.name.toStdString();
    if (step.size >= 0)
        record.Size = static_cast<std::int16_t>(step.size);
    QRandomGenerator random(step.seed);
    for (int n = 0; step.seed != 0 && n < 200; ++n)
        record.SetBits(random.bounded(kPlaneSide), random.bounded(kPlaneSide),
                       *BitsForColour(kPaletteColours[random.bounded(5)]));
    for (int i = 0; i < table.SpriteCount(); ++i)
        table.Record(i).IsOpen =
            std::find(step.open.begin(), step.open.end(), i) != step.open.end();
    return index;
}

// Everything a recovered table must match: names, sizes, open editors, all 32 x 32 pixels.
bool SameTables(const SpriteTable& a, const SpriteTable& b) {
    const auto rows = [](const SpriteRecord& r) {
        std::vector<std::uint32_t> all;
        for (int y = 0; y < kPlaneSide; ++y)
            all.insert(all.end(),
                       {r.PlaneDark.FullRow(y), r.PlaneLight.FullRow(y), r.PlaneMask.FullRow(y)});
        return all;
    };
    return std::equal(a.Sprites().begin(), a.Sprites().end(), b.Sprites().begin(),
                      b.Sprites().end(), [&](const SpriteRecord& x, const SpriteRecord& y) {
                          return x.Name == y.Name && x.Size == y.Size && x.IsOpen == y.IsOpen &&
                                 rows(x) == rows(y);
                      });
}

// Sprites of an opened project, then steps of every kind: repaints, new sprites with odd
// names, size changes that hide and show pixels again, editors opening and closing.
const Steps kOpenedProject = {{kNew, "Ball", 8, 1, {0}}, {kNew, "Ölfass ✓ 精灵", 32, 2, {0}}};
const Steps kEditing = {{0, {}, -1, 11, {0}},     {kNew, "say \"hi\" \\ \n 木", -1, 0, {0, 2}},
                        {2, {}, 16, 0, {0, 2}},   {2, {}, -1, 12, {0, 2}},
                        {1, {}, 8, 0, {0, 1, 2}}, {kNew, "Rock", -1, 0, {3}},
                        {1, {}, 32, 13, {3, 1}},  {0, "Ball", -1, 14, {2}}};

// A journal written step by step, with the state the model had after the base record
// (states[0]) and after each step k (states[k]).
struct Written {
    QByteArray bytes;
    std::vector<SpriteTable> states;
    qint64 lastStepFrom = 0;
    qint64 lastStepTo = 0;
    // Where line k (0 = the base record) starts; the last entry is the end.
    QList<qsizetype> LineStarts() const {
        QList<qsizetype> starts{0};
        for (qsizetype i = 0; i < bytes.size(); ++i)
            if (bytes[i] == '\n')
                starts.append(i + 1);
        return starts;
    }
};

Written WriteJournal(const QString& path, const QString& file, const Steps& base,
                     const Steps& steps) {
    Written written;
    SpriteTable table;
    RecoveryJournal journal;
    // A journal started again is replaced whole: nothing of the first project survives.
    if (auto error = journal.Start(path, "Old", {}, table))
        qFatal("%s", qPrintable(*error));
    for (const Step& step : base)
        Apply(table, step);
    written.lastStepFrom = QDateTime::currentMSecsSinceEpoch();
    if (auto error = journal.Start(path, "Demo", file, table))
        qFatal("%s", qPrintable(*error));
    written.lastStepTo = QDateTime::currentMSecsSinceEpoch();
    written.states.push_back(table);
    for (const Step& step : steps) {
        const int index = Apply(table, step);
        written.lastStepFrom = QDateTime::currentMSecsSinceEpoch();
        if (auto error = journal.AppendSprite(index, table.Record(index), step.open))
            qFatal("%s", qPrintable(*error));
        written.lastStepTo = QDateTime::currentMSecsSinceEpoch();
        written.states.push_back(table);
    }
    written.bytes = ReadAll(path);
    return written;
}

QJsonObject Edited(QJsonObject record, const QString& key, const QJsonValue& value) {
    if (!key.startsWith("sprite."))
        record[key] = value;
    else {
        QJsonObject sprite = record["sprite"].toObject();
        sprite[key.mid(7)] = value;
        record["sprite"] = sprite;
    }
    return record;
}

QJsonArray Rows(int count, const QString& row = "00000000") {
    QJsonArray rows;
    for (int y = 0; y < count; ++y)
        rows.append(y == count - 1 ? row : QStringLiteral("00000000"));
    return rows;
}

// The process that owns a journal in the orphan test: it claims one, writes a step, says
// where it is and waits to be killed.
int HoldJournal(const QString& folder) {
    RecoveryStore store(folder);
    const QString path = store.ClaimJournal();
    SpriteTable table;
    Apply(table, {kNew, "Held", 16, 5, {0}});
    RecoveryJournal journal;
    if (path.isEmpty() || journal.Start(path, "Demo", {}, table) ||
        journal.AppendSprite(0, table.Record(0), {}))
        return 1;
    std::printf("%s\n", qPrintable(path));
    std::fflush(stdout);
    QTimer::singleShot(60'000, qApp, &QCoreApplication::quit); // should the test die first
    return QCoreApplication::exec();
}

} // namespace

Q_DECLARE_METATYPE(Steps)

class TestRecoveryJournal : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void rowsAreWrittenAsInTheProjectFile();
    void roundTrip_data();
    void roundTrip();
    void recordCutAtEveryByte_data();
    void recordCutAtEveryByte();
    void flippedByteEndsReplayThere();
    void invalidStepEndsReplayThere_data();
    void invalidStepEndsReplayThere();
    void garbageIsRefusedWhole_data();
    void garbageIsRefusedWhole();
    void writerRefusesWhatReplayWouldDrop();
    void storeKnowsWhoOwnsEachJournal();
    void journalOfAKilledProcessIsOrphaned();

  private:
    QTemporaryDir dir_;
    Written edited_; // the opened project after every kind of step
    QString Path(const QString& name) const { return dir_.filePath(name); }
};

void TestRecoveryJournal::initTestCase() {
    edited_ = WriteJournal(Path("edited.journal"), {}, kOpenedProject, kEditing);
}

void TestRecoveryJournal::rowsAreWrittenAsInTheProjectFile() {
    QCOMPARE(Crc32("123456789"), 0xCBF43926U);
    SpriteTable table;
    SpriteRecord& record = table.Record(table.Append("A"));
    record.SetBits(0, 0, *BitsForColour(kBlack));
    record.SetBits(31, 1, *BitsForColour(kTransparentCyan));
    record.SetBits(4, 31, *BitsForColour(kLightGrey));
    RecoveryJournal journal;
    QCOMPARE(journal.Start(Path("rows.journal"), "P", {}, table), std::nullopt);
    const QByteArray bytes = ReadAll(Path("rows.journal"));
    QVERIFY(bytes.contains(R"("dark":["80000000","00000000",)"));
    QVERIFY(bytes.contains(R"("mask":["00000000","00000001",)"));
    QVERIFY(bytes.contains(R"(,"08000000"],"mask")"));
}

void TestRecoveryJournal::roundTrip_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<Steps>("base");
    QTest::addColumn<Steps>("steps");
    QTest::newRow("opened project, every kind of step")
        << "/home/u/Demo ✓.vellicor" << kOpenedProject << kEditing;
    QTest::newRow("new project, no step") << QString() << Steps{} << Steps{};
    QTest::newRow("new project, first sprites")
        << QString() << Steps{} << Steps{{kNew, "A", -1, 0, {0}}, {0, {}, 32, 3, {0}}};
}

void TestRecoveryJournal::roundTrip() {
    QFETCH(QString, file);
    QFETCH(Steps, base);
    QFETCH(Steps, steps);
    const Written written = WriteJournal(Path("trip.journal"), file, base, steps);
    const JournalRead read = ReadJournal(written.bytes);
    QVERIFY2(read.project, qPrintable(read.error));
    QCOMPARE(read.steps, static_cast<int>(steps.size()));
    QCOMPARE(read.damage, QString());
    QVERIFY(SameTables(read.project->table, written.states.back()));
    QCOMPARE(read.project->name, "Demo");
    QCOMPARE(read.project->filePath, file);
    const qint64 lastChange = read.project->lastChange.toMSecsSinceEpoch();
    QVERIFY(lastChange >= written.lastStepFrom && lastChange <= written.lastStepTo);
}

void TestRecoveryJournal::recordCutAtEveryByte_data() {
    QTest::addColumn<int>("record"); // 0 = the base record
    QTest::newRow("base record") << 0;
    QTest::newRow("first step") << 1;
    QTest::newRow("last step") << static_cast<int>(kEditing.size());
}

// A crash may stop a write at any byte: each cut recovers every step before the torn one,
// or, in the base record, nothing at all.
void TestRecoveryJournal::recordCutAtEveryByte() {
    QFETCH(int, record);
    const auto starts = edited_.LineStarts();
    for (qsizetype cut = starts[record]; cut < starts[record + 1]; ++cut) {
        const JournalRead read = ReadJournal(edited_.bytes.first(cut));
        if (record == 0) {
            QVERIFY(!read.project);
            QVERIFY(!read.error.isEmpty());
            continue;
        }
        QVERIFY2(read.project, qPrintable(read.error));
        QCOMPARE(read.steps, record - 1);
        QCOMPARE(read.damage.isEmpty(), cut == starts[record]);
        QVERIFY(SameTables(read.project->table, edited_.states[record - 1]));
    }
}

void TestRecoveryJournal::flippedByteEndsReplayThere() {
    const auto starts = edited_.LineStarts();
    const int record = 4;
    for (qsizetype at = starts[record]; at < starts[record + 1]; ++at) {
        QByteArray bytes = edited_.bytes;
        bytes[at] = static_cast<char>(bytes[at] ^ 0x01);
        const JournalRead read = ReadJournal(bytes);
        QVERIFY2(read.project, qPrintable(read.error));
        QCOMPARE(read.steps, record - 1);
        QVERIFY(!read.damage.isEmpty());
        QVERIFY(SameTables(read.project->table, edited_.states[record - 1]));
    }
}

void TestRecoveryJournal::invalidStepEndsReplayThere_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QJsonValue>("value");
    // clang-format off
    QTest::newRow("size 12") << "sprite.size" << QJsonValue(12);
    QTest::newRow("size 8.5") << "sprite.size" << QJsonValue(8.5);
    QTest::newRow("size as text") << "sprite.size" << QJsonValue("8");
    QTest::newRow("31 rows") << "sprite.dark" << QJsonValue(Rows(31));
    QTest::newRow("33 rows") << "sprite.light" << QJsonValue(Rows(33));
    QTest::newRow("7 digits") << "sprite.mask" << QJsonValue(Rows(32, "0000000"));
    QTest::newRow("not hex") << "sprite.mask" << QJsonValue(Rows(32, "0000000G"));
    QTest::newRow("9 digits") << "sprite.dark" << QJsonValue(Rows(32, "000000000"));
    QTest::newRow("empty name") << "sprite.name" << QJsonValue("");
    QTest::newRow("no sprite") << "sprite" << QJsonValue();
    QTest::newRow("two past the end") << "index" << QJsonValue(4);
    QTest::newRow("negative index") << "index" << QJsonValue(-1);
    QTest::newRow("open editor of no sprite") << "open" << QJsonValue(QJsonArray{0, 4});
    QTest::newRow("step out of order") << "step" << QJsonValue(4);
    QTest::newRow("no time") << "time" << QJsonValue("now");
    // clang-format on
}

// A line whose checksum holds but whose content the project file would refuse ends the
// replay like a torn line.
void TestRecoveryJournal::invalidStepEndsReplayThere() {
    QFETCH(QString, key);
    QFETCH(QJsonValue, value);
    const QByteArray twoSteps = edited_.bytes.first(edited_.LineStarts()[3]);
    SpriteRecord record;
    record.Name = "Next";
    const QJsonObject next = StepRecord(0, 3, 3, record, {3});
    QCOMPARE(ReadJournal(twoSteps + JournalLine(next)).steps, 3);
    const QJsonObject edited = Edited(next, key, value);
    const JournalRead read = ReadJournal(twoSteps + JournalLine(edited) + JournalLine(next));
    QVERIFY2(read.project, qPrintable(read.error));
    QCOMPARE(read.steps, 2);
    QVERIFY(read.damage.contains("Line 4 is refused"));
    QVERIFY(SameTables(read.project->table, edited_.states[2]));
}

void TestRecoveryJournal::garbageIsRefusedWhole_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    SpriteTable table;
    Apply(table, {kNew, "A", 8, 7, {0}});
    const QJsonObject base = BaseRecord(0, "Demo", {}, table);
    const QByteArray good = JournalLine(base);
    QByteArray random(4096, Qt::Uninitialized);
    QRandomGenerator(42).fillRange(reinterpret_cast<quint32*>(random.data()), random.size() / 4);
    QByteArray badChecksum = good;
    badChecksum[0] = badChecksum[0] == '0' ? '1' : '0';
    // clang-format off
    QTest::newRow("empty file") << QByteArray() << "empty";
    QTest::newRow("random bytes") << random << "first record";
    QTest::newRow("text") << QByteArray("hello\nworld\n") << "checksum";
    QTest::newRow("torn base record") << good.chopped(1) << "incomplete";
    QTest::newRow("bad checksum") << badChecksum << "checksum does not match";
    QTest::newRow("JSON array") << RowText(Crc32("[]")).toLatin1() + " []\n" << "not a JSON object";
    QTest::newRow("a step first") << JournalLine(StepRecord(0, 1, 0, table.Record(0), {}))
                                  << "not a Vellicor recovery journal";
    QTest::newRow("other format") << JournalLine(Edited(base, "format", "x")) << "not a Vellicor";
    QTest::newRow("newer version") << JournalLine(Edited(base, "version", 2)) << "newer version";
    QTest::newRow("no project name") << JournalLine(Edited(base, "name", "")) << "no name";
    QTest::newRow("no file name") << JournalLine(Edited(base, "file", QJsonValue())) << "file";
    QTest::newRow("sprite of size 7")
        << JournalLine(Edited(base, "sprites", QJsonArray{QJsonObject{{"name", "A"}, {"size", 7}}}))
        << "size";
    QTest::newRow("open editor of no sprite")
        << JournalLine(Edited(base, "open", QJsonArray{1})) << "open editor";
    // clang-format on
}

void TestRecoveryJournal::garbageIsRefusedWhole() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    const JournalRead read = ReadJournal(bytes);
    QVERIFY(!read.project);
    QVERIFY2(read.error.contains(reason), qPrintable(read.error));
}

void TestRecoveryJournal::writerRefusesWhatReplayWouldDrop() {
    SpriteTable table;
    Apply(table, {kNew, "A", 8, 0, {}});
    RecoveryJournal journal;
    SpriteRecord unnamed;
    QVERIFY(journal.AppendSprite(0, table.Record(0), {})); // not started
    QVERIFY(journal.Start(Path("refuse.journal"), "", {}, table));
    QVERIFY(journal.Start(QDir(Path("missing")).filePath("x.journal"), "P", {}, table));
    QVERIFY(!journal.IsStarted());
    QCOMPARE(journal.Start(Path("refuse.journal"), "P", {}, table), std::nullopt);
    QVERIFY(journal.AppendSprite(2, table.Record(0), {}));
    QVERIFY(journal.AppendSprite(-1, table.Record(0), {}));
    QVERIFY(journal.AppendSprite(1, unnamed, {}));
    QVERIFY(journal.AppendSprite(0, table.Record(0), {1}));
    QCOMPARE(journal.AppendSprite(1, table.Record(0), {1}), std::nullopt);
    const JournalRead read = ReadJournal(ReadAll(Path("refuse.journal")));
    QCOMPARE(read.steps, 1);
    QCOMPARE(read.damage, QString());
}

void TestRecoveryJournal::storeKnowsWhoOwnsEachJournal() {
    const QString folder = Path("store/recovery");
    RecoveryStore ours(folder);
    const QString claimed = ours.ClaimJournal();
    QVERIFY(!claimed.isEmpty());
    QCOMPARE(ours.ClaimJournal(), claimed);
    QCOMPARE(RecoveryJournal().Start(claimed, "Ours", {}, SpriteTable()), std::nullopt);
    // Journals left with no lock, the older one changed first.
    const QString older = folder + "/older.journal";
    const QString newer = folder + "/newer.journal";
    QCOMPARE(RecoveryJournal().Start(newer, "Newer", {}, SpriteTable()), std::nullopt);
    QCOMPARE(RecoveryJournal().Start(older, "Older", {}, SpriteTable()), std::nullopt);
    QFile touch(older);
    QVERIFY(touch.open(QIODevice::Append));
    QVERIFY(touch.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                              QFileDevice::FileModificationTime));
    touch.close();

    const QStringList orphans{older, newer};
    QCOMPARE(ours.OrphanedJournals(), orphans);
    QCOMPARE(RecoveryStore(folder).OrphanedJournals(), orphans); // ours is alive

    const QByteArray olderBytes = ReadAll(older);
    RecoveryStore::SetAside(older);
    RecoveryStore::SetAside(newer);
    QCOMPARE(ReadAll(older + ".damaged"), olderBytes);
    QVERIFY(QFile::exists(newer + ".damaged"));
    QCOMPARE(ours.OrphanedJournals(), QStringList());

    ours.Release();
    QVERIFY(!QFile::exists(claimed));
    QVERIFY(!QFile::exists(claimed + ".lock"));
    QCOMPARE(QDir(folder).entryList(QDir::Files),
             QStringList({"newer.journal.damaged", "older.journal.damaged"}));
}

void TestRecoveryJournal::journalOfAKilledProcessIsOrphaned() {
    const QString folder = Path("killed");
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {kHoldJournal, folder});
    while (!child.canReadLine() && child.waitForReadyRead(20'000)) {
    }
    const QString journal = QString::fromLocal8Bit(child.readLine()).trimmed();
    QVERIFY2(QFile::exists(journal), qPrintable(journal + child.readAllStandardError()));
    RecoveryStore store(folder);
    QCOMPARE(store.OrphanedJournals(), QStringList()); // its owner still runs

    child.kill(); // SIGKILL: no clean-up of any kind
    QVERIFY(child.waitForFinished());
    QCOMPARE(store.OrphanedJournals(), QStringList{journal});
    const JournalRead read = ReadJournal(ReadAll(journal));
    QVERIFY2(read.project, qPrintable(read.error));
    QCOMPARE(read.project->name, "Demo");
    QCOMPARE(read.steps, 1);
    QCOMPARE(read.project->table.Record(0).Name, "Held");

    RecoveryStore::Discard(journal);
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList());
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], kHoldJournal) == 0)
        return HoldJournal(QString::fromLocal8Bit(argv[2]));
    TestRecoveryJournal test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_recovery_journal.moc"
