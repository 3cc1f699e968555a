#include "document/journal_keeper.h"
#include "document/project_document.h"
#include "journal/journal_line.h"
#include "journal/journal_records.h"
#include "journal/recovery_journal.h"
#include "journal/recovery_store.h"
#include "model/colour_table.h"
#include "project/project_file.h"
#include "project/row_hex.h"
#include "support/read_all.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonDocument>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <sys/resource.h>

using namespace vellicor;

namespace {

constexpr auto kHoldJournal = "--hold-journal";
constexpr int kNew = -1;    // the step adds a sprite
constexpr int kNewTwo = -2; // the step adds two sprites at once, as an import does
constexpr int kKeep = -3;   // the step keeps the first `size` sprites, as undo leaves them

// One completed step as the editor would make it: a sprite added or changed, then the
// editors that are open afterwards.
struct Step {
    int index = kNew;
    QString name;     // empty: unchanged
    int size = -1;    // -1: unchanged
    quint32 seed = 0; // non-zero: paint pixels all over the 32 x 32 planes
    std::vector<int> open;
};

int Apply(SpriteTable& table, const Step& step) {
    const int index = step.index < 0 ? table.SpriteCount() : step.index;
    if (step.index == kKeep)
        table.TakeFrom(step.size);
    for (int n = 0; n < (step.index == kNewTwo ? 2 : 1) && step.index != kKeep; ++n) {
        SpriteRecord& record = table.Record(step.index < 0 ? table.Append({}) : index);
        if (!step.name.isEmpty())
            record.Name = step.name.toStdString();
        if (step.size >= 0)
            record.Size = static_cast<std::int16_t>(step.size);
        QRandomGenerator random(step.seed + n);
        for (int i = 0; step.seed != 0 && i < 200; ++i)
            record.SetBits(random.bounded(kPlaneSide), random.bounded(kPlaneSide),
                           *BitsForColour(kPaletteColours[random.bounded(5)]));
    }
    for (int i = 0; i < table.SpriteCount(); ++i)
        table.Record(i).IsOpen =
            std::find(step.open.begin(), step.open.end(), i) != step.open.end();
    return index;
}

// Everything a recovered table must match: names, sizes, open editors, all 32 x 32 pixels.
bool SameTables(const SpriteTable& a, const SpriteTable& b) {
    return ProjectFileBytes("P", a) == ProjectFileBytes("P", b);
}

// Sprites of an opened project, then steps of every kind: repaints, new sprites with odd
// names, size changes that hide and show pixels again, editors opening and closing, an
// import of two sprites and an undo that takes sprites out.
const QString kFile = "/home/u/Demo ✓.vellicor";
const Step kOpenedProject[] = {{kNew, "Ball", 8, 1, {0}}, {kNew, "Ölfass ✓ 精灵", 32, 2, {0}}};
const Step kEditing[] = {{0, {}, -1, 11, {0}},
                         {kNew, "say \"hi\" \\ / 木", -1, 0, {0, 2}},
                         {2, {}, 16, 0, {0, 2}},
                         {2, {}, -1, 12, {0, 2}},
                         {1, {}, 8, 0, {0, 1, 2}},
                         {kNew, "Rock", -1, 0, {3}},
                         {1, {}, 32, 13, {3, 1}},
                         {0, "Ball", -1, 14, {2}},
                         {kNewTwo, "Pair", 16, 15, {2, 5}},
                         {kKeep, {}, 5, 0, {2}},
                         {kNew, "Last", 8, 16, {2, 5}}};

// A journal line around `json`, its checksum right whatever the JSON says.
QByteArray Line(const QByteArray& json) {
    return RowText(Crc32(json)).toLatin1() + ' ' + json + '\n';
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
    // Gone by itself only should the test die first.
    QTimer::singleShot(60'000, QCoreApplication::instance(), &QCoreApplication::quit);
    return QCoreApplication::exec();
}

} // namespace

class TestRecoveryJournal : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        const QString path = Path("edited.journal");
        RecoveryJournal journal;
        // A journal started again is replaced whole: nothing of the first project survives.
        QCOMPARE(journal.Start(path, "Old", {}, SpriteTable()), std::nullopt);
        SpriteTable table;
        for (const Step& step : kOpenedProject)
            Apply(table, step);
        QCOMPARE(journal.Start(path, "Demo", kFile, table), std::nullopt);
        states_.push_back(table);
        for (const Step& step : kEditing) {
            const int index = Apply(table, step);
            lastStepFrom_ = QDateTime::currentMSecsSinceEpoch();
            QCOMPARE(step.index == kNewTwo
                         ? journal.AppendSprites(index, table.Sprites().subspan(index), step.open)
                     : step.index == kKeep
                         ? journal.KeepSprites(step.size, step.open)
                         : journal.AppendSprite(index, table.Record(index), step.open),
                     std::nullopt);
            lastStepTo_ = QDateTime::currentMSecsSinceEpoch();
            states_.push_back(table);
        }
        bytes_ = ReadAll(path);
        for (qsizetype i = 0; i < bytes_.size(); ++i)
            if (bytes_[i] == '\n')
                starts_.append(i + 1);
    }

    void wholeJournal() {
        QCOMPARE(Crc32("123456789"), 0xCBF43926U); // the check value of zlib's CRC-32
        const JournalRead read = ReadJournal(bytes_);
        QVERIFY2(read.project, qPrintable(read.error));
        QCOMPARE(read.steps, static_cast<int>(std::size(kEditing)));
        QCOMPARE(read.damage, QString());
        QVERIFY(SameTables(read.project->table, states_.back()));
        QCOMPARE(read.project->name, "Demo");
        QCOMPARE(read.project->filePath, kFile);
        const qint64 lastChange = read.project->lastChange.toMSecsSinceEpoch();
        QVERIFY(lastChange >= lastStepFrom_ && lastChange <= lastStepTo_);
        // Journals of the version before renames and rearrangements still read.
        const QByteArray base = bytes_.sliced(9, starts_[1] - 10);
        QVERIFY(
            ReadJournal(Line(QByteArray(base).replace("\"version\":2", "\"version\":1"))).project);
        QCOMPARE(read.project->headerStyle, HeaderStyle::Plain); // a journal without a style
        const QByteArray styled =
            BaseRecord(0, "Demo", {}, SpriteTable(), HeaderStyle::CDeclarations).json;
        QVERIFY(styled.contains("\"format\":\"vellicor-journal\",\"headerStyle\":\"c\",\"name\""));
        QCOMPARE(ReadJournal(Line(styled)).project->headerStyle, HeaderStyle::CDeclarations);
    }

    // A crash may stop a write at any byte, and a disk may change one: either way every step before
    // the damaged record comes back, or, in the base record, nothing at all.
    void cutOrFlippedAtEveryByte() {
        for (const int record : {0, 1}) {
            for (qsizetype at = starts_[record]; at < starts_[record + 1]; ++at) {
                QByteArray flipped = bytes_;
                flipped[at] = static_cast<char>(flipped[at] ^ 0x01);
                for (const QByteArray& bytes : {bytes_.first(at), flipped}) {
                    const JournalRead read = ReadJournal(bytes);
                    QCOMPARE(read.error.isEmpty(), record > 0);
                    if (record == 0)
                        continue;
                    QCOMPARE(read.steps, record - 1);
                    QCOMPARE(read.damage.isEmpty(), bytes.size() == starts_[record]);
                    QVERIFY(SameTables(read.project->table, states_[record - 1]));
                }
            }
        }
    }

    void refusedRecords_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("steps"); // replayed before the refused record; -1: refused whole
        QTest::addColumn<QString>("reason");
        SpriteTable table;
        Apply(table, {kNew, "A", 8, 7, {0}});
        const QByteArray base = BaseRecord(0, "Demo", {}, table).json;
        const auto garbage = [](const char* name, const QByteArray& bytes, const char* reason) {
            QTest::newRow(name) << bytes << -1 << QString(reason);
        };
        garbage("empty file", {}, "empty");
        garbage("torn base record", Line(base).chopped(1), "incomplete");
        garbage("bad checksum", RowText(Crc32(base) ^ 1U).toLatin1() + ' ' + base + '\n',
                "checksum does not match");
        garbage("unknown style",
                Line(QByteArray(base).replace("\"name\"", "\"headerStyle\":\"x\",\"name\"")),
                "unknown header style");
        garbage("newer version", Line(QByteArray(base).replace("\"version\":2", "\"version\":3")),
                "newer version");
        garbage("name with a line separator",
                Line(QByteArray(base).replace("\"name\":\"Demo\"", "\"name\":\"De\u2028mo\"")),
                "the project's name contains a control character or a line break");
        garbage("unknown megabytes",
                Line(QByteArray(base).replace(
                    "\"time\"", "\"x\":[" + QByteArray("1,").repeated(600'000) + "1],\"time\"")),
                "it holds over 1 MB that is no part of a Vellicor file");

        // A third step whose checksum holds but whose content the project file would refuse ends
        // the replay like a torn line, even when the same step follows intact.
        const QByteArray third = bytes_.sliced(starts_[3] + 9, starts_[4] - starts_[3] - 10);
        const auto step = [&](const char* name, const char* from, const char* to) {
            QTest::newRow(name) << bytes_.first(starts_[3]) +
                                       Line(QByteArray(third).replace(from, to)) + Line(third)
                                << 2 << QString("Line 4 is refused");
        };
        step("size 12", "\"size\":16", "\"size\":12");
        step("not hex", "\"mask\":[\"00000000\"", "\"mask\":[\"0000000G\"");
        step("two past the end", "\"index\":2", "\"index\":4");
        step("open editor of no sprite", "\"open\":[0,2]", "\"open\":[0,4]");
        step("step out of order", "\"step\":3", "\"step\":4");
        step("sprite name too long", "\"name\":\"", qPrintable("\"name\":\"" + QString(1025, 'n')));
        // The step that keeps the first five sprites, asked to keep more than there are.
        const QByteArray keep = bytes_.sliced(starts_[10] + 9, starts_[11] - starts_[10] - 10);
        QTest::newRow("keeps sprites that do not exist")
            << bytes_.first(starts_[10]) +
                   Line(QByteArray(keep).replace("\"count\":5", "\"count\":7"))
            << 9 << QString("Line 11 is refused: it keeps sprites that do not exist");
        // After the last step: records that rename the project or rearrange its six sprites as
        // no project could be, and a torn one.
        const QByteArray next = R"({"step":12,"time":1,)";
        const QString refused = "Line 13 is refused: ";
        const QString nowhere = refused + "its order names a sprite that does not exist";
        // clang-format off
        QTest::newRow("order names a sprite twice") << bytes_ + Line(next + R"("order":[0,[0,5]],"open":[]})") << 11 << refused + "its order names a sprite twice";
        QTest::newRow("order past the last sprite") << bytes_ + Line(next + R"("order":[[0,6]],"open":[]})") << 11 << nowhere;
        QTest::newRow("order range backwards") << bytes_ + Line(next + R"("order":[[3,1]],"open":[]})") << 11 << nowhere;
        QTest::newRow("order range of three") << bytes_ + Line(next + R"("order":[[0,1,2]],"open":[]})") << 11 << nowhere;
        QTest::newRow("order not a list") << bytes_ + Line(next + R"("order":5,"open":[]})") << 11 << refused + "its order is not a list";
        QTest::newRow("order of a nameless sprite") << bytes_ + Line(next + R"("order":[{"size":8}],"open":[]})") << 11 << refused + "a sprite's name is empty";
        QTest::newRow("open editor past the order") << bytes_ + Line(next + R"("order":[1,0],"open":[2]})") << 11 << refused + "an open editor names no sprite";
        QTest::newRow("project name breaks lines") << bytes_ + Line(next + R"("name":"A\u2028B","open":[]})") << 11 << refused + "the project's name contains";
        QTest::newRow("torn order") << bytes_ + Line(next + R"("order":[[0,5]],"open":[]})").chopped(1) << 11 << QString("Line 13 is incomplete");
        // clang-format on
    }

    void refusedRecords() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, steps);
        QFETCH(QString, reason);
        const JournalRead read = ReadJournal(bytes);
        QCOMPARE(read.project.has_value(), steps >= 0);
        QVERIFY2((steps < 0 ? read.error : read.damage).contains(reason),
                 qPrintable(read.error + read.damage));
        if (steps >= 0) {
            QCOMPARE(read.steps, steps);
            QVERIFY(SameTables(read.project->table, states_[steps]));
        }
    }

    // A journal belongs to the process holding its lock; only journals whose owner is gone are
    // offered, oldest change first.
    void journalsOfKilledProcessesAreOffered() {
        const QString folder = Path("recovery");
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {kHoldJournal, folder});
        while (!child.canReadLine() && child.waitForReadyRead(20'000)) {
        }
        const QString held = QString::fromLocal8Bit(child.readLine()).trimmed();
        QVERIFY2(QFile::exists(held), qPrintable(held + child.readAllStandardError()));
        RecoveryStore ours(folder);
        const QString claimed = ours.ClaimJournal();
        QVERIFY(!claimed.isEmpty() && claimed != held);
        QCOMPARE(ours.ClaimJournal(), claimed);
        QCOMPARE(RecoveryJournal().Start(claimed, "Ours", {}, SpriteTable()), std::nullopt);
        const QString older = folder + "/older.journal"; // no lock at all
        QCOMPARE(RecoveryJournal().Start(older, "Older", {}, SpriteTable()), std::nullopt);
        QFile touch(older);
        QVERIFY(touch.open(QIODevice::Append) &&
                touch.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                                  QFileDevice::FileModificationTime));
        QCOMPARE(ours.OrphanedJournals(), QStringList{older});

        child.kill(); // SIGKILL: no clean-up of any kind
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitStatus(), QProcess::CrashExit); // it was still running until then
        const QStringList orphans{older, held};
        QCOMPARE(ours.OrphanedJournals(), orphans);
        QCOMPARE(RecoveryStore(folder).OrphanedJournals(), orphans); // ours is alive
        QCOMPARE(ReadJournal(ReadAll(held)).steps, 1);               // all it wrote before the kill

        RecoveryStore::Discard(held);
        ours.Release();
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"older.journal"});
    }

    // A step the disk refused leaves the journal behind the project; the next step starts it afresh
    // from the whole project, so that a crash recovers what is on screen.
    void keeperStartsAfreshAfterAFailedStep() {
        const QString folder = Path("keeper");
        ProjectDocument document;
        JournalKeeper keeper(document, folder);
        QStringList failures;
        connect(&keeper, &JournalKeeper::Failed,
                [&](const QString& reason) { failures << reason; });
        document.StartProject("Demo");
        document.AppendSprite("A");
        const QStringList journals = QDir(folder).entryList({"*.journal"});
        QCOMPARE(journals.size(), 1);
        const QString journal = QDir(folder).filePath(journals[0]);

        // The disk takes nothing more while three sprites come in at once.
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit unlimited{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &unlimited), 0);
        rlimit full = unlimited;
        full.rlim_cur = static_cast<rlim_t>(QFileInfo(journal).size());
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &full), 0);
        document.AddSprites(std::vector<SpriteRecord>(3, document.Record(0)), "Import Header");
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &unlimited), 0);
        std::signal(SIGXFSZ, previousHandler);
        QCOMPARE(failures, QStringList{"File too large"});

        document.SetPixel(3, 0, 0, *BitsForColour(kBlack));
        const JournalRead read = ReadJournal(ReadAll(journal));
        QVERIFY2(read.project, qPrintable(read.error));
        QVERIFY(SameTables(read.project->table, document.Table()));
    }

  private:
    QTemporaryDir dir_;
    QString Path(const QString& name) const { return dir_.filePath(name); }
    // The journal of the opened project after every kind of step, the state after its base
    // record (states_[0]) and after each step k (states_[k]), and where its lines start.
    QByteArray bytes_;
    std::vector<SpriteTable> states_;
    QList<qsizetype> starts_{0};
    qint64 lastStepFrom_ = 0;
    qint64 lastStepTo_ = 0;
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], kHoldJournal) == 0)
        return HoldJournal(QString::fromLocal8Bit(argv[2]));
    TestRecoveryJournal test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_recovery_journal.moc"
