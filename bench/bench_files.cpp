// Project files, the recovery journal, and the list of sprites in a full project.
#include "bench_support.h"

using namespace vellicor;
using namespace vellicor::bench;

namespace {

// Save: the project file's bytes; writing them to disk is the atomic write the header uses.
void BM_SaveProject(benchmark::State& state) {
    const SpriteTable table = ScribbledTable(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(ProjectFileBytes("Bench", table));
    state.counters["MB"] = ProjectFileBytes("Bench", table).size() / 1e6;
}
BENCHMARK(BM_SaveProject)->Arg(100)->Arg(SpriteTable::kMaxSprites)->Unit(benchmark::kMillisecond);

// Open: parsing and validating the whole file into a table.
void BM_OpenProject(benchmark::State& state) {
    const QByteArray bytes = ProjectFileBytes("Bench", ScribbledTable(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadProject(bytes));
}
BENCHMARK(BM_OpenProject)->Arg(100)->Arg(SpriteTable::kMaxSprites)->Unit(benchmark::kMillisecond);

using Clock = std::chrono::steady_clock;

double MicrosSince(Clock::time_point start) {
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

// Each operation is timed alone, for its median and worst case.
void ReportLatencies(benchmark::State& state, std::vector<double> micros, const QString& folder) {
    std::sort(micros.begin(), micros.end());
    const double median = micros[micros.size() / 2];
    state.counters["median_us"] = median;
    state.counters["p99_us"] = micros[micros.size() * 99 / 100];
    state.counters["max_us"] = micros.back();
    state.SetLabel(QStringLiteral("median %1 ms, max %2 ms, in %3")
                       .arg(median / 1000, 0, 'f', 3)
                       .arg(micros.back() / 1000, 0, 'f', 3)
                       .arg(folder)
                       .toStdString());
}

// One completed step made durable: a one-pixel stroke on one of ten 32 x 32 sprites,
// appended and fdatasync'ed.
void BM_JournalStepDurable(benchmark::State& state) {
    QTemporaryDir folder(JournalFolderTemplate());
    SpriteTable table = ScribbledTable(10);
    RecoveryJournal journal;
    if (auto error = journal.Start(folder.filePath("bench.journal"), "Bench", {}, table)) {
        state.SkipWithError(qPrintable(*error));
        return;
    }
    std::vector<double> micros;
    int step = 0;
    for (auto _ : state) {
        const int index = step % 10;
        SpriteRecord& record = table.Record(index);
        record.SetBits(step % 32, step / 32 % 32, *BitsForColour(kPaletteColours[step % 5]));
        const auto start = Clock::now();
        const auto error = journal.AppendSprite(index, record, {index});
        micros.push_back(MicrosSince(start));
        if (error) {
            state.SkipWithError(qPrintable(*error));
            return;
        }
        ++step;
    }
    ReportLatencies(state, std::move(micros), folder.path());
}
BENCHMARK(BM_JournalStepDurable)->Iterations(2000)->Unit(benchmark::kMicrosecond);

// The floor under the journal: a step's line written and fdatasync'ed with bare system
// calls, encoded beforehand. What the disk costs, not the journal.
void BM_BareDurableWrite(benchmark::State& state) {
    QTemporaryDir folder(JournalFolderTemplate());
    QFile file(folder.filePath("bare"));
    if (!file.open(QIODevice::WriteOnly)) {
        state.SkipWithError("cannot create the file");
        return;
    }
    const QByteArray line = JournalLine(StepRecord(0, 1, 0, ScribbledTable(1).Record(0), {0}));
    std::vector<double> micros;
    off_t offset = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        const bool written =
            ::pwrite(file.handle(), line.constData(), line.size(), offset) == line.size() &&
            ::fdatasync(file.handle()) == 0;
        micros.push_back(MicrosSince(start));
        if (!written) {
            state.SkipWithError("write failed");
            return;
        }
        offset += line.size();
    }
    ReportLatencies(state, std::move(micros), folder.path());
}
BENCHMARK(BM_BareDurableWrite)->Iterations(2000)->Unit(benchmark::kMicrosecond);

// Looking for journals at start-up: one listing of the folder, one look at each lock.
void BM_OrphanedJournalsAtStartUp(benchmark::State& state) {
    QTemporaryDir folder(JournalFolderTemplate());
    RecoveryStore store(folder.path());
    for (int i = 0; i < state.range(0); ++i)
        RecoveryJournal().Start(folder.filePath(QStringLiteral("left-%1.journal").arg(i)), "Left",
                                {}, ScribbledTable(1));
    for (auto _ : state)
        benchmark::DoNotOptimize(store.OrphanedJournals());
}
BENCHMARK(BM_OrphanedJournalsAtStartUp)->Arg(0)->Arg(3)->Unit(benchmark::kMicrosecond);

// Recovering a long session: a 100-sprite project and 1000 steps replayed.
void BM_ReadJournal(benchmark::State& state) {
    SpriteTable table = ScribbledTable(100);
    QByteArray bytes = JournalLine(BaseRecord(0, "Bench", {}, table));
    for (int step = 1; step <= state.range(0); ++step)
        bytes += JournalLine(StepRecord(step, step, step % 100, table.Record(step % 100), {}));
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadJournal(bytes));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ReadJournal)->Arg(1000)->Unit(benchmark::kMillisecond);

// Delete (0), move (1) and undo of a delete (2) of one sprite in a full project, each timed with
// the journal record it writes and syncs, as the command's handler runs it.
void BM_SpriteListInFullProject(benchmark::State& state) {
    QTemporaryDir folder(JournalFolderTemplate());
    ProjectDocument document;
    JournalKeeper keeper(document, folder.path());
    document.ReplaceProject("Bench", ScribbledTable(SpriteTable::kMaxSprites), QString());
    document.SetPixel(0, 0, 0, *BitsForColour(kWhite)); // the journal starts with the whole project
    const int last = SpriteTable::kMaxSprites - 1;
    std::vector<int> lastToTop{last};
    for (int i = 0; i < last; ++i)
        lastToTop.push_back(i);
    std::vector<double> micros;
    for (auto _ : state) {
        const int sprite = static_cast<int>(micros.size() * 7919 % last);
        if (state.range(0) == 2)
            document.DeleteSprites({sprite});
        const auto start = Clock::now();
        if (state.range(0) == 0)
            document.DeleteSprites({sprite});
        else if (state.range(0) == 1)
            document.MoveSprites(lastToTop);
        else
            document.ProjectHistory()->undo();
        micros.push_back(MicrosSince(start));
        if (state.range(0) == 0)
            document.ProjectHistory()->undo();
    }
    ReportLatencies(state, std::move(micros), folder.path());
}
BENCHMARK(BM_SpriteListInFullProject)
    ->ArgName("delete_move_undo")
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Iterations(50)
    ->Unit(benchmark::kMillisecond);

} // namespace
