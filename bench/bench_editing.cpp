// The live header view, the selection and the Image commands.
#include "bench_support.h"

using namespace vellicor;
using namespace vellicor::bench;

namespace {

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

// The previews beside a 32 x 32 sprite: one animation frame at the largest scale, painted, and
// the tile preview's repaint after a pixel's step, nine tiles at the largest scale.
#include "main_window/animation_dock.h"
#include "main_window/tile_dock.h"

namespace {

void BM_AnimationFrame32(benchmark::State& state) {
    OpenEditor editor;
    editor.main.findChild<QAction*>("mnuViewAnimation")->trigger();
    auto* dock = editor.main.findChild<AnimationDock*>();
    dock->SetPlaying(false);
    QWidget* picture = dock->Picture();
    picture->setMinimumSize(32 * AnimationDock::kLargestScale, 32 * AnimationDock::kLargestScale);
    QApplication::processEvents();
    for (auto _ : state) {
        dock->Advance();
        picture->repaint();
    }
    editor.main.findChild<QAction*>("mnuViewAnimation")->trigger();
}
BENCHMARK(BM_AnimationFrame32)->Unit(benchmark::kMicrosecond);

void BM_TilePreviewAfterStroke32(benchmark::State& state) {
    OpenEditor editor;
    editor.main.findChild<QAction*>("mnuViewTile")->trigger();
    auto* dock = editor.main.findChild<TileDock*>();
    dock->SetScale(TileDock::kLargestScale);
    QApplication::processEvents();
    int step = 0;
    for (auto _ : state) {
        // Black and white by turns, so that every pixel written changes.
        const int x = step % 32;
        const Rgb colour = (step++ / 32) % 2 == 0 ? kBlack : kWhite;
        editor.main.Document().SetPixel(0, x, x, *BitsForColour(colour));
        dock->Picture()->repaint();
    }
    editor.main.findChild<QAction*>("mnuViewTile")->trigger();
}
BENCHMARK(BM_TilePreviewAfterStroke32)->Unit(benchmark::kMicrosecond);

} // namespace
