// The editor's hot paths: drawing, painting, the history of strokes, the header's text.
#include "bench_support.h"

using namespace vellicor;
using namespace vellicor::bench;

namespace {

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

} // namespace
