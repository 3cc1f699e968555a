#include "journal/journal_records.h"
#include "model/colour_table.h"
#include "model/name_rules.h"
#include "project/json_bounds.h"
#include "project/plain_project_read.h"
#include "project/project_file.h"
#include "project/project_keys.h"
#include "project/sprite_json.h"
#include "support/awkward_names.h"

#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>

using namespace vellicor;

namespace {

// 32 rows in the file's form: `first`, 30 empty rows, `last`.
QByteArray Rows(const QByteArray& first, const QByteArray& last) {
    return "[\"" + first + "\"" + QByteArray(",\"00000000\"").repeated(30) + ",\"" + last + "\"]";
}

// A small valid document that the table below changes by text replacement.
QByteArray ValidDocument() {
    return R"({"format":"vellicor-project","version":1,"name":"P","sprites":[)"
           R"({"name":"S","size":8,"open":true,"dark":)" +
           Rows("C0000000", "00000000") + R"(,"light":)" + Rows("A0000000", "00000000") +
           R"(,"mask":)" + Rows("00000000", "01000000") + "}]}";
}

QByteArray Edited(const QByteArray& from, const QByteArray& to) {
    return from.isEmpty() ? to : ValidDocument().replace(from, to);
}

} // namespace

class TestProjectFile : public QObject {
    Q_OBJECT
  private slots:
    // Saved and opened again through the window in test_project_commands; here, what no save makes.
    void filesOnDisk() {
        QTemporaryDir dir;
        QVERIFY(!ReadProject(Edited("\"open\":true,", "")).project->table.Record(0).IsOpen);

        // A file that cannot be read gives the system's reason.
        QCOMPARE(LoadProjectFile(dir.filePath("none.vellicor")).error,
                 QString("No such file or directory"));
        QVERIFY(!LoadProjectFile(dir.path()).error.isEmpty()); // a folder
        // A file past the ceiling is refused, with the ceiling named.
        QFile huge(dir.filePath("huge.vellicor"));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(kMaxProjectFileBytes + 1));
        huge.close();
        QCOMPARE(LoadProjectFile(huge.fileName()).error,
                 QString("The file is too large to be a Vellicor project (over 256 MB)."));
    }

    void goldenBytes() {
        SpriteTable table;
        SpriteRecord& ball = table.Record(table.Append("Ball"));
        ball.Size = 8;
        ball.IsOpen = true;
        ball.SetBits(0, 0, *BitsForColour(kBlack));
        ball.SetBits(1, 0, *BitsForColour(kDarkGrey));
        ball.SetBits(2, 0, *BitsForColour(kLightGrey));
        ball.SetBits(7, 7, *BitsForColour(kTransparentCyan));
        ball.SetBits(31, 31, *BitsForColour(kBlack)); // hidden by the size, kept by the file
        const auto rows = [](const char* first, int at, const char* other) {
            QByteArray text = "[\n";
            for (int y = 0; y < 32; ++y)
                text += QByteArray("                \"") +
                        (y == 0    ? first
                         : y == at ? other
                                   : "00000000") +
                        (y < 31 ? "\",\n" : "\"\n");
            return text + "            ]";
        };
        QCOMPARE(ProjectFileBytes("Demo", table),
                 "{\n    \"format\": \"vellicor-project\",\n    \"name\": \"Demo\",\n"
                 "    \"sprites\": [\n        {\n            \"dark\": " +
                     rows("C0000000", 31, "00000001") +
                     ",\n            \"light\": " + rows("A0000000", 31, "00000001") +
                     ",\n            \"mask\": " + rows("00000000", 7, "01000000") +
                     ",\n            \"name\": \"Ball\",\n            \"open\": true,\n"
                     "            \"size\": 8\n        }\n    ],\n    \"version\": 1\n}\n");
        const QByteArray written = ProjectFileBytes("Demo", table);
        QVERIFY(ReadPlainProject(written, written.size())); // what it writes, it reads fast
        QCOMPARE(ProjectFileBytes("Empty", SpriteTable()),
                 "{\n    \"format\": \"vellicor-project\",\n    \"name\": \"Empty\",\n"
                 "    \"sprites\": [\n    ],\n    \"version\": 1\n}\n");
        // A chosen style is one more key, in the sorted place QJsonDocument gave it; plain is
        // never written, so files that never chose read as before.
        const QByteArray styled = ProjectFileBytes("Demo", table, HeaderStyle::CDeclarations);
        QCOMPARE(styled, QByteArray(written).insert(written.indexOf("    \"name\""),
                                                    "    \"headerStyle\": \"c\",\n"));
        QCOMPARE(ReadPlainProject(styled, styled.size())->headerStyle, HeaderStyle::CDeclarations);
        QCOMPARE(ReadBoundedProject(styled).project->headerStyle, HeaderStyle::CDeclarations);
        QCOMPARE(ReadProject(written).project->headerStyle, HeaderStyle::Plain);
    }

    // Byte for byte what QJsonDocument writes, whatever the names hold: the project file indented,
    // the journal's base record compact.
    void writtenAsQtWrites() {
        QStringList names = kAwkwardSpriteNames;
        names << "\x01\x1f\x7f\b\f\n\r\t/"
              << "\U0001F600\uFFFE" << QString(QChar(0xDC00))
              << QString(QChar(0xD800)) + QChar(0xD800) + QChar(0xDFFF) + "a" + QChar(0xDBFF);
        SpriteTable table;
        QJsonArray sprites, journalSprites, open;
        for (const QString& name : names) {
            SpriteRecord& record = table.Record(table.Append(name.toStdString()));
            record.Size = std::array<std::int16_t, 4>{0, 8, 16, 32}[table.SpriteCount() % 4];
            record.IsOpen = table.SpriteCount() % 2;
            record.PlaneMask.SetFullRow(table.SpriteCount(), 0x9E3779B9U * table.SpriteCount());
            QJsonObject sprite = SpriteJson(record);
            journalSprites.append(sprite);
            sprite.insert("open", record.IsOpen);
            sprites.append(sprite);
            if (record.IsOpen)
                open.append(table.SpriteCount() - 1);
        }
        const qint64 time = 1'800'000'000'123;
        QJsonObject project{{"format", "vellicor-project"}, {"version", 1}, {"sprites", sprites}};
        QJsonObject journal{
            {"format", "vellicor-journal"}, {"time", time}, {"version", kJournalVersion}};
        journal["sprites"] = journalSprites;
        journal["open"] = open;
        for (const QString& name : names) {
            project["name"] = journal["name"] = journal["file"] = name;
            QCOMPARE(ProjectFileBytes(name, table), QJsonDocument(project).toJson());
            QCOMPARE(BaseRecord(time, name, name, table).json,
                     QJsonDocument(journal).toJson(QJsonDocument::Compact));
        }
    }

    void documents_data() {
        QTest::addColumn<QByteArray>("from"); // empty: replace the whole document
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("reason"); // empty: accepted
        QByteArray tooMany = R"({"format":"vellicor-project","version":1,"name":"P","sprites":[0)";
        tooMany += QByteArray(",0").repeated(SpriteTable::kMaxSprites) + "]}";
        const QByteArray longName = "\"name\":\"" + QByteArray(kMaxNameLength + 1, 'N') + '"';
        const QByteArray hugeName = "\"name\":\"" + QByteArray(100'000, 'N') + '"';
        // Within the budget of 41 sprites, but not of the none before them.
        const QByteArray sprite =
            ValidDocument().sliced(ValidDocument().indexOf("{\"name\":\"S")).chopped(2);
        const QByteArray latePadding =
            "\"sprites\":" + QByteArray(2'200'000, ' ') + '[' + (sprite + ',').repeated(40);
        const QByteArray unknownMegabytes =
            "\"tags\":[" + QByteArray("1,").repeated(600'000) + "1],\"open\"";
        // clang-format off
        QTest::newRow("name too long") << QByteArray("\"name\":\"P\"") << longName << "\"name\" is longer than 1024 characters.";
        QTest::newRow("sprite name huge") << QByteArray("\"name\":\"S\"") << hugeName << "Sprite 1: \"name\" is longer than 1024 characters.";
        QTest::newRow("paragraph separator") << QByteArray("\"name\":\"P\"") << QByteArray("\"name\":\"P\u2029Q\"") << "\"name\" contains a control character or a line break.";
        QTest::newRow("non-character") << QByteArray("\"name\":\"P\"") << QByteArray("\"name\":\"P\uFDD0\"") << "\"name\" contains a character that is not text.";
        QTest::newRow("unknown megabytes") << QByteArray("\"open\"") << unknownMegabytes << "It holds over 1 MB that is no part of a Vellicor file.";
        QTest::newRow("nested deep") << QByteArray("\"open\"") << QByteArray("\"tags\":[[[[[[]]]]]],\"open\"") << "It is nested deeper than any Vellicor file (over 8 levels).";
        QTest::newRow("padded") << QByteArray("\"version\"") << QByteArray(3'000'000, ' ') + "\"version\"" << "It holds far more data than the sprites in it need.";
        QTest::newRow("version 1.0") << QByteArray("\"version\":1") << QByteArray("\"version\":1.0") << "";
        QTest::newRow("size 8e0") << QByteArray("\"size\":8") << QByteArray("\"size\":8e0") << "";
        QTest::newRow("escaped key") << QByteArray("\"name\":\"P\"") << QByteArray("\"n\\u0061me\":\"P\"") << "";
        QTest::newRow("last key counts") << QByteArray("\"size\":8") << QByteArray("\"size\":12,\"size\":8") << "";
        QTest::newRow("byte order mark") << QByteArray() << "\xEF\xBB\xBF" + ValidDocument() << "";
        QTest::newRow("escaped name") << QByteArray("\"name\":\"P\"") << QByteArray("\"name\":\"\\u0050\\\"\\u00dc\\ud83d\\ude00\"") << "";
        QTest::newRow("blanks after") << QByteArray("}]}") << QByteArray("}]}\r\n\t ") << "";
        QTest::newRow("text after") << QByteArray("}]}") << QByteArray("}]}}") << "It is not valid JSON: garbage at the end of the document";
        QTest::newRow("padded before sprites") << QByteArray("\"sprites\":[") << latePadding << "It holds far more data than the sprites in it need.";
        QTest::newRow("padded at the end") << QByteArray("}]}") << "}]}" + QByteArray(3'000'000, ' ') << "It holds far more data than the sprites in it need.";
        QTest::newRow("lower-case hex") << QByteArray("\"C0000000\"") << QByteArray("\"c0000000\"") << "";
        QTest::newRow("unknown keys") << QByteArray("\"open\"") << QByteArray("\"tags\":{\"a\":[1,null]},\"open\"") << "";
        QTest::newRow("not JSON") << QByteArray("\"version\":1,") << QByteArray("\"version\":1") << "It is not valid JSON: unterminated object at byte 41.";
        QTest::newRow("an array") << QByteArray() << QByteArray("[]") << "It is not a Vellicor project: the document is not a JSON object.";
        QTest::newRow("version 1.5") << QByteArray("\"version\":1") << QByteArray("\"version\":1.5") << "\"version\" is not a whole number.";
        QTest::newRow("empty name") << QByteArray("\"name\":\"P\"") << QByteArray("\"name\":\"\"") << "\"name\" is empty.";
        QTest::newRow("name line break") << QByteArray("\"name\":\"P\"") << QByteArray("\"name\":\"P\\r\\nQ\"") << "\"name\" contains a control character or a line break.";
        QTest::newRow("no sprites") << QByteArray("\"sprites\"") << QByteArray("\"sprite\"") << "\"sprites\" is missing.";
        QTest::newRow("style c") << QByteArray("\"version\"") << QByteArray("\"headerStyle\":\"c\",\"version\"") << "";
        QTest::newRow("style plain") << QByteArray("\"version\"") << QByteArray("\"headerStyle\":\"plain\",\"version\"") << "";
        QTest::newRow("style twice") << QByteArray("\"version\"") << QByteArray("\"headerStyle\":\"c\",\"headerStyle\":\"plain\",\"version\"") << "";
        QTest::newRow("style unknown") << QByteArray("\"version\"") << QByteArray("\"headerStyle\":\"C\",\"version\"") << "\"headerStyle\" is not \"plain\" or \"c\".";
        QTest::newRow("style number") << QByteArray("\"version\"") << QByteArray("\"headerStyle\":1,\"version\"") << "\"headerStyle\" is not \"plain\" or \"c\".";
        QTest::newRow("too many sprites") << QByteArray() << tooMany << "The project has 32768 sprites; at most 32767 fit.";
        QTest::newRow("sprite a number") << QByteArray("\"sprites\":[") << QByteArray("\"sprites\":[7,") << "Sprite 1: it is not a JSON object.";
        QTest::newRow("second sprite") << QByteArray("}]}") << QByteArray("},{\"name\":\"T\"}]}") << "Sprite 2: \"size\" is missing.";
        QTest::newRow("lone surrogate") << QByteArray("\"name\":\"S\"") << QByteArray("\"name\":\"S\\ud800\"") << "Sprite 1: \"name\" is not valid Unicode text.";
        QTest::newRow("size 12") << QByteArray("\"size\":8") << QByteArray("\"size\":12") << "Sprite 1: \"size\" is not 0, 8, 16 or 32.";
        QTest::newRow("open text") << QByteArray("\"open\":true") << QByteArray("\"open\":\"yes\"") << "Sprite 1: \"open\" is not true or false.";
        QTest::newRow("no dark") << QByteArray("\"dark\"") << QByteArray("\"dork\"") << "Sprite 1: \"dark\" is missing.";
        QTest::newRow("33 rows") << QByteArray("\"A0000000\",") << QByteArray("\"A0000000\",\"A0000000\",") << "Sprite 1: \"light\" has 33 rows instead of 32.";
        QTest::newRow("7 digits") << QByteArray("\"C0000000\"") << QByteArray("\"C000000\"") << "Sprite 1: \"dark\" row 1 is not 8 hex digits.";
        QTest::newRow("last mask row") << QByteArray("\"01000000\"") << QByteArray("\"0100000 \"") << "Sprite 1: \"mask\" row 32 is not 8 hex digits.";
        // clang-format on
    }

    void documents() {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, reason);
        const QByteArray document = Edited(from, to);
        const ProjectRead read = ReadProject(document);
        // The plain reader takes a document only as JsonBounds and Qt's parser read it; a file
        // reads as its bytes do.
        const auto same = [](const Project& a, const Project& b) {
            return ProjectFileBytes(a.name, a.table, a.headerStyle) ==
                   ProjectFileBytes(b.name, b.table, b.headerStyle);
        };
        if (const auto plain = ReadPlainProject(document, 0)) {
            QVERIFY(!JsonBounds(project_keys::kAllKeys).Feed(document));
            const ProjectRead full = ReadBoundedProject(document);
            QVERIFY(full.project && same(*plain, *full.project));
        }
        QTemporaryDir dir;
        QFile file(dir.filePath("p.vellicor"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(document) == document.size());
        file.close();
        const ProjectRead loaded = LoadProjectFile(file.fileName());
        QCOMPARE(loaded.error, read.error);
        QVERIFY(!read.project || same(*loaded.project, *read.project));
        if (reason.isEmpty()) {
            QVERIFY2(read.project, qPrintable(read.error));
            QCOMPARE(ProjectFileBytes("P", read.project->table),
                     ProjectFileBytes("P", ReadProject(ValidDocument()).project->table));
        } else {
            QVERIFY(!read.project);
            QVERIFY2(read.error.startsWith(reason), qPrintable(read.error));
        }
    }
};

QTEST_APPLESS_MAIN(TestProjectFile)
#include "test_project_file.moc"
