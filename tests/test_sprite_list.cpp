// Rename, delete, duplicate and move through the document, with undo and redo: identities and
// histories following their sprites, and what the journal, the project file and header make of it.
#include "document/journal_keeper.h"
#include "document/project_document.h"
#include "export/header_text.h"
#include "journal/recovery_journal.h"
#include "model/colour_table.h"
#include "model/name_rules.h"
#include "project/project_file.h"
#include "support/read_all.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace vellicor;

namespace {

const PlaneBits kInk = *BitsForColour(kBlack);

// A to E, each with a size and a pixel of its own; B's window is open.
SpriteTable FiveSprites() {
    SpriteTable table;
    for (int i = 0; i < 5; ++i) {
        SpriteRecord& record = table.Record(table.Append(std::string(1, char('A' + i))));
        record.Size = static_cast<std::int16_t>(8 << (i % 3));
        record.SetBits(i, 2 * i, kInk);
    }
    table.Record(1).IsOpen = true;
    return table;
}

QStringList Names(const SpriteTable& table) {
    QStringList names;
    for (const SpriteRecord& record : table.Sprites())
        names << QString::fromStdString(record.Name);
    return names;
}

std::vector<SpriteId> Ids(const ProjectDocument& document) {
    std::vector<SpriteId> ids;
    for (int i = 0; i < document.Table().SpriteCount(); ++i)
        ids.push_back(document.IdOf(i));
    return ids;
}

// What a crash now brings back, as a project file, and after how many steps (0: started afresh).
std::pair<QByteArray, int> Recovered(JournalKeeper& keeper) {
    const JournalRead read = LoadJournalFile(keeper.Store().ClaimedJournal());
    return {read.project ? ProjectFileBytes(read.project->name, read.project->table)
                         : read.error.toUtf8(),
            read.steps};
}

QByteArray Bytes(const ProjectDocument& document) {
    return ProjectFileBytes(document.Name(), document.Table());
}

} // namespace

class TestSpriteList : public QObject {
    Q_OBJECT
  private slots:
    void commands_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QList<int>>("indexes"); // the sprites, or the new order
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("after");  // the names afterwards
        QTest::addColumn<QList<int>>("sources"); // where each came from; -1: a copy
        // clang-format off
        QTest::newRow("rename") << "rename" << QList{1} << "Bee" << QStringList{"A", "Bee", "C", "D", "E"} << QList{0, 1, 2, 3, 4};
        QTest::newRow("rename the project") << "rename" << QList<int>{} << "Game" << QStringList{"A", "B", "C", "D", "E"} << QList{0, 1, 2, 3, 4};
        QTest::newRow("delete") << "delete" << QList{1} << "" << QStringList{"A", "C", "D", "E"} << QList{0, 2, 3, 4};
        QTest::newRow("delete several") << "delete" << QList{4, 0, 4, 9} << "" << QStringList{"B", "C", "D"} << QList{1, 2, 3};
        QTest::newRow("delete all") << "delete" << QList{0, 1, 2, 3, 4} << "" << QStringList{} << QList<int>{};
        QTest::newRow("duplicate") << "duplicate" << QList{3} << "" << QStringList{"A", "B", "C", "D", "D2", "E"} << QList{0, 1, 2, 3, -1, 4};
        QTest::newRow("duplicate several") << "duplicate" << QList{4, 0} << "" << QStringList{"A", "A2", "B", "C", "D", "E", "E2"} << QList{0, -1, 1, 2, 3, 4, -1};
        QTest::newRow("move to the top") << "move" << QList{3, 0, 1, 2, 4} << "" << QStringList{"D", "A", "B", "C", "E"} << QList{3, 0, 1, 2, 4};
        QTest::newRow("move several") << "move" << QList{1, 3, 0, 2, 4} << "" << QStringList{"B", "D", "A", "C", "E"} << QList{1, 3, 0, 2, 4};
        // clang-format on
    }

    void commands() {
        QFETCH(QString, command);
        QFETCH(QList<int>, indexes);
        QFETCH(QString, name);
        QFETCH(QStringList, after);
        QFETCH(QList<int>, sources);
        QTemporaryDir dir;
        ProjectDocument document;
        JournalKeeper keeper(document, dir.filePath("recovery"));
        const SpriteTable before = FiveSprites();
        document.ReplaceProject("Demo", before, dir.filePath("Demo.vellicor"));
        // D is painted first, so the journal is under way and the command is a record of its own.
        document.SetPixel(3, 31, 31, kInk);
        const SpriteId d = document.IdOf(3);
        QUndoStack* dHistory = document.History(3);
        const QByteArray painted = Bytes(document);
        const std::vector<SpriteId> idsBefore = Ids(document);
        QSignalSpy rearranged(&document, &ProjectDocument::SpritesRearranged);
        QSignalSpy renamed(&document, &ProjectDocument::SpriteRenamed);
        QSignalSpy projectRenamed(&document, &ProjectDocument::ProjectRenamed);

        const std::vector<int> given(indexes.begin(), indexes.end());
        if (command == "rename" && given.empty())
            document.RenameProject(name);
        else if (command == "rename")
            document.RenameSprite(given[0], name);
        else if (command == "delete")
            document.DeleteSprites(given);
        else if (command == "move")
            document.MoveSprites(given);
        else {
            std::vector<int> copies;
            for (int i = 0; i < sources.size(); ++i)
                if (sources[i] < 0)
                    copies.push_back(i);
            QCOMPARE(document.DuplicateSprites(given), copies);
        }
        QUndoStack* project = document.ProjectHistory();

        // The table afterwards: each sprite as it was, copies named anew and closed.
        SpriteTable expected;
        for (int i = 0; i < after.size(); ++i) {
            const int from = sources[i] >= 0 ? sources[i] : sources[i - 1];
            SpriteRecord record = before.Record(from);
            if (from == 3)
                record.SetBits(31, 31, kInk);
            record.Name = after[i].toStdString();
            record.IsOpen = record.IsOpen && sources[i] >= 0;
            expected.AppendRecord(std::move(record));
        }
        const QByteArray edited = ProjectFileBytes(name == "Game" ? "Game" : "Demo", expected);
        QCOMPARE(Names(document.Table()), after);
        QCOMPARE(Bytes(document), edited);
        QCOMPARE(HeaderText(document.Table()), HeaderText(expected));
        QCOMPARE(project->undoText(), command.front().toUpper() + command.mid(1));
        QCOMPARE(Recovered(keeper), std::pair(edited, 1));
        const std::vector<SpriteId> idsAfter = Ids(document);
        QCOMPARE(renamed.count(), name == "Bee" ? 1 : 0);
        QCOMPARE(projectRenamed.count(), name == "Game" ? 1 : 0);

        project->undo();
        QCOMPARE(Bytes(document), painted);
        QVERIFY(Ids(document) == idsBefore);
        QCOMPARE(Recovered(keeper), std::pair(painted, 2));
        // Listeners can follow each sprite by the old indexes they are told, both ways.
        QCOMPARE(rearranged.count(), command == "rename" ? 0 : 2);
        if (command != "rename") {
            QCOMPARE(rearranged.at(0).at(0).value<std::vector<int>>(),
                     std::vector<int>(sources.begin(), sources.end()));
            const auto back = rearranged.at(1).at(0).value<std::vector<int>>();
            QCOMPARE(back.size(), std::size_t{5});
            for (std::size_t i = 0; i < back.size(); ++i)
                QCOMPARE(back[i] < 0 ? QString(char('A' + i)) : after[back[i]], Names(before)[i]);
        }
        project->redo();
        QCOMPARE(Bytes(document), edited);
        QVERIFY(Ids(document) == idsAfter); // the same copies again
        QCOMPARE(Recovered(keeper), std::pair(edited, 3));

        // What the project file holds after the edits reads back as the same project.
        const QString file = dir.filePath("Edited.vellicor");
        QCOMPARE(SaveProjectFile(file, document.Name(), document.Table()), std::nullopt);
        QCOMPARE(ReadAll(file), edited);
        const ProjectRead read = LoadProjectFile(file);
        QVERIFY2(read.project, qPrintable(read.error));
        QCOMPARE(ProjectFileBytes(read.project->name, read.project->table), edited);

        // D's history went where D went: undo in it takes back its paint there.
        const std::optional<int> dNow = document.IndexOf(d);
        QCOMPARE(dNow.has_value(), after.contains("D"));
        if (!dNow)
            return;
        QCOMPARE(document.History(*dNow), dHistory);
        dHistory->undo();
        QCOMPARE(document.Record(*dNow).Bits(31, 31), PlaneBits{});
        QCOMPARE(document.Record(*dNow).Bits(3, 6), kInk);
    }

    // A command that would change nothing is no step: nothing to undo, nothing to save.
    void unchangedIsNoStep() {
        ProjectDocument document;
        document.ReplaceProject("Demo", FiveSprites(), {});
        QSignalSpy rearranged(&document, &ProjectDocument::SpritesRearranged);
        document.RenameSprite(2, "C");
        document.RenameSprite(5, "F");
        document.RenameSprite(0, "A\nB");
        document.RenameProject("Demo");
        document.DeleteSprites({5, -1});
        document.DuplicateSprites({});
        document.MoveSprites({0, 1, 2, 3, 4});
        document.MoveSprites({0, 1, 2, 3, 3});
        document.MoveSprites({1, 0});
        QCOMPARE(document.ProjectHistory()->count(), 0);
        QCOMPARE(rearranged.count(), 0);
        SpriteTable full;
        while (!full.IsFull())
            full.Append("S");
        document.ReplaceProject("Full", std::move(full), {});
        QCOMPARE(document.DuplicateSprites({0}), std::vector<int>{});
        QCOMPARE(document.ProjectHistory()->count(), 0);
    }

    // Whoever hears of a step sees the project's modified state after it, saved or not.
    void listenersSeeTheStateAfterTheStep() {
        ProjectDocument document;
        document.ReplaceProject("Demo", FiveSprites(), "/tmp/Demo.vellicor");
        QList<bool> seen;
        connect(&document, &ProjectDocument::SpritesRearranged,
                [&] { seen << document.IsModified(); });
        document.DeleteSprites({0});
        document.ProjectHistory()->undo();
        document.ProjectHistory()->redo();
        document.MarkSaved("/tmp/Demo.vellicor");
        document.ProjectHistory()->undo();
        QCOMPARE(seen, (QList{true, false, true, true}));
        QCOMPARE(Names(document.Table()), (QStringList{"A", "B", "C", "D", "E"}));
        QCOMPARE(document.ProjectHistory()->redoText(), "Delete");
    }

    // A deleted sprite waits whole: its window's state, its history (no longer offered) and its
    // identity come back with it, and so does a sprite that was being painted.
    void deletedSpriteComesBackWhole() {
        ProjectDocument document;
        document.ReplaceProject("Demo", FiveSprites(), {});
        document.SetPixel(1, 0, 0, kInk);
        const SpriteId b = document.IdOf(1);
        QUndoStack* history = document.History(1);
        document.BeginStroke(1);
        document.SetPixel(1, 1, 0, kInk);
        QSignalSpy retired(&document, &ProjectDocument::HistoryRetired);
        document.DeleteSprites({1, 2});
        QCOMPARE(history->count(), 2); // the stroke ended first, a step of its own
        QCOMPARE(retired.count(), 1);
        QCOMPARE(retired.at(0).at(0).value<QUndoStack*>(), history);
        QCOMPARE(document.IndexOf(b), std::nullopt);
        document.ProjectHistory()->undo();
        QCOMPARE(document.IndexOf(b), 1);
        QCOMPARE(document.History(1), history);
        QCOMPARE(document.OpenEditors(), std::vector<int>{1});
        for (int i = 0; i < 2; ++i)
            history->undo();
        QCOMPARE(Bytes(document), ProjectFileBytes("Demo", FiveSprites()));
        QVERIFY(!document.IsModified());
    }

    // New Sprite after moves and deletes: its undo takes exactly it out, its redo brings it back
    // as it was.
    void addedSpriteAmongMoves() {
        ProjectDocument document;
        document.ReplaceProject("Demo", FiveSprites(), {});
        document.MoveSprites({4, 3, 2, 1, 0});
        const int f = document.AppendSprite("F");
        const SpriteId id = document.IdOf(f);
        document.SetPixel(f, 3, 3, kInk);
        document.DeleteSprites({0});
        document.MoveSprites({4, 0, 1, 2, 3});
        QCOMPARE(Names(document.Table()), (QStringList{"F", "D", "C", "B", "A"}));
        QUndoStack* project = document.ProjectHistory();
        for (int i = 0; i < 3; ++i)
            project->undo();
        QCOMPARE(Names(document.Table()), (QStringList{"E", "D", "C", "B", "A"}));
        project->redo();
        QCOMPARE(document.IndexOf(id), 5);
        QCOMPARE(document.Record(5).Bits(3, 3), kInk);
        QCOMPARE(document.History(5)->undoText(), "Paint");
    }

    void duplicateName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("copy");
        const QString longName = "L" + QString(kMaxNameLength - 1, 'o');
        const QString pairAtCut = "L" + QString(kMaxNameLength - 3, 'o') + "😀";
        // clang-format off
        QTest::newRow("first copy") << "Ball" << QStringList{"Ball"} << "Ball2";
        QTest::newRow("next free") << "Ball" << QStringList{"Ball", "Ball2", "Ball4"} << "Ball3";
        QTest::newRow("copy of a copy") << "Ball2" << QStringList{"Ball", "Ball2"} << "Ball3";
        QTest::newRow("from 2 again") << "Ball10" << QStringList{"Ball10"} << "Ball2";
        QTest::newRow("zeros are digits") << "Ball007" << QStringList{"Ball2"} << "Ball3";
        QTest::newRow("digits alone") << "42" << QStringList{"42"} << "422";
        QTest::newRow("no longer than a name") << longName << QStringList{longName} << longName.chopped(1) + "2";
        QTest::newRow("never half a character") << pairAtCut << QStringList{} << pairAtCut.chopped(2) + "2";
        // clang-format on
    }

    void duplicateName() {
        QFETCH(QString, name);
        QFETCH(QStringList, names);
        QFETCH(QString, copy);
        QCOMPARE(DuplicateName(name, names), copy);
        QCOMPARE(NameFault(copy), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestSpriteList)
#include "test_sprite_list.moc"
