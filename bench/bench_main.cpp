// Speed of the editor's hot paths, the export, project files and the recovery journal,
// headless:
//   QT_QPA_PLATFORM=offscreen build/bench/vellicor_bench
#include "document/journal_keeper.h"
#include "editor/frm_sprite.h"
#include "export/header_text.h"
#include "journal/journal_line.h"
#include "journal/journal_records.h"
#include "journal/recovery_journal.h"
#include "journal/recovery_store.h"
#include "main_window/frm_main.h"
#include "main_window/header_dock.h"
#include "model/colour_table.h"
#include "project/project_file.h"
#include "tools/tool_geometry.h"
#include "tools/transforms.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSlider>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstring>
#include <malloc.h>
#include <unistd.h>

using namespace vellicor;

namespace {

// Names every prompt "Bench" and cancels everything else.
class BenchDialogs final : public DialogSeam {
  public:
    QString InputBox(QWidget*, const QString&, const QString&) override { return "Bench"; }
    void MessageBox(QWidget*, const QString&, const QString&) override {}
    std::optional<QString> SaveFileName(QWidget*, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> SaveAsFileName(QWidget*, const QString&, const QString&,
                                          const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> OpenFileName(QWidget*, const QString&) override { return std::nullopt; }
    SaveChangesAnswer AskSaveChanges(QWidget*, const QString&) override {
        return SaveChangesAnswer::Discard;
    }
    bool AskRecover(QWidget*, const QString&) override { return false; }
    void ShowModal(QDialog&) override {}
    std::optional<int> AskScale(QWidget*, int) override { return std::nullopt; }
};

Rgb ScribbleColour(int x, int y) {
    return kPaletteColours[(x * 7 + y * 3) % 5];
}

void Scribble(SpriteRecord& record) {
    for (int y = 0; y < kPlaneSide; ++y)
        for (int x = 0; x < kPlaneSide; ++x)
            record.SetBits(x, y, *BitsForColour(ScribbleColour(x, y)));
}

void Scribble(ProjectDocument& document, int index) {
    document.BeginStroke(index);
    for (int y = 0; y < kPlaneSide; ++y)
        for (int x = 0; x < kPlaneSide; ++x)
            document.SetPixel(index, x, y, *BitsForColour(ScribbleColour(x, y)));
    document.EndStroke();
}

// A shown main window with one 32 x 32 sprite open at zoom 100.
struct OpenEditor {
    BenchDialogs dialogs;
    QTemporaryDir recovery;
    frmMain main{dialogs, recovery.path()};
    frmSprite* window = nullptr;
    QWidget* canvas = nullptr;
    QWidget* preview = nullptr;

    OpenEditor() {
        main.resize(1200, 900);
        main.show();
        main.NewProject();
        main.NewSprite();
        window = main.EditorWindows().front();
        Scribble(main.Document(), 0);
        window->findChild<QRadioButton*>("opt32")->setChecked(true);
        window->findChild<QSlider*>("sldZoom")->setValue(100);
        canvas = window->findChild<QWidget*>("picSprite");
        preview = window->findChild<QWidget*>("picPreview");
        QApplication::processEvents();
    }

    // Sends a mouse event to the canvas, then lets the event loop repaint what it changed, as
    // it does before the next event.
    void Send(QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, at, canvas->mapToGlobal(at), button, held, {});
        QApplication::sendEvent(canvas, &event);
        QApplication::processEvents();
    }

    // What a full repaint writes: the canvas's and the preview's images.
    std::size_t SurfaceBytes() const {
        std::size_t bytes = 0;
        for (const char* name : {"picSprite", "picPreview"}) {
            const QSize size = window->findChild<QWidget*>(name)->size();
            bytes += static_cast<std::size_t>(size.width()) * size.height() * sizeof(QRgb);
        }
        return bytes;
    }
};

// A full repaint at zoom 100: DrawSprite, and canvas and preview painted into images as the
// screen takes them.
void BM_DrawSpriteZoom100(benchmark::State& state) {
    OpenEditor editor;
    QImage canvas(editor.canvas->size(), QImage::Format_ARGB32_Premultiplied);
    QImage preview(editor.preview->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        editor.window->DrawSprite();
        editor.canvas->render(&canvas);
        editor.preview->render(&preview);
    }
    state.SetItemsProcessed(state.iterations() * 2 * 32 * 32);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(editor.SurfaceBytes()));
}
BENCHMARK(BM_DrawSpriteZoom100)->Unit(benchmark::kMicrosecond);

// The floor under the full repaint: a plain memset of as many bytes as it paints.
void BM_MemsetOfDrawSpriteBytes(benchmark::State& state) {
    const std::size_t bytes = OpenEditor().SurfaceBytes();
    std::vector<unsigned char> image(bytes);
    int value = 0;
    for (auto _ : state) {
        std::memset(image.data(), ++value & 0xFF, image.size());
        benchmark::DoNotOptimize(image.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_MemsetOfDrawSpriteBytes)->Unit(benchmark::kMicrosecond);

// Filling a whole 32 x 32 sprite: one region of all 1024 pixels, and a comb of one-pixel
// teeth whose region winds down and up through every column.
void BM_FillRegion(benchmark::State& state) {
    SpriteRecord record;
    record.Size = 32;
    const bool comb = state.range(0) != 0;
    for (int y = 0; comb && y < 32; ++y)
        for (int x = 1; x < 32; x += 2)
            if ((x % 4 == 1 && y < 31) || (x % 4 == 3 && y > 0))
                record.SetBits(x, y, *BitsForColour(kBlack));
    std::size_t filled = 0;
    for (auto _ : state) {
        const std::vector<Cell> cells = FillRegion(record, 32, {0, 0});
        filled = cells.size();
        benchmark::DoNotOptimize(cells.data());
    }
    state.counters["pixels"] = static_cast<double>(filled);
}
BENCHMARK(BM_FillRegion)->ArgName("comb")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A move over the canvas at zoom 100 with its repaint: hovering, or painting with the left and
// right buttons by turns, so that every move changes the cells it crosses.
void BM_PaintingMouseMove(benchmark::State& state) {
    OpenEditor editor;
    const bool painting = state.range(0) != 0;
    const int side = editor.canvas->width();
    auto at = [side](int step) {
        return QPointF(1 + (step * 37) % (side - 2), 1 + (step * 11) % 500);
    };
    if (painting)
        editor.Send(QEvent::MouseButtonPress, at(0), Qt::LeftButton, Qt::LeftButton);
    int step = 1;
    for (auto _ : state) {
        const Qt::MouseButtons held = !painting  ? Qt::NoButton
                                      : step % 2 ? Qt::LeftButton
                                                 : Qt::RightButton;
        editor.Send(QEvent::MouseMove, at(step++), Qt::NoButton, held);
    }
    if (painting)
        editor.Send(QEvent::MouseButtonRelease, at(step), Qt::LeftButton, Qt::NoButton);
}
BENCHMARK(BM_PaintingMouseMove)->ArgName("painting")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Memory of the undo history: 10,000 strokes of one pixel each on one sprite.
void BM_HistoryOfOnePixelSteps(benchmark::State& state) {
    const auto steps = state.range(0);
    std::size_t bytes = 0;
    for (auto _ : state) {
        ProjectDocument document;
        document.StartProject("Bench");
        const int index = document.AppendSprite("Ball");
        document.SetSize(index, 32);
        const std::size_t before = mallinfo2().uordblks;
        for (std::int64_t i = 0; i < steps; ++i) {
            document.BeginStroke(index);
            document.SetPixel(index, static_cast<int>(i % 32), static_cast<int>(i / 32 % 32),
                              *BitsForColour(kPaletteColours[(i / 1024) % 4]));
            document.EndStroke();
        }
        bytes = mallinfo2().uordblks - before;
    }
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
    state.counters["bytes_per_step"] = static_cast<double>(bytes) / static_cast<double>(steps);
}
BENCHMARK(BM_HistoryOfOnePixelSteps)->Arg(10000)->Unit(benchmark::kMillisecond);

// One frame of a circle being dragged over a 32 x 32 sprite at zoom 100: the sprite repainted
// from the record with the outline drawn over it.
void BM_CirclePreviewFrame(benchmark::State& state) {
    OpenEditor editor;
    editor.main.ToolbarAction("circle")->trigger();
    const double cell = editor.canvas->width() / 32.0;
    auto at = [cell](int column) { return QPointF((column + 0.5) * cell, (column + 0.5) * cell); };
    editor.Send(QEvent::MouseButtonPress, at(0), Qt::LeftButton, Qt::LeftButton);
    int step = 0;
    for (auto _ : state)
        editor.Send(QEvent::MouseMove, at(30 + (step++ % 2)), Qt::NoButton, Qt::LeftButton);
    editor.Send(QEvent::MouseButtonRelease, at(31), Qt::LeftButton, Qt::NoButton);
}
BENCHMARK(BM_CirclePreviewFrame)->Unit(benchmark::kMicrosecond);

void BM_HeaderText(benchmark::State& state) {
    SpriteTable table;
    for (int i = 0; i < state.range(0); ++i) {
        SpriteRecord& record = table.Record(table.Append("Sprite" + std::to_string(i)));
        record.Size = 32;
        Scribble(record);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(HeaderText(table));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_HeaderText)->Arg(1)->Arg(1000)->Unit(benchmark::kMicrosecond);

// Journals are written under the user's data folder (~/.local/share), where the real ones
// live, so the disk and filesystem are those of $HOME and not a tmpfs /tmp.
QString JournalFolderTemplate() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QDir().mkpath(data);
    return data + "/vellicor-bench-XXXXXX";
}

SpriteTable ScribbledTable(std::int64_t sprites) {
    SpriteTable table;
    for (std::int64_t i = 0; i < sprites; ++i) {
        SpriteRecord& record = table.Record(table.Append("Sprite" + std::to_string(i)));
        record.Size = 32;
        Scribble(record);
    }
    return table;
}

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

// The live header of a 300-sprite project brought up to date after a stroke on one sprite.
void BM_HeaderViewAfterStroke(benchmark::State& state) {
    QTemporaryDir recovery;
    BenchDialogs dialogs;
    frmMain main(dialogs, recovery.path());
    main.resize(1200, 900);
    main.show();
    main.findChild<QAction*>("mnuViewHeader")->trigger();
    main.Document().ReplaceProject("Bench", ScribbledTable(state.range(0)), QString());
    auto* dock = main.findChild<HeaderDock*>();
    int sprite = 0;
    for (auto _ : state)
        dock->RefreshSprite(sprite++ % static_cast<int>(state.range(0)));
    main.findChild<QAction*>("mnuViewHeader")->trigger();
}
BENCHMARK(BM_HeaderViewAfterStroke)->Arg(300)->Unit(benchmark::kMicrosecond);

// One frame of a selection's pixels dragged over a 32 x 32 sprite at zoom 100: the 16 x 16
// floating cells one cell further on, the cells they leave and reach repainted with the outline.
void BM_SelectionDragFrame(benchmark::State& state) {
    OpenEditor editor;
    editor.main.ToolbarAction("select")->trigger();
    const double cell = editor.canvas->width() / 32.0;
    auto at = [cell](int column) { return QPointF((column + 0.5) * cell, (column + 0.5) * cell); };
    editor.Send(QEvent::MouseButtonPress, at(4), Qt::LeftButton, Qt::LeftButton);
    editor.Send(QEvent::MouseMove, at(19), Qt::NoButton, Qt::LeftButton);
    editor.Send(QEvent::MouseButtonRelease, at(19), Qt::LeftButton, Qt::NoButton);
    editor.Send(QEvent::MouseButtonPress, at(10), Qt::LeftButton, Qt::LeftButton);
    int step = 0;
    for (auto _ : state)
        editor.Send(QEvent::MouseMove, at(10 + (step++ % 2)), Qt::NoButton, Qt::LeftButton);
    editor.Send(QEvent::MouseButtonRelease, at(10), Qt::LeftButton, Qt::NoButton);
}
BENCHMARK(BM_SelectionDragFrame)->Unit(benchmark::kMicrosecond);

// An Image command on a whole 32 x 32 sprite: the cells a quarter turn writes, and the whole
// command through its menu entry (the step, its history and the repaint asked for).
void BM_TransformCells32(benchmark::State& state) {
    SpriteRecord record;
    record.Size = 32;
    Scribble(record);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            TransformCells(record, QRect(0, 0, 32, 32), Transform::RotateClockwise));
    state.SetItemsProcessed(state.iterations() * 32 * 32);
}
BENCHMARK(BM_TransformCells32)->Unit(benchmark::kMicrosecond);

void BM_ImageCommand32(benchmark::State& state) {
    OpenEditor editor;
    auto* flip = editor.main.findChild<QAction*>("mnuImageFlipHorizontal");
    for (auto _ : state) {
        flip->trigger();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ImageCommand32)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true); // the user's settings stay as they are
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
