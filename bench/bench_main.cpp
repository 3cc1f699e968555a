// Speed of the editor's hot paths, of the export and of saving and opening projects, headless:
//   QT_QPA_PLATFORM=offscreen build/bench/vellicor_bench
#include "editor/frm_sprite.h"
#include "export/header_text.h"
#include "main_window/frm_main.h"
#include "model/colour_table.h"
#include "project/project_file.h"

#include <QApplication>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSlider>
#include <benchmark/benchmark.h>

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
    void ShowModal(QDialog&) override {}
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
    for (int y = 0; y < kPlaneSide; ++y)
        for (int x = 0; x < kPlaneSide; ++x)
            document.SetPixel(index, x, y, *BitsForColour(ScribbleColour(x, y)));
}

// A shown main window with one 32 x 32 sprite open at zoom 100.
struct OpenEditor {
    BenchDialogs dialogs;
    frmMain main{dialogs};
    frmSprite* window = nullptr;
    QWidget* canvas = nullptr;

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
        QApplication::processEvents();
    }
};

void BM_DrawSpriteZoom100(benchmark::State& state) {
    OpenEditor editor;
    for (auto _ : state)
        editor.window->DrawSprite();
    state.SetItemsProcessed(state.iterations() * 2 * 32 * 32);
}
BENCHMARK(BM_DrawSpriteZoom100)->Unit(benchmark::kMicrosecond);

void BM_PaintingMouseMove(benchmark::State& state) {
    OpenEditor editor;
    const double side = editor.canvas->width();
    int step = 0;
    for (auto _ : state) {
        const QPointF at(1 + (step * 37) % static_cast<int>(side - 2), 1 + (step * 11) % 500);
        QMouseEvent move(QEvent::MouseMove, at, editor.canvas->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, {});
        QApplication::sendEvent(editor.canvas, &move);
        ++step;
    }
}
BENCHMARK(BM_PaintingMouseMove)->Unit(benchmark::kMicrosecond);

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

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
